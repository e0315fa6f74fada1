#include "output/output_xml.h"

#include <cstring>
#include <system_error>

#include "base/failure.h"

namespace ferry {

OutputXml::OutputXml() : buffer_(new char[kBufferSize]) {}

OutputXml::~OutputXml() {
  Abandon();
}

void OutputXml::Create(const std::string& path, const platform::InputFile& reading) {
  Abandon();
  if (int error = file_.Create(path, reading)) throw Failure::Io(error, path);
  path_ = path;
  used_ = 0;
  nowhere_ = false;
  write_failed_ = false;
}

void OutputXml::CreateNothing() {
  Abandon();
  path_.clear();
  used_ = 0;
  nowhere_ = true;
  write_failed_ = false;
}

void OutputXml::Append(std::string_view bytes) {
  if (bytes.size() > kBufferSize - used_) {
    Flush();
    if (bytes.size() > kBufferSize) {
      if (nowhere_) return;
      WriteNow(bytes.data(), bytes.size());
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void OutputXml::WriteLongLine(std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) Append(piece);
  Append("\r\n");
}

void OutputXml::WriteRewrittenLine(std::initializer_list<LinePiece> pieces) {
  line_.clear();
  for (const LinePiece& piece : pieces) {
    switch (piece.kind) {
      case LinePiece::Kind::kFixed:
        line_ += piece.text;
        break;
      case LinePiece::Kind::kValue:
        AppendXmlValue(line_, piece.text);
        break;
      case LinePiece::Kind::kComment:
        AppendXmlComment(line_, piece.text);
        break;
    }
  }
  line_ += "\r\n";
  Append(line_);
}

void OutputXml::Flush() {
  if (used_ == 0) return;
  std::size_t size = used_;
  used_ = 0;
  if (nowhere_) return;
  if (!writer_ && !report_) {
    // Without a thread (none can be started), the buffer is written here.
    try {
      writer_ = std::make_unique<BlockWriter>(file_);
      if (!spare_) spare_.reset(new char[kBufferSize]);
    } catch (const std::system_error&) {
      writer_.reset();
    }
  }
  if (!writer_) return WriteNow(buffer_.get(), size);
  AwaitWrites();
  writer_->Write(buffer_.get(), size);
  std::swap(buffer_, spare_);
}

void OutputXml::WriteNow(const char* data, std::size_t size) {
  AwaitWrites();
  if (int error = file_.Write(data, size)) {
    write_failed_ = true;
    throw Failure::Io(error, path_);
  }
}

void OutputXml::AwaitWrites() {
  if (!writer_) return;
  if (int error = writer_->Wait()) {
    write_failed_ = true;
    throw Failure::Io(error, path_);
  }
}

void OutputXml::EndWriter() {
  if (!writer_) return;
  if (writer_->Wait() != 0) write_failed_ = true;
  writer_.reset();
}

void OutputXml::Close() {
  if (!file_.IsOpen()) return;
  try {
    Flush();
    AwaitWrites();
  } catch (...) {
    EndWriter();
    file_.Close();
    throw;
  }
  EndWriter();
  if (int error = file_.Close()) throw Failure::Io(error, path_);
}

void OutputXml::Abandon() {
  if (!file_.IsOpen()) return;
  EndWriter();
  if (used_ > 0 && !write_failed_) file_.Write(buffer_.get(), used_);
  used_ = 0;
  file_.Close();
}

}  // namespace ferry
