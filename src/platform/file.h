// The platform layer: the few file services the engine needs, with one POSIX
// and one Win32 implementation. Paths are UTF-8 throughout. Error numbers are
// in the Windows numbering (2 file not found, 3 path not found, 4 too many
// open files, 5 access denied, 32 sharing violation); other failures carry the
// system's own number. 0 means success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ferry::platform {

// A file open for reading; others may read it but not write it.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile() { Close(); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  int Open(const std::string& path);
  // Reads up to `size` bytes into `buffer`; `*got` is 0 at the end of the file.
  int Read(char* buffer, std::size_t size, std::size_t* got);
  void Close();
  bool IsOpen() const { return handle_ != kClosed; }

 private:
  friend class OutputFile;
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
};

// A file created (or emptied) for writing; others may read it but not write it.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Refuses, with 32, to create the file that `reading` has open, and leaves
  // that file untouched.
  int Create(const std::string& path, const InputFile& reading);
  int Write(const char* data, std::size_t size);
  int Close();
  bool IsOpen() const { return handle_ != kClosed; }

 private:
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
};

// Whether `path` names a regular file (not a directory).
bool IsRegularFile(const std::string& path);

// Whether two existing paths name the same file, through links or not.
bool SameFile(const std::string& a, const std::string& b);

// The companion file a pass should read for `path`: `path` itself when it is
// a regular file; on a case-sensitive file system, also a regular file in the
// same directory whose name differs only in ASCII letter case. Empty when
// there is none.
std::string FindCompanionFile(const std::string& path);

// The full path of the running executable.
std::string ProgramPath();

}  // namespace ferry::platform
