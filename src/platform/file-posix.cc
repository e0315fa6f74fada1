// POSIX file services. There are no share modes here, so the rule that the
// output document may not be the file being read is checked by identity.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/file.h"

namespace ferry::platform {

namespace {

std::string ParentOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Maps errno onto the Windows numbering where the two agree in meaning.
int ErrorNumber(int error, const std::string& path) {
  switch (error) {
    case ENOENT:
      return IsDirectory(ParentOf(path)) ? 2 : 3;
    case ENOTDIR:
    case ENAMETOOLONG:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;
    default:
      return error;
  }
}

// The error of a read, write or close. EIO is 5 on Linux, which is "access
// denied" in the Windows numbering; it is a device fault, so it takes the
// Windows numbers of a read fault (30) and a write fault (29).
constexpr int kReadFault = 30;
constexpr int kWriteFault = 29;
int TransferErrorNumber(int error, int device_fault) {
  return error == EIO ? device_fault : ErrorNumber(error, std::string());
}

bool EqualsAsciiIgnoringCase(const char* a, const std::string& b) {
  std::size_t i = 0;
  for (; a[i] != '\0' && i < b.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return a[i] == '\0' && i == b.size();
}

}  // namespace

int InputFile::Open(const std::string& path) {
  Close();
  if (path.empty()) return 2;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorNumber(errno, path);
  struct stat st;
  if (fstat(fd, &st) != 0) {
    int error = errno;
    close(fd);
    return ErrorNumber(error, path);
  }
  if (S_ISDIR(st.st_mode)) {
    close(fd);
    return 5;
  }
  handle_ = fd;
  return 0;
}

int InputFile::Read(char* buffer, std::size_t size, std::size_t* got) {
  for (;;) {
    ssize_t n = read(static_cast<int>(handle_), buffer, size);
    if (n >= 0) {
      *got = static_cast<std::size_t>(n);
      return 0;
    }
    if (errno != EINTR) return TransferErrorNumber(errno, kReadFault);
  }
}

void InputFile::Close() {
  if (handle_ == kClosed) return;
  close(static_cast<int>(handle_));
  handle_ = kClosed;
}

int OutputFile::Create(const std::string& path, const InputFile& reading) {
  Close();
  if (path.empty()) return 2;
  // Opened without truncation first, so that the file being read is refused
  // before a byte of it is lost.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return ErrorNumber(errno, path);
  struct stat out;
  struct stat in;
  if (reading.IsOpen() && fstat(fd, &out) == 0 &&
      fstat(static_cast<int>(reading.handle_), &in) == 0 && out.st_dev == in.st_dev &&
      out.st_ino == in.st_ino) {
    close(fd);
    return 32;
  }
  // An empty file is not truncated: on ext4 a truncation to zero makes the
  // close push the whole new document out to the disk before it returns
  // (the safeguard for files replaced in place), which a new file is spared.
  struct stat st;
  const bool empty = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
  if (!empty && ftruncate(fd, 0) != 0) {
    int error = errno;
    // A character device such as /dev/null or /dev/full cannot be truncated
    // and needs not be.
    if (!(error == EINVAL && fstat(fd, &st) == 0 && !S_ISREG(st.st_mode))) {
      close(fd);
      return ErrorNumber(error, path);
    }
  }
  handle_ = fd;
  return 0;
}

int OutputFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = write(static_cast<int>(handle_), data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return TransferErrorNumber(errno, kWriteFault);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int OutputFile::Close() {
  if (handle_ == kClosed) return 0;
  int result = close(static_cast<int>(handle_)) == 0 ? 0 : TransferErrorNumber(errno, kWriteFault);
  handle_ = kClosed;
  return result;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat x;
  struct stat y;
  return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
         x.st_ino == y.st_ino;
}

std::string FindCompanionFile(const std::string& path) {
  if (IsRegularFile(path)) return path;
  std::size_t slash = path.rfind('/');
  std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return std::string();
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return std::string();
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (!EqualsAsciiIgnoringCase(entry->d_name, name)) continue;
    std::string candidate = directory + entry->d_name;
    if ((found.empty() || candidate < found) && IsRegularFile(candidate)) found = candidate;
  }
  closedir(dir);
  return found;
}

std::string ProgramPath() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace ferry::platform
