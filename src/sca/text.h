// Text rules shared by every pass. Every byte is one character; nothing is
// decoded, and casing touches the ASCII letters only.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ferry {

// Word operations look at this many leading characters only.
inline constexpr std::size_t kWordWindow = 255;

inline bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
inline char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Removes the characters 0x00 to 0x20 from both ends.
std::string_view Trim(std::string_view text);
void UpperCaseInPlace(std::string& text);
std::string UpperCase(std::string_view text);
// Writes `text` upper-cased to `out`, which has room for text.size() characters.
void UpperCaseInto(char* out, std::string_view text);
// Inline: every item of a building statement is compared with the section
// words.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  }
  return true;
}

// The first space-separated word of the first 255 characters, or empty.
std::string_view FirstWord(std::string_view text);

// The first space in [i, n) of `text`, or n. Eight bytes at a time: a
// space makes its place in v = x ^ 0x2020... zero, which sets the high bit
// of that place in (v - 0x0101...) & ~v; the lowest such bit is exact.
inline std::size_t NextSpace(const char* text, std::size_t i, std::size_t n) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  static_assert(std::endian::native == std::endian::little);
  for (; n - i >= 8; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, text + i, 8);
    const std::uint64_t v = x ^ (kOnes * ' ');
    const std::uint64_t zero = (v - kOnes) & ~v & (kOnes * 0x80);
    if (zero != 0) return i + static_cast<std::size_t>(std::countr_zero(zero) / 8);
  }
  while (i < n && text[i] != ' ') ++i;
  return i;
}

// Calls `take` with each space-separated word of the first 255 characters.
template <typename Take>
void ForEachWord(std::string_view text, Take take) {
  text = text.substr(0, kWordWindow);
  const char* data = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    while (i < n && data[i] == ' ') ++i;
    if (i == n) break;
    const std::size_t start = i;
    i = NextSpace(data, i, n);
    take(text.substr(start, i - start));
  }
}
std::size_t CountWords(std::string_view text);

std::string ColonsToSpaces(std::string_view text);
void ColonsToSpacesInPlace(std::string& text);
void ColonsToSpacesInPlace(char* text, std::size_t size);

// Whether `needle` occurs in `haystack` as a run of characters; an empty
// needle occurs nowhere.
bool ContainsText(std::string_view haystack, std::string_view needle);

}  // namespace ferry
