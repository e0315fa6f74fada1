#include "faults/fault_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/file.h"

namespace fs = std::filesystem;

namespace ferry::testing::faults {

namespace {

Plan& CurrentPlan() {
  static Plan plan;
  return plan;
}
int opens = 0;

fs::path FromUtf8(const std::string& path) {
  return fs::path(std::u8string(path.begin(), path.end()));
}

struct Reading {
  std::FILE* file = nullptr;
  std::string path;
  int open = 0;
  std::size_t given = 0;
};

struct Writing {
  std::FILE* file = nullptr;
  std::size_t written = 0;
  bool failed = false;
};

std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  return _wfopen(FromUtf8(path).c_str(), mode[0] == 'r' ? L"rb" : L"wb");
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// The error numbers of the real layers, for the cases the tests meet.
int OpenError(const std::string& path) {
  std::error_code ec;
  const fs::path p = FromUtf8(path);
  if (fs::is_directory(p, ec)) return 5;
  if (!fs::exists(p, ec)) return fs::is_directory(p.parent_path(), ec) ? 2 : 3;
  return 5;
}

}  // namespace

void SetPlan(Plan plan) {
  CurrentPlan() = std::move(plan);
  opens = 0;
}
void Reset() {
  SetPlan(Plan());
}
int OpensSoFar() {
  return opens;
}

}  // namespace ferry::testing::faults

namespace ferry::platform {

using testing::faults::CurrentPlan;
using testing::faults::OpenError;
using testing::faults::OpenFile;
using testing::faults::Plan;
using testing::faults::Reading;
using testing::faults::Writing;

int InputFile::Open(const std::string& path) {
  Close();
  const int open = ++testing::faults::opens;
  if (CurrentPlan().before_open) CurrentPlan().before_open(path, open);
  if (path.empty()) return 2;
  std::error_code ec;
  if (fs::is_directory(testing::faults::FromUtf8(path), ec)) return 5;
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return OpenError(path);
  handle_ = reinterpret_cast<std::intptr_t>(new Reading{file, path, open, 0});
  return 0;
}

int InputFile::Read(char* buffer, std::size_t size, std::size_t* got) {
  Reading& r = *reinterpret_cast<Reading*>(handle_);
  const Plan& plan = CurrentPlan();
  const bool faulty = plan.read_open == r.open;
  if (faulty) {
    if (r.given >= plan.read_fault_at) return plan.read_error;
    if (size > plan.read_fault_at - r.given) size = plan.read_fault_at - r.given;
  }
  *got = std::fread(buffer, 1, size, r.file);
  r.given += *got;
  return std::ferror(r.file) ? 30 : 0;
}

void InputFile::Close() {
  if (handle_ == kClosed) return;
  Reading* r = reinterpret_cast<Reading*>(handle_);
  std::fclose(r->file);
  delete r;
  handle_ = kClosed;
}

int OutputFile::Create(const std::string& path, const InputFile& reading) {
  Close();
  if (path.empty()) return 2;
  std::error_code ec;
  const fs::path p = testing::faults::FromUtf8(path);
  if (fs::is_directory(p, ec)) return 5;
  if (reading.IsOpen()) {
    const Reading& r = *reinterpret_cast<const Reading*>(reading.handle_);
    if (fs::equivalent(testing::faults::FromUtf8(r.path), p, ec)) return 32;
  }
  std::FILE* file = OpenFile(path, "wb");
  if (file == nullptr) return OpenError(path);
  handle_ = reinterpret_cast<std::intptr_t>(new Writing{file, 0, false});
  return 0;
}

int OutputFile::Write(const char* data, std::size_t size) {
  Writing& w = *reinterpret_cast<Writing*>(handle_);
  const Plan& plan = CurrentPlan();
  if (w.failed) return plan.write_error;
  std::size_t room = plan.write_limit - w.written;
  const bool fits = size <= room;
  const std::size_t n = fits ? size : room;
  if (std::fwrite(data, 1, n, w.file) != n) return 30;
  w.written += n;
  if (fits) return 0;
  w.failed = true;
  return plan.write_error;
}

int OutputFile::Close() {
  if (handle_ == kClosed) return 0;
  Writing* w = reinterpret_cast<Writing*>(handle_);
  const int result = std::fclose(w->file) == 0 ? CurrentPlan().close_error : 30;
  delete w;
  handle_ = kClosed;
  return result;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(testing::faults::FromUtf8(path), ec);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(testing::faults::FromUtf8(a), testing::faults::FromUtf8(b), ec);
}

std::string FindCompanionFile(const std::string& path) {
  return IsRegularFile(path) ? path : std::string();
}

std::string ProgramPath() {
  return std::string();
}

}  // namespace ferry::platform
