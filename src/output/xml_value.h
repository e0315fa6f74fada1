// How a text taken from an input file is carried in the document.
//
// The scenery compiler reads the document as UTF-8 XML. A value that is not
// UTF-8 comes from a source of the Windows-1252 years and is re-encoded; then
// the characters that would end an attribute value or start markup are
// escaped. References an author already wrote (&amp; &lt; &gt; &quot; &apos;
// &#N; &#xH;) are kept as they are.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ferry {

// Whether the text is well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsUtf8(std::string_view text);

// Appends the text as an attribute value: UTF-8 as it is, else read as
// Windows-1252; then "<" as "&lt;", "\"" as "&quot;" and "&" as "&amp;"
// unless it begins a reference.
void AppendXmlValue(std::string& out, std::string_view text);
// Appends the text as a comment's: the encoding step alone.
void AppendXmlComment(std::string& out, std::string_view text);

inline std::string XmlValue(std::string_view text) {
  std::string out;
  AppendXmlValue(out, text);
  return out;
}

namespace detail {
// For each byte: 1 when a value holding it may change, 2 when a comment may.
inline constexpr auto kMayRewrite = [] {
  std::array<unsigned char, 256> table{};
  for (int c = 0x80; c < 0x100; ++c) table[c] = 1 | 2;
  table['&'] = table['<'] = table['"'] = 1;
  return table;
}();
}  // namespace detail

// Whether AppendXmlValue (or, with `comment`, AppendXmlComment) could give
// anything but the text itself. Most values are plain ASCII: this is the
// test that lets them through untouched.
inline bool MayRewrite(std::string_view text, bool comment) {
  const unsigned char mask = comment ? 2 : 1;
  unsigned char seen = 0;
  for (char c : text) seen |= detail::kMayRewrite[static_cast<unsigned char>(c)];
  return (seen & mask) != 0;
}

}  // namespace ferry
