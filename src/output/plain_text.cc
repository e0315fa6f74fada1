#include "output/plain_text.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ferry {

namespace {

#ifdef __SSE2__
// A mask whose set bytes are the block's bytes that are not plain: "&",
// "<", '"' and those from 0x80.
inline __m128i NotPlain(__m128i v) {
  const __m128i amp = _mm_cmpeq_epi8(v, _mm_set1_epi8('&'));
  const __m128i lt = _mm_cmpeq_epi8(v, _mm_set1_epi8('<'));
  const __m128i quote = _mm_cmpeq_epi8(v, _mm_set1_epi8('"'));
  // From 0x80 up: the sign bit, which movemask reads.
  return _mm_or_si128(_mm_or_si128(amp, lt), _mm_or_si128(quote, v));
}

inline __m128i UpperCased(__m128i v) {
  const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('a' - 1)),
                                      _mm_cmpgt_epi8(_mm_set1_epi8('z' + 1), v));
  return _mm_sub_epi8(v, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
}
#endif

}  // namespace

// Sixteen bytes at a time where SSE2 is there; a text of 16 bytes or more
// takes its last block again, ending at its end.
ScannedLine ScannedLine::Scan(std::string_view text) {
  const std::size_t n = text.size();
  const char* in = text.data();
#ifdef __SSE2__
  if (n >= 16) {
    __m128i seen = _mm_setzero_si128();
    for (std::size_t i = 0; n - i >= 16; i += 16)
      seen =
          _mm_or_si128(seen, NotPlain(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i))));
    seen = _mm_or_si128(seen,
                        NotPlain(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + n - 16))));
    return {text, _mm_movemask_epi8(seen) == 0};
  }
#endif
  return {text, !MayRewrite(text, false)};
}

ScannedLine ScannedLine::UpperCaseInto(char* out, std::string_view text) {
  const std::size_t n = text.size();
  const char* in = text.data();
#ifdef __SSE2__
  if (n >= 16) {
    __m128i seen = _mm_setzero_si128();
    const auto block = [&](std::size_t i) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
      seen = _mm_or_si128(seen, NotPlain(v));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), UpperCased(v));
    };
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) block(i);
    if (i < n) block(n - 16);
    return {{out, n}, _mm_movemask_epi8(seen) == 0};
  }
#endif
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    out[i] = static_cast<char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 32 : 0));
  }
  return {{out, n}, !MayRewrite({out, n}, false)};
}

}  // namespace ferry
