// OutputXml: the output document. Lines are collected in a large buffer and
// written out in blocks; every line ends with CR LF.
//
// A full buffer goes to a BlockWriter thread while the converters fill a
// second one. The blocks, and so the writes, are the same as without it; a
// failed write is reported by the next call that writes or waits (Flush,
// Close, AwaitWrites), and nothing that follows it in the document is
// written. With a report attached, the buffers are written on the caller's
// thread, so that the report of a stopped run ends where the run did.
#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "base/copy_bytes.h"
#include "output/block_writer.h"
#include "output/plain_text.h"
#include "output/run_report.h"
#include "output/value_check.h"
#include "output/xml_value.h"
#include "platform/file.h"

namespace ferry {

// The pieces of an output line. A string literal is fixed text of a template
// and is written as it stands; any other text must say what it is, so that
// no text of an input file reaches the document without passing the value
// rules (xml_value.h).
struct FixedText {
  std::string_view text;  // a template's text that is not a literal
};
struct ValueText {
  std::string_view text;  // an input text inside an attribute value
  AttributeKey attribute;
};
struct CommentText {
  std::string_view text;  // an input text inside a comment
};
// An input text inside an attribute value that may be proven plain
// (plain_text.h): then it is not tested again.
struct ScannedValueText {
  ScannedText text;
  AttributeKey attribute;
};

inline FixedText Fixed(std::string_view text) {
  return {text};
}
inline ValueText Value(std::string_view text, AttributeKey attribute) {
  return {text, attribute};
}
inline ScannedValueText Value(ScannedText text, AttributeKey attribute) {
  return {text, attribute};
}
inline CommentText Comment(std::string_view text) {
  return {text};
}

// One piece of a line that the value rules may change.
struct LinePiece {
  enum class Kind { kFixed, kValue, kComment };
  std::string_view text;
  Kind kind;
};

class OutputXml {
 public:
  OutputXml();
  ~OutputXml();

  // Creates or empties `path`. Refuses the file that `reading` has open.
  void Create(const std::string& path, const platform::InputFile& reading);

  // Tells `report` of every value written, at the statement `place` holds.
  // Without it (null), nothing is told.
  void AttachReport(RunReport* report, const StatementPlace* place) {
    report_ = report;
    place_ = place;
  }
  // Takes lines and writes nothing: for a run that checks and converts
  // nothing.
  void CreateNothing();

