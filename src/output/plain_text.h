// Texts proven plain: holding nothing that the value rules (xml_value.h)
// change, that is no byte from 0x80 up and no "&", "<" or '"'. The writer
// copies a plain value without testing it byte by byte again; a report is
// still told of it. Only this file makes a text plain: a literal checked when
// the program is compiled, or a part of a line that was scanned.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/copy_bytes.h"
#include "output/xml_value.h"

namespace ferry {

class PlainText {
 public:
  // A template's literal; one that is not plain does not compile.
  template <std::size_t N>
  consteval PlainText(const char (&literal)[N]) : text_(literal, N - 1) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
      if (detail::kMayRewrite[static_cast<unsigned char>(literal[i])] & 1) throw "not plain";
    }
  }
  constexpr std::string_view Text() const { return text_; }

 private:
  friend class ScannedLine;
  friend class KeptText;
  constexpr explicit PlainText(std::string_view text) : text_(text) {}
  std::string_view text_;
};

// An input text, and whether it is proven plain. One that is not is tested
// when it is written, as any value.
class ScannedText {
 public:
  constexpr ScannedText() = default;
  constexpr ScannedText(PlainText text) : text_(text.Text()), plain_(true) {}
  // A text not proven plain.
  static constexpr ScannedText Untested(std::string_view text) { return ScannedText(text, false); }

  std::string_view Text() const { return text_; }
  bool Plain() const { return plain_; }

 private:
  constexpr ScannedText(std::string_view text, bool plain) : text_(text), plain_(plain) {}
  std::string_view text_;
  bool plain_ = true;
};

// A line looked at once for plainness: every part of a plain line is plain.
class ScannedLine {
 public:
  ScannedLine() = default;
  // Scans `text` as it stands.
  static ScannedLine Scan(std::string_view text);
  // Writes `text` to `out` (room for text.size() characters, not overlapping)
  // with its letters a-z upper-cased, as UpperCaseInto, and scans the copy.
  static ScannedLine UpperCaseInto(char* out, std::string_view text);

  std::string_view Text() const { return text_; }
  bool Plain() const { return plain_; }
  // Whether `part` lies within the line.
  bool Holds(std::string_view part) const {
    const auto begin = reinterpret_cast<std::uintptr_t>(text_.data());
    const auto at = reinterpret_cast<std::uintptr_t>(part.data());
    return at >= begin && at - begin <= text_.size() && part.size() <= text_.size() - (at - begin);
  }
  // `part` as a scanned text: plain when the line is, which requires that
  // `part` lies within it (Holds: the caller took it from Text()). That is
  // not checked again for every word; a debug build asserts it. A line that
  // is not plain, as a default one, gives any text untested.
  ScannedText Part(std::string_view part) const {
    if (!plain_) return ScannedText::Untested(part);
    assert(Holds(part));
    return PlainText(part);
  }

 private:
  ScannedLine(std::string_view text, bool plain) : text_(text), plain_(plain) {}
  std::string_view text_;
  bool plain_ = false;
};

// `text`, scanned on its own.
inline ScannedText Scanned(std::string_view text) {
  const ScannedLine line = ScannedLine::Scan(text);
  return line.Part(line.Text());
}

// A copy of a scanned text that outlives what it was taken from, with its
// plainness: a building area's values, carried from building to building.
// Short texts, most of them, are held within the object.
class KeptText {
 public:
  KeptText() = default;
  KeptText(PlainText text) { Assign(text); }
  KeptText& operator=(PlainText text) {
    Assign(text);
    return *this;
  }

  void Assign(ScannedText text) {
    plain_ = text.Plain();
    const std::string_view bytes = text.Text();
    size_ = bytes.size();
    if (size_ <= sizeof short_) {
      CopyBytes(short_, bytes.data(), size_);
    } else {
      long_.assign(bytes);
    }
  }
  std::string_view Text() const {
    return size_ <= sizeof short_ ? std::string_view(short_, size_) : std::string_view(long_);
  }
  ScannedText View() const {
    return plain_ ? ScannedText(PlainText(Text())) : ScannedText::Untested(Text());
  }

 private:
  char short_[24];
  std::size_t size_ = 0;
  bool plain_ = true;
  std::string long_;
};

}  // namespace ferry
