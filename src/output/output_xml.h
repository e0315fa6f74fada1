// OutputXml: the output document. Lines are collected in a large buffer and
// written out in blocks; every line ends with CR LF and its bytes are kept
// as they are.
#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace ferry {

class OutputXml {
 public:
  OutputXml();
  ~OutputXml();

  // Creates or empties `path`. Refuses the file that `reading` has open.
  void Create(const std::string& path, const platform::InputFile& reading);
  // Appends the line's bytes and CR LF.
  void WriteXmlLine(std::string_view line) { WriteXmlLine({line}); }
  // The same for a line made of several pieces. Defined here so that the
  // compiler sees the pieces of each call, most of them literals of known
  // length, and copies them without a call per piece.
  void WriteXmlLine(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 2;
    for (std::string_view piece : pieces) size += piece.size();
    if (size > kBufferSize - used_) return WriteLongLine(pieces);
    char* at = buffer_.get() + used_;
    for (std::string_view piece : pieces) {
      std::memcpy(at, piece.data(), piece.size());
      at += piece.size();
    }
    at[0] = '\r';
    at[1] = '\n';
    used_ += size;
  }
  // Writes out what is held back and closes the file; failure stops the run.
  void Close();
  // After a stop: writes out what it can and closes, reporting nothing.
  void Abandon();

  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Path() const { return path_; }

 private:
  static constexpr std::size_t kBufferSize = 1024 * 1024;

  // A line that does not fit into what is left of the buffer.
  void WriteLongLine(std::initializer_list<std::string_view> pieces);
  void Append(std::string_view bytes);
  void Flush();

  platform::OutputFile file_;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace ferry
