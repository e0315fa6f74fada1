#include "sca/input_sca.h"

#include <algorithm>
#include <cstring>

#include "base/failure.h"
#include "sca/text.h"

namespace ferry {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr char kCtrlZ = 0x1A;

// Appends [data, data + size) to `line` without its CRs.
void AppendWithoutCr(std::string& line, const char* data, std::size_t size) {
  const char* end = data + size;
  while (data < end) {
    const char* cr = static_cast<const char*>(std::memchr(data, '\r', end - data));
    const char* stop = cr ? cr : end;
    line.append(data, stop - data);
    data = cr ? cr + 1 : end;
  }
}

}  // namespace

InputSca::InputSca() : buffer_(new char[kBufferSize]) {}

void InputSca::Open(const std::string& path) {
  Close();
  if (int error = file_.Open(path)) throw Failure::Io(error, path);
  path_ = path;
  begin_ = end_ = 0;
  at_eof_ = false;
  line_number_ = 0;
}

void InputSca::Close() {
  file_.Close();
  begin_ = end_ = 0;
  at_eof_ = true;
}

bool InputSca::Fill() {
  if (begin_ < end_) return true;
  if (at_eof_) return false;
  std::size_t got = 0;
  if (int error = file_.Read(buffer_.get(), kBufferSize, &got)) throw Failure::Io(error, path_);
  begin_ = 0;
  end_ = got;
  if (got == 0) at_eof_ = true;
  return got > 0;
}

bool InputSca::AtInputEnd() {
  return !Fill() || buffer_[begin_] == kCtrlZ;
}

void InputSca::ReadSourceLine() {
  raw_line_.clear();
  ++line_number_;
  char end = TakeUntilLineEnd(&raw_line_);
  if (end == kCtrlZ) {
    // The Ctrl-Z is consumed, and so is the rest of its physical line, up to
    // a further Ctrl-Z.
    ++begin_;
    end = TakeUntilLineEnd(nullptr);
  }
  if (end == '\n') ++begin_;
  SetCurrentLine();
}

// Moves up to the next LF or Ctrl-Z, consuming neither, and appends what it
// passes over to `line` (when given) without its CRs. Gives the character it
// stopped at, or 0 at the end of the data.
char InputSca::TakeUntilLineEnd(std::string* line) {
  while (Fill()) {
    const char* data = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const void* lf = std::memchr(data, '\n', available);
    std::size_t span =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : available;
    const void* z = std::memchr(data, kCtrlZ, span);
    if (z) span = static_cast<std::size_t>(static_cast<const char*>(z) - data);
    if (line) AppendWithoutCr(*line, data, span);
    begin_ += span;
    if (z) return kCtrlZ;
    if (lf) return '\n';
  }
  return 0;
}

void InputSca::SetCurrentLine() {
  std::string_view trimmed = Trim(raw_line_);
  current_line_.resize(trimmed.size());
  std::transform(trimmed.begin(), trimmed.end(), current_line_.begin(), UpperChar);
}

}  // namespace ferry
