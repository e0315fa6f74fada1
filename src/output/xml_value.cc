#include "output/xml_value.h"

#include <cstdint>

namespace ferry {

namespace {

// Windows-1252 0x80 to 0x9F; the five bytes it leaves unassigned stand for
// the C1 controls of the same number.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool InRange(unsigned char c, unsigned char low, unsigned char high) {
  return c >= low && c <= high;
}

// The length of the well-formed sequence at `i`, or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const std::size_t left = text.size() - i;
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (left < length || !InRange(at(1), low, high)) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!InRange(at(k), 0x80, 0xBF)) return 0;
  }
  return length;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendCp1252AsUtf8(std::string& out, std::string_view text) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80)
      out += c;
    else if (u < 0xA0)
      AppendUtf8(out, kCp1252High[u - 0x80]);
    else
      AppendUtf8(out, u);
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the "&" that `text` starts with begins a reference to keep.
bool BeginsReference(std::string_view text) {
  for (std::string_view entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
    if (text.starts_with(entity)) return true;
  }
  std::size_t i;
  bool (*digit)(char);
  if (text.starts_with("&#x")) {
    i = 3;
    digit = IsHexDigit;
  } else if (text.starts_with("&#")) {
    i = 2;
    digit = IsDigit;
  } else {
    return false;
  }
  const std::size_t first = i;
  while (i < text.size() && digit(text[i])) ++i;
  return i > first && i < text.size() && text[i] == ';';
}

void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<')
      out += "&lt;";
    else if (c == '"')
      out += "&quot;";
    else if (c == '&' && !BeginsReference(text.substr(i)))
      out += "&amp;";
    else
      out += c;
  }
}

}  // namespace

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceAt(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

void AppendXmlComment(std::string& out, std::string_view text) {
  if (IsUtf8(text))
    out += text;
  else
    AppendCp1252AsUtf8(out, text);
}

void AppendXmlValue(std::string& out, std::string_view text) {
  if (IsUtf8(text)) {
    AppendEscaped(out, text);
    return;
  }
  std::string utf8;
  AppendCp1252AsUtf8(utf8, text);
  AppendEscaped(out, utf8);
}

}  // namespace ferry
