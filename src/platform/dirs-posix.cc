// POSIX folders and terminals.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/dirs.h"

namespace ferry::platform {

namespace {

// errno in the Windows numbering, for folders.
int DirectoryErrorNumber(int error) {
  switch (error) {
    case ENOENT:
    case ENAMETOOLONG:
      return 3;
    case ENOTDIR:
      return 267;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;
    case EEXIST:
      return kFileInTheWay;
    default:
      return error;
  }
}

std::string Join(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  return directory.back() == '/' ? directory + name : directory + '/' + name;
}

// `path` less its last component and the slashes before it; "" when nothing
// is left of a relative path, "/" for a root.
std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  if (slash == 0) return "/";
  path.resize(slash);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool HasAsciiLetter(const std::string& name) {
  for (char c : name)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  return false;
}

std::string SwapAsciiCase(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 32);
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  }
  return name;
}

// Whether `directory/name` and the same name in the other letter case are
// one file: 1 yes, 0 no, -1 cannot tell.
int SameUnderOtherCase(const std::string& directory, const std::string& name) {
  struct stat as_is;
  struct stat swapped;
  if (!HasAsciiLetter(name) || lstat(Join(directory, name).c_str(), &as_is) != 0) return -1;
  if (lstat(Join(directory, SwapAsciiCase(name)).c_str(), &swapped) != 0)
    return errno == ENOENT ? 0 : -1;
  return as_is.st_dev == swapped.st_dev && as_is.st_ino == swapped.st_ino ? 1 : 0;
}

// File systems that ignore letter case as a whole.
bool IsCaseInsensitiveFileSystem(const std::string& directory) {
  struct statfs fs;
  if (statfs(directory.empty() ? "." : directory.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x4d44UL:      // vfat, msdos
    case 0x2011BAB0UL:  // exfat
    case 0x5346544eUL:  // ntfs, ntfs3
    case 0xFF534D42UL:  // cifs
    case 0xFE534D42UL:  // smb2
      return true;
    default:
      return false;
  }
}

// What a listed entry is; `type` is readdir's d_type, which some file
// systems leave unknown.
EntryKind KindOf(const std::string& path, unsigned char type) {
  struct stat st;
  if (type == DT_UNKNOWN) {
    if (lstat(path.c_str(), &st) != 0) return EntryKind::kFile;
    type = S_ISDIR(st.st_mode)   ? DT_DIR
           : S_ISLNK(st.st_mode) ? DT_LNK
           : S_ISREG(st.st_mode) ? DT_REG
                                 : DT_FIFO;
  }
  switch (type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kDirectory;
    case DT_LNK:
      // A link to nothing is left to the run, which reports it missing.
      if (stat(path.c_str(), &st) != 0) return EntryKind::kFile;
      if (S_ISDIR(st.st_mode)) return EntryKind::kLinkToDirectory;
      return S_ISREG(st.st_mode) ? EntryKind::kFile : EntryKind::kOther;
    default:
      return EntryKind::kOther;
  }
}

}  // namespace

int ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries) {
  entries->clear();
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return DirectoryErrorNumber(errno);
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries->push_back({name, KindOf(Join(directory, name), entry->d_type)});
  }
  const int error = errno;
  closedir(dir);
  if (error != 0) {
    entries->clear();
    return DirectoryErrorNumber(error);
  }
  return 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int MakeDirectories(const std::string& path, std::string* failed_at) {
  if (path.empty() || IsDirectory(path)) return 0;
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    *failed_at = path;
    return kFileInTheWay;
  }
  const std::string parent = ParentOf(path);
  if (!parent.empty() && parent != path) {
    const int error = MakeDirectories(parent, failed_at);
    if (error != 0) return error;
  }
  if (mkdir(path.c_str(), 0777) == 0) return 0;
  const int error = errno;
  // Made meanwhile by someone else.
  if (error == EEXIST && IsDirectory(path)) return 0;
  *failed_at = path;
  return DirectoryErrorNumber(error);
}

bool IgnoresLetterCase(const std::string& directory) {
  std::string existing = directory;
  while (!existing.empty() && !IsDirectory(existing)) existing = ParentOf(existing);
  std::vector<DirectoryEntry> entries;
  if (ListDirectory(existing, &entries) == 0) {
    for (const DirectoryEntry& entry : entries) {
      const int same = SameUnderOtherCase(existing, entry.name);
      if (same >= 0) return same == 1;
    }
  }
  return IsCaseInsensitiveFileSystem(existing);
}

std::string FoldLetterCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return folded;
}

bool IsTerminal(std::FILE* stream) {
  return isatty(fileno(stream)) == 1;
}

}  // namespace ferry::platform
