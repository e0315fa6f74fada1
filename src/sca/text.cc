#include "sca/text.h"

#include <algorithm>

namespace ferry {

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void UpperCaseInPlace(std::string& text) {
  for (char& c : text) c = UpperChar(c);
}

// Without a branch per character, so that the compiler can take many at once.
void UpperCaseInto(char* out, std::string_view text) {
  const std::size_t n = text.size();
  const char* in = text.data();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    const unsigned char lower = static_cast<unsigned char>(c - 'a') < 26 ? 32 : 0;
    out[i] = static_cast<char>(c - lower);
  }
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  UpperCaseInPlace(result);
  return result;
}

std::string_view FirstWord(std::string_view text) {
  text = text.substr(0, kWordWindow);
  std::size_t begin = 0;
  while (begin < text.size() && text[begin] == ' ') ++begin;
  std::size_t end = begin;
  while (end < text.size() && text[end] != ' ') ++end;
  return text.substr(begin, end - begin);
}

std::size_t CountWords(std::string_view text) {
  text = text.substr(0, kWordWindow);
  std::size_t count = 0;
  bool in_word = false;
  for (char c : text) {
    if (c == ' ') {
      in_word = false;
    } else if (!in_word) {
      in_word = true;
      ++count;
    }
  }
  return count;
}

std::string ColonsToSpaces(std::string_view text) {
  std::string result(text);
  ColonsToSpacesInPlace(result);
  return result;
}

void ColonsToSpacesInPlace(std::string& text) {
  std::replace(text.begin(), text.end(), ':', ' ');
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  return !needle.empty() && haystack.find(needle) != std::string_view::npos;
}

}  // namespace ferry
