// Test helpers: a temporary directory that removes itself, and whole-file
// reads and writes. Paths are UTF-8 and use the platform's separator.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ferry::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the directory.
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

char Separator();
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void MakeDirectory(const std::string& path);
// A UTF-8 path as the standard library takes it on every platform.
std::filesystem::path FsPath(const std::string& utf8);
// The project's source tree, as seen by this platform.
std::string SourceDir();

}  // namespace ferry::testing
