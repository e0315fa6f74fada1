// Win32 file services. The share modes do the work that POSIX needs checks
// for: a file open for reading shares reading only, so creating the output
// document over it fails with ERROR_SHARING_VIOLATION (32).
#include <windows.h>

#include <algorithm>

#include "platform/file.h"
#include "platform/win32_text.h"

namespace ferry::platform {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(), n,
                      nullptr, nullptr);
  return narrow;
}

namespace {

HANDLE AsHandle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}
std::intptr_t FromHandle(HANDLE h) {
  return reinterpret_cast<std::intptr_t>(h);
}

int LastError() {
  return static_cast<int>(GetLastError());
}

}  // namespace

int InputFile::Open(const std::string& path) {
  Close();
  if (path.empty()) return 2;
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  handle_ = FromHandle(h);
  return 0;
}

int InputFile::Read(char* buffer, std::size_t size, std::size_t* got) {
  DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  DWORD n = 0;
  if (!ReadFile(AsHandle(handle_), buffer, want, &n, nullptr)) return LastError();
  *got = n;
  return 0;
}

void InputFile::Close() {
  if (handle_ == kClosed) return;
  CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
}

int OutputFile::Create(const std::string& path, const InputFile&) {
  Close();
  if (path.empty()) return 2;
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  handle_ = FromHandle(h);
  return 0;
}

int OutputFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(AsHandle(handle_), data, want, &n, nullptr)) return LastError();
    if (n == 0) return ERROR_DISK_FULL;
    data += n;
    size -= n;
  }
  return 0;
}

int OutputFile::Close() {
  if (handle_ == kClosed) return 0;
  int result = CloseHandle(AsHandle(handle_)) ? 0 : LastError();
  handle_ = kClosed;
  return result;
}

bool IsRegularFile(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFile(const std::string& a, const std::string& b) {
  // A handle without access rights reads the file's identity and conflicts
  // with no other opening.
  auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE h =
        CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(h, info);
    CloseHandle(h);
    return ok != FALSE;
  };
  BY_HANDLE_FILE_INFORMATION x;
  BY_HANDLE_FILE_INFORMATION y;
  return identify(a, &x) && identify(b, &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
         x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

// Windows file names ignore letter case already.
std::string FindCompanionFile(const std::string& path) {
  return IsRegularFile(path) ? path : std::string();
}

std::string ProgramPath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace ferry::platform
