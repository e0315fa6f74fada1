// OutputXml: the output document. Lines are collected in a large buffer and
// written out in blocks; every line ends with CR LF and its bytes are kept
// as they are.
#pragma once

#include <cstddef>
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
  void WriteXmlLine(std::string_view line);
  // The same for a line made of several pieces.
  void WriteXmlLine(std::initializer_list<std::string_view> pieces);
  // Writes out what is held back and closes the file; failure stops the run.
  void Close();
  // After a stop: writes out what it can and closes, reporting nothing.
  void Abandon();

  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Path() const { return path_; }

 private:
  void Append(std::string_view bytes);
  void Flush();

  platform::OutputFile file_;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace ferry
