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
  ColonsToSpacesInPlace(text.data(), text.size());
}

// Eight bytes at a time, the last eight again where the size is no multiple
// of eight (a colon made a space once is no colon the second time). A byte
// is a colon where v = x ^ 0x3A3A... is zero: ((v & 0x7F...) + 0x7F...) | v
// sets the high bit of every other place, with no carry between places.
void ColonsToSpacesInPlace(char* text, std::size_t size) {
  if (size < 8) {
    std::replace(text, text + size, ':', ' ');
    return;
  }
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const auto replace_eight = [](char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    const std::uint64_t v = x ^ (kOnes * ':');
    const std::uint64_t low7 = kOnes * 0x7F;
    const std::uint64_t colons = ~(((v & low7) + low7) | v) & (kOnes * 0x80);
    x ^= (colons >> 7) * (':' ^ ' ');
    std::memcpy(p, &x, 8);
  };
  for (std::size_t i = 0; i + 8 <= size; i += 8) replace_eight(text + i);
  if (size % 8 != 0) replace_eight(text + size - 8);
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  return !needle.empty() && haystack.find(needle) != std::string_view::npos;
}

}  // namespace ferry
