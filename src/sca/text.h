// Text rules shared by every pass. Every byte is one character; nothing is
// decoded, and casing touches the ASCII letters only.
#pragma once

#include <cstddef>
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

// Calls `take` with each space-separated word of the first 255 characters.
template <typename Take>
void ForEachWord(std::string_view text, Take take) {
  text = text.substr(0, kWordWindow);
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    while (i < n && text[i] == ' ') ++i;
    if (i == n) break;
    const std::size_t start = i;
    while (i < n && text[i] != ' ') ++i;
    take(text.substr(start, i - start));
  }
}
std::size_t CountWords(std::string_view text);

std::string ColonsToSpaces(std::string_view text);
void ColonsToSpacesInPlace(std::string& text);

// Whether `needle` occurs in `haystack` as a run of characters; an empty
// needle occurs nowhere.
bool ContainsText(std::string_view haystack, std::string_view needle);

}  // namespace ferry
