#include "sca/line_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "sca/text.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ferry::line_scan {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the byte trick takes the first byte lowest");

// The position of the first byte above 0x20, or the size. Eight bytes at a
// time: such a byte sets the high bit of its place in (x + 0x5F...) | x, and
// the lowest such bit is exact.
std::size_t FirstNonBlank(const char* text, std::size_t n) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  std::size_t i = 0;
  for (; n - i >= 8; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, text + i, 8);
    const std::uint64_t above = ((x + kOnes * 0x5F) | x) & (kOnes * 0x80);
    if (above != 0) return i + static_cast<std::size_t>(std::countr_zero(above) / 8);
  }
  while (i < n && IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

// With SSE2, 32 bytes at a time; the last load may reach past `size` into
// bytes of an earlier read or the buffer's padding.
const char* FindLineStop(const char* data, std::size_t size) {
#ifdef __SSE2__
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i z = _mm_set1_epi8(0x1A);
  const auto stops = [&](std::size_t i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)),
                                     _mm_cmpeq_epi8(v, z));
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
  };
  for (std::size_t i = 0; i < size; i += 32) {
    const unsigned mask = stops(i) | (stops(i + 16) << 16);
    if (mask != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      return at < size ? data + at : nullptr;
    }
  }
  return nullptr;
#else
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' || data[i] == '\r' || data[i] == 0x1A) return data + i;
  }
  return nullptr;
#endif
}

LineShape ShapeOf(const char* line, std::size_t size) {
  const std::size_t begin = FirstNonBlank(line, size);
  std::size_t end = size;
  while (end > begin && IsBlank(line[end - 1])) --end;
  const std::size_t window = end - begin > kWordWindow ? begin + kWordWindow : end;
  return {begin, end, NextSpace(line, begin, window)};
}

}  // namespace ferry::line_scan
