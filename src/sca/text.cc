#include "sca/text.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Sixteen characters at a time where SSE2 is there (a-z are the bytes above
// 0x60 and below 0x7B as signed bytes too); the rest one by one.
void UpperCaseInto(char* out, std::string_view text) {
  const std::size_t n = text.size();
  const char* in = text.data();
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i before_a = _mm_set1_epi8('a' - 1);
  const __m128i after_z = _mm_set1_epi8('z' + 1);
  const __m128i case_bit = _mm_set1_epi8(0x20);
  for (; n - i >= 16; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(v, before_a), _mm_cmpgt_epi8(after_z, v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_sub_epi8(v, _mm_and_si128(lower, case_bit)));
  }
  // The last block again, ending at the text's end, when the text had one.
  if (i < n && n >= 16) {
    i = n - 16;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(v, before_a), _mm_cmpgt_epi8(after_z, v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_sub_epi8(v, _mm_and_si128(lower, case_bit)));
    i = n;
  }
#endif
  for (; i < n; ++i) {
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