  // Appends the line's pieces and CR LF. A template: the compiler sees the
  // pieces of each call, most of them literals of known length, and copies
  // them without a call per piece.
  template <typename... Pieces>
  void WriteXmlLine(const Pieces&... pieces) {
    if (report_) (Report(pieces), ...);
    if ((MayRewrite(pieces) || ...)) return WriteRewrittenLine({Piece(pieces)...});
    const std::size_t size = LineSize(pieces...);
    if (size > kBufferSize - used_) return WriteLongLine({Text(pieces)...});
    PutLine(buffer_.get() + used_, pieces...);
    used_ += size;
  }
  // The bytes a line of these pieces takes, with its CR LF; and the line put
  // at `at`, which has room for it, as it stands: for lines whose values are
  // plain, formed by the caller between BeginDirect and EndDirect.
  template <typename... Pieces>
  static std::size_t LineSize(const Pieces&... pieces) {
    return (Size(pieces) + ... + 2);
  }
  template <typename... Pieces>
  static char* PutLine(char* at, const Pieces&... pieces) {
    ((at = Copy(at, pieces)), ...);
    at[0] = '\r';
    at[1] = '\n';
    return at + 2;
  }
  // For a run of lines that the caller forms itself, with one test for room
  // instead of one a line: where to write them when `size` bytes fit into
  // what is left of the buffer and no report is attached, else null. Then
  // the caller writes at most `size` bytes there and hands their end to
  // EndDirect; given null, it writes the lines with WriteXmlLine, so that the
  // blocks handed to the writer, and the report, are as always.
  char* BeginDirect(std::size_t size) {
    if (report_ || size > kBufferSize - used_) return nullptr;
    return buffer_.get() + used_;
  }
  void EndDirect(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  // Writes out what is held back and closes the file; failure stops the run.
  void Close();
  // Waits for the writer thread: a block that it failed to write stops the
  // run. A run that stops for another failure asks this first, since the
  // writer's failure lies before it in the document.
  void AwaitWrites();
  // After a stop: writes out what it can and closes, reporting nothing.
  void Abandon();

  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Path() const { return path_; }

 private:
  static constexpr std::size_t kBufferSize = 1024 * 1024;

  template <std::size_t N>
  static constexpr std::string_view Text(const char (&literal)[N]) {
    return {literal, N - 1};
  }
  template <typename P>
  static std::string_view Text(const P& piece) {
    return piece.text;
  }
  static std::string_view Text(const ScannedValueText& piece) { return piece.text.Text(); }
  template <typename P>
  static std::size_t Size(const P& piece) {
    return Text(piece).size();
  }
  // A literal's length is known where it is copied; other texts are short.
  template <std::size_t N>
  static char* Copy(char* at, const char (&literal)[N]) {
    std::memcpy(at, literal, N - 1);
    return at + N - 1;
  }
  template <typename P>
  static char* Copy(char* at, const P& piece) {
    const std::string_view text = Text(piece);
    return CopyBytes(at, text.data(), text.size());
  }

  template <std::size_t N>
  static bool MayRewrite(const char (&)[N]) {
    return false;
  }
  static bool MayRewrite(const FixedText&) { return false; }
  static bool MayRewrite(const ValueText& piece) { return ferry::MayRewrite(piece.text, false); }
  static bool MayRewrite(const CommentText& piece) { return ferry::MayRewrite(piece.text, true); }
  static bool MayRewrite(const ScannedValueText& piece) {
    return !piece.text.Plain() && ferry::MayRewrite(piece.text.Text(), false);
  }

  template <typename P>
  void Report(const P&) {}
  void Report(const ValueText& piece) { report_->WroteValue(piece.attribute, piece.text, *place_); }
  void Report(const ScannedValueText& piece) {
    report_->WroteValue(piece.attribute, piece.text.Text(), *place_);
  }

  template <std::size_t N>
  static LinePiece Piece(const char (&literal)[N]) {
    return {Text(literal), LinePiece::Kind::kFixed};
  }
  static LinePiece Piece(const FixedText& piece) { return {piece.text, LinePiece::Kind::kFixed}; }
  static LinePiece Piece(const ValueText& piece) { return {piece.text, LinePiece::Kind::kValue}; }
  static LinePiece Piece(const ScannedValueText& piece) {
    return {piece.text.Text(), LinePiece::Kind::kValue};
  }
  static LinePiece Piece(const CommentText& piece) {
    return {piece.text, LinePiece::Kind::kComment};
  }

  // A line that does not fit into what is left of the buffer.
  void WriteLongLine(std::initializer_list<std::string_view> pieces);
  // A line with a value that the value rules may change.
  void WriteRewrittenLine(std::initializer_list<LinePiece> pieces);
  void Append(std::string_view bytes);
  void Flush();
  // Writes `size` bytes at `data` on this thread, after the writer's block.
  void WriteNow(const char* data, std::size_t size);
  void EndWriter();

  platform::OutputFile file_;
  std::string path_;
  std::unique_ptr<char[]> buffer_;  // the buffer being filled
  std::unique_ptr<char[]> spare_;   // the other one, which the writer may hold
  std::unique_ptr<BlockWriter> writer_;
  bool write_failed_ = false;  // nothing more may be written
  std::size_t used_ = 0;
  std::string line_;  // a rewritten line, reused
  bool nowhere_ = false;
  RunReport* report_ = nullptr;
  const StatementPlace* place_ = nullptr;
};

}  // namespace ferry
