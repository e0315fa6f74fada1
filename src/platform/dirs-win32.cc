// Win32 folders and consoles.
#include <windows.h>

#include <io.h>

#include "platform/dirs.h"
#include "platform/win32_text.h"

namespace ferry::platform {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// `path` less its last component and the separators before it; "" when
// nothing is left. A root (\ or C:\ or C:) has no parent.
std::string ParentOf(const std::string& path) {
  std::size_t end = path.size();
  while (end > 1 && IsSeparator(path[end - 1]) && path[end - 2] != ':') --end;
  std::size_t start = end;
  while (start > 0 && !IsSeparator(path[start - 1]) && path[start - 1] != ':') --start;
  if (start == 0) return std::string();
  std::size_t keep = start;
  if (IsSeparator(path[start - 1])) {
    std::size_t first = start - 1;
    while (first > 0 && IsSeparator(path[first - 1])) --first;
    // The separator of a root stays.
    if (first > 0 && path[first - 1] != ':') keep = first;
  }
  return keep == end ? std::string() : path.substr(0, keep);
}

}  // namespace

int ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries) {
  entries->clear();
  std::wstring pattern = Widen(directory.empty() ? std::string(".") : directory);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/' &&
      pattern.back() != L':')
    pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A drive's root has no "." entry; an empty one gives no entry at all.
    return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(error);
  }
  DWORD error = 0;
  do {
    const std::wstring_view name(data.cFileName);
    if (name == L"." || name == L"..") continue;
    EntryKind kind = EntryKind::kFile;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      kind = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? EntryKind::kLinkToDirectory
                                                                  : EntryKind::kDirectory;
    }
    entries->push_back({Narrow(name), kind});
  } while (FindNextFileW(find, &data));
  error = GetLastError();
  FindClose(find);
  if (error != ERROR_NO_MORE_FILES) {
    entries->clear();
    return static_cast<int>(error);
  }
  return 0;
}

bool IsDirectory(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int MakeDirectories(const std::string& path, std::string* failed_at) {
  if (path.empty() || IsDirectory(path)) return 0;
  if (GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
    *failed_at = path;
    return kFileInTheWay;
  }
  const std::string parent = ParentOf(path);
  if (!parent.empty()) {
    const int error = MakeDirectories(parent, failed_at);
    if (error != 0) return error;
  }
  if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return 0;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS && IsDirectory(path)) return 0;
  *failed_at = path;
  return static_cast<int>(error);
}

bool IgnoresLetterCase(const std::string&) {
  return true;
}

std::string FoldLetterCase(std::string_view name) {
  std::wstring wide = Widen(name);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

bool IsTerminal(std::FILE* stream) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != FALSE;
}

}  // namespace ferry::platform
