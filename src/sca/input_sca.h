// InputSca: the run's single input channel, and the line reader over it.
//
// A line runs up to the first LF, the first Ctrl-Z or the end of the data;
// every CR on the way is dropped. A Ctrl-Z that ends a line is consumed, and
// the rest of that physical line is skipped; a Ctrl-Z at the start of a line
// ends the input. Lines have no length limit; the file is read in blocks and
// never held whole.
//
// A line is not copied when it can be helped: Line() views the read buffer,
// and only a line that crosses the end of the buffer, or holds a CR other
// than the one before its LF, is put together in a string of its own. The
// trimmed, upper-cased CurrentLine is made on the first ask for it, which
// only the lines that a converter splits need: a pass decides a line by its
// first word (FirstWordIs), which is found when the line is read.
//
// A file longer than one block is read ahead by a BlockReader thread, which
// also finds the lines of each block; a failed read is met where the reading
// got to, as without it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "sca/block_reader.h"
#include "sca/text.h"

namespace ferry {

class InputSca {
 public:
  static constexpr std::size_t kBlockSize = 256 * 1024;

  // Reads files in blocks of `block_size` bytes (tests use small ones).
  explicit InputSca(std::size_t block_size = kBlockSize);
  ~InputSca();

  // Opens `path` for reading, at its first byte. Failure stops the run.
  void Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // True when no character is left or the next one is a Ctrl-Z.
  bool AtInputEnd() {
    if (begin_ == end_ && !Fill()) return true;
    return data_[begin_] == kCtrlZ;
  }
  // Reads the next line (RawLine); CurrentLine is RawLine trimmed and
  // upper-cased. With no character left, every read gives the empty line. A
  // read at a Ctrl-Z that ends the input (AtInputEnd) would go on past it:
  // the passes test AtInputEnd before every read.
  void ReadSourceLine() {
    ++line_number_;
    current_made_ = false;
    if (hint_ != hints_end_ && hint_->start == begin_) return TakeFoundLine();
    ReadUnfoundLine();
  }

  // RawLine as a view: valid until the next read.
  std::string_view Line() const { return line_; }
  // RawLine trimmed: CurrentLine in the letter case of the file.
  std::string_view TrimmedLine() const { return trimmed_; }
  // Whether FirstWord(CurrentLine()) is `keyword`, which holds no lower-case
  // letter. The line's first word is found when it is read, in the letter
  // case of the file; no CurrentLine is made for the test.
  bool FirstWordIs(std::string_view keyword) const {
    return EqualsIgnoringCase(first_word_, keyword);
  }
  // FirstWord(CurrentLine()) in the letter case of the file.
  std::string_view FirstWordAsRead() const { return first_word_; }

  const std::string& RawLine() const;
  const std::string& CurrentLine() const;
  // CurrentLine as a view: valid until the next read. A line that the reader
  // thread found is not copied.
  std::string_view UpperLine() const {
    if (upper_line_.data() != nullptr) return upper_line_;
    return CurrentLine();
  }
  // How many lines the open file has given so far: the number of the last.
  long LineNumber() const { return line_number_; }
  const std::string& Path() const { return path_; }
  // How many times a file was opened: a new number for each file read.
  long Opening() const { return opening_; }
  const platform::InputFile& File() const { return file_; }

 private:
  static constexpr char kCtrlZ = 0x1A;

  // Makes at least one unread byte available; false at the end of the data.
  bool Fill();
  void KeepLineReadable();
  // Reads the next block on this thread, or takes it from the reader.
  void ReadBlock();
  // Takes the line that the reader thread found where this one stands.
  void TakeFoundLine() {
    const LineHint& found = *hint_++;
    const char* text = data_ + begin_;
    line_ = {text, found.length};
    line_in_buffer_ = true;
    trimmed_ = {text + found.trim_begin, found.trim_end - found.trim_begin};
    first_word_ = {text + found.trim_begin, found.word_end - found.trim_begin};
    upper_line_ = {upper_ + begin_ + found.trim_begin, trimmed_.size()};
    begin_ += found.length + found.ending;
  }
  // A line that the reader thread did not find where this one stands.
  void ReadUnfoundLine();
  // A line that does not lie whole in the buffer, or holds a CR or Ctrl-Z
  // before its LF: put together in `assembled_`.
  void ReadLineSlowly();
  char TakeUntilLineEnd(std::string* line);
  void SetFirstWord();

  platform::InputFile file_;
  std::string path_;
  const std::size_t block_size_;
  std::unique_ptr<char[]> buffer_;  // the block read on this thread
  std::unique_ptr<BlockReader> reader_;
  const char* data_;             // the block being read: buffer_ or the reader's
  const char* upper_ = nullptr;  // the reader's block upper-cased
  const LineHint* hint_ = nullptr;
  const LineHint* hints_end_ = nullptr;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_eof_ = true;
  long line_number_ = 0;
  long opening_ = 0;
  std::string_view line_;        // the buffer's bytes or assembled_
  bool line_in_buffer_ = false;  // line_ views the buffer
  std::string assembled_;        // a line put together from pieces
  std::string_view trimmed_;     // line_ trimmed
  std::string_view first_word_;  // within trimmed_
  std::string_view upper_line_;  // trimmed_ upper-cased in the reader's block, or null
  mutable std::string raw_line_;
  mutable std::string current_line_;
  mutable bool current_made_ = false;
};

}  // namespace ferry
