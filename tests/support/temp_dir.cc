#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ferry::testing {

namespace {

std::string ToUtf8(const fs::path& path) {
  std::u8string u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

}  // namespace

fs::path FsPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

char Separator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir = fs::temp_directory_path() /
                 ("ferry-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  path_ = ToUtf8(dir);
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(FsPath(path_), ignored);
}

std::string TempDir::File(std::string_view name) const {
  std::string path = path_;
  path += Separator();
  path += name;
  return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool FileExists(const std::string& path) {
  return fs::exists(FsPath(path));
}

void MakeDirectory(const std::string& path) {
  fs::create_directories(FsPath(path));
}

std::string SourceDir() {
  const char* dir = std::getenv("FERRY_SOURCE_DIR");
  std::string path = dir ? dir : ".";
#ifdef _WIN32
  // Wine maps the Linux root to drive Z:.
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
#endif
  return path;
}

}  // namespace ferry::testing
