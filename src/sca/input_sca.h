// InputSca: the run's single input channel, and the line reader over it.
//
// A line runs up to the first LF, the first Ctrl-Z or the end of the data;
// every CR on the way is dropped. A Ctrl-Z that ends a line is consumed, and
// the rest of that physical line is skipped; a Ctrl-Z at the start of a line
// ends the input. Lines have no length limit; the file is read in blocks and
// never held whole.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/file.h"

namespace ferry {

class InputSca {
 public:
  InputSca();

  // Opens `path` for reading, at its first byte. Failure stops the run.
  void Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // True when no character is left or the next one is a Ctrl-Z.
  bool AtInputEnd();
  // Reads the next line into RawLine, and CurrentLine trimmed and upper-cased.
  // With no character left, every read gives the empty line. A read at a
  // Ctrl-Z that ends the input (AtInputEnd) would go on past it: the passes
  // test AtInputEnd before every read.
  void ReadSourceLine();

  const std::string& RawLine() const { return raw_line_; }
  const std::string& CurrentLine() const { return current_line_; }
  // How many lines the open file has given so far: the number of the last.
  long LineNumber() const { return line_number_; }
  const std::string& Path() const { return path_; }
  const platform::InputFile& File() const { return file_; }

 private:
  // Makes at least one unread byte available; false at the end of the data.
  bool Fill();
  char TakeUntilLineEnd(std::string* line);
  void SetCurrentLine();

  platform::InputFile file_;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_eof_ = true;
  long line_number_ = 0;
  std::string raw_line_;
  std::string current_line_;
};

}  // namespace ferry
