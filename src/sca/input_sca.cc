#include "sca/input_sca.h"

#include <cstring>
#include <system_error>

#include "base/failure.h"
#include "sca/line_scan.h"

namespace ferry {

namespace {

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

InputSca::InputSca(std::size_t block_size)
    : block_size_(block_size),
      buffer_(new char[block_size + line_scan::kPadding]()),
      data_(buffer_.get()) {}

InputSca::~InputSca() {
  Close();
}

void InputSca::Open(const std::string& path) {
  Close();
  if (int error = file_.Open(path)) throw Failure::Io(error, path);
  path_ = path;
  ++opening_;
  begin_ = end_ = 0;
  at_eof_ = false;
  line_number_ = 0;
}

// The last line read stays readable when its block is refilled, given back
// to the reader thread or freed.
void InputSca::KeepLineReadable() {
  if (!line_in_buffer_) return;
  assembled_.assign(line_);
  line_ = assembled_;
  line_in_buffer_ = false;
  upper_line_ = {};
  SetFirstWord();
}

void InputSca::Close() {
  KeepLineReadable();
  reader_.reset();
  file_.Close();
  data_ = buffer_.get();
  upper_ = nullptr;
  upper_line_ = {};
  hint_ = hints_end_ = nullptr;
  begin_ = end_ = 0;
  at_eof_ = true;
}

bool InputSca::Fill() {
  if (begin_ < end_) return true;
  if (at_eof_) return false;
  KeepLineReadable();
  ReadBlock();
  begin_ = 0;
  if (end_ == 0) at_eof_ = true;
  return end_ > 0;
}

// A file that fills the first block is likely to have more: the rest is read
// ahead by the reader thread (or here, when none can be started).
void InputSca::ReadBlock() {
  if (reader_) {
    const ferry::ReadBlock block = reader_->Next();
    if (block.error != 0) throw Failure::Io(block.error, path_);
    data_ = block.data;
    upper_ = block.upper;
    end_ = block.size;
    hint_ = block.hints;
    hints_end_ = block.hints_end;
    return;
  }
  std::size_t got = 0;
  if (int error = file_.Read(buffer_.get(), block_size_, &got)) throw Failure::Io(error, path_);
  data_ = buffer_.get();
  upper_ = nullptr;
  end_ = got;
  hint_ = hints_end_ = nullptr;
  if (got == block_size_) {
    try {
      reader_ = std::make_unique<BlockReader>(file_, block_size_);
    } catch (const std::system_error&) {
      reader_.reset();
    }
  }
}

// After a line that the reader thread left to this one, its next lines may
// start further on.
void InputSca::ReadUnfoundLine() {
  while (hint_ != hints_end_ && hint_->start < begin_) ++hint_;
  if (hint_ != hints_end_ && hint_->start == begin_) return TakeFoundLine();
  line_ = {};
  line_in_buffer_ = false;
  upper_line_ = {};
  // Most lines lie whole in the buffer and end in LF or CR LF.
  const char* data = data_ + begin_;
  const std::size_t available = end_ - begin_;
  const char* stop = line_scan::FindLineStop(data, available);
  if (stop && *stop == '\n') {
    line_ = {data, static_cast<std::size_t>(stop - data)};
    line_in_buffer_ = true;
    begin_ += line_.size() + 1;
  } else if (stop && *stop == '\r' && stop + 1 < data + available && stop[1] == '\n') {
    line_ = {data, static_cast<std::size_t>(stop - data)};
    line_in_buffer_ = true;
    begin_ += line_.size() + 2;
  } else {
    ReadLineSlowly();
  }
  SetFirstWord();
}

void InputSca::ReadLineSlowly() {
  assembled_.clear();
  char end = TakeUntilLineEnd(&assembled_);
  if (end == kCtrlZ) {
    // The Ctrl-Z is consumed, and so is the rest of its physical line, up to
    // a further Ctrl-Z.
    ++begin_;
    end = TakeUntilLineEnd(nullptr);
  }
  if (end == '\n') ++begin_;
  line_ = assembled_;
}

// Moves up to the next LF or Ctrl-Z, consuming neither, and appends what it
// passes over to `line` (when given) without its CRs. Gives the character it
// stopped at, or 0 at the end of the data.
char InputSca::TakeUntilLineEnd(std::string* line) {
  while (Fill()) {
    const char* data = data_ + begin_;
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

void InputSca::SetFirstWord() {
  const char* text = line_.data();
  const line_scan::LineShape shape = line_scan::ShapeOf(text, line_.size());
  trimmed_ = {text + shape.trim_begin, shape.trim_end - shape.trim_begin};
  first_word_ = {text + shape.trim_begin, shape.word_end - shape.trim_begin};
}

const std::string& InputSca::RawLine() const {
  raw_line_.assign(line_);
  return raw_line_;
}

const std::string& InputSca::CurrentLine() const {
  if (current_made_) return current_line_;
  const std::string_view trimmed = trimmed_;
  current_line_.resize(trimmed.size());
  UpperCaseInto(current_line_.data(), trimmed);
  current_made_ = true;
  return current_line_;
}

}  // namespace ferry
