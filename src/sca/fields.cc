#include "sca/fields.h"

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "sca/text.h"

namespace ferry {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the byte tricks take the first byte lowest");

bool IsFieldSeparator(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x01 && u <= 0x20;
}

// The end of the unquoted field that starts at `i`: the first blank byte
// from there, or `n`. Eight bytes at a time: a byte below 0x21 sets the high
// bit of its place in (x - 0x21...) & ~x, and the lowest such bit is exact.
std::size_t FieldEnd(const char* data, std::size_t i, std::size_t n) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  while (n - i >= 8) {
    std::uint64_t x;
    std::memcpy(&x, data + i, 8);
    const std::uint64_t below = (x - kOnes * 0x21) & ~x & (kOnes * 0x80);
    if (below != 0) return i + static_cast<std::size_t>(std::countr_zero(below) / 8);
    i += 8;
  }
  while (i < n && !IsBlank(data[i])) ++i;
  return i;
}

// A window of the text, one bit a byte, the first byte lowest.
constexpr std::size_t kWindow = 64;
struct WindowBits {
  std::uint64_t field;    // bytes above 0x20
  std::uint64_t special;  // NUL and '"'
};

WindowBits ClassifyWindow(const char* p) {
  WindowBits bits{0, 0};
#ifdef __SSE2__
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i nul = _mm_setzero_si128();
  for (std::size_t k = 0; k < kWindow; k += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
    // Unsigned v <= 0x20: the smaller of v and 0x20 is v.
    const __m128i blank = _mm_cmpeq_epi8(_mm_min_epu8(v, space), v);
    const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, quote));
    const auto blank_bits = static_cast<std::uint64_t>(_mm_movemask_epi8(blank));
    bits.field |= (~blank_bits & 0xFFFF) << k;
    bits.special |= static_cast<std::uint64_t>(_mm_movemask_epi8(special)) << k;
  }
#else
  for (std::size_t k = 0; k < kWindow; ++k) {
    const unsigned char c = static_cast<unsigned char>(p[k]);
    bits.field |= std::uint64_t{c > 0x20} << k;
    bits.special |= std::uint64_t{c == 0 || c == '"'} << k;
  }
#endif
  return bits;
}

// The window from `at` (before `n`). Bytes past the end are neither field
// nor special. No byte past the text is read: near its end the window is
// taken from the text's last kWindow bytes and shifted into place, or from a
// padded copy of a shorter text.
WindowBits ReadWindow(const char* data, std::size_t at, std::size_t n) {
  const std::size_t left = n - at;
  if (left >= kWindow) return ClassifyWindow(data + at);
  if (n >= kWindow) {
    const WindowBits bits = ClassifyWindow(data + n - kWindow);
    return {bits.field >> (kWindow - left), bits.special >> (kWindow - left)};
  }
  char padded[kWindow] = {};
  std::memcpy(padded, data + at, left);
  const WindowBits bits = ClassifyWindow(padded);
  const std::uint64_t inside = (std::uint64_t{1} << left) - 1;
  return {bits.field & inside, bits.special & inside};
}

}  // namespace

// The text ends at its first NUL, which is looked for only as far as the
// split goes: an unquoted field and a run of separators stop at a NUL, and a
// quoted field, which may hold blanks, cuts the text at the first NUL after
// its opening quote first. A split with a limit reads no further.
void Fields::SplitFields(std::string_view text, std::size_t limit) {
  views_upper_ = false;
  Split(text, limit, nullptr);
}

// Upper-casing moves no blank, quote or NUL: the text is split as it is,
// and what the split read is upper-cased into upper_ afterwards.
void Fields::SplitUpperCased(std::string_view text, std::size_t limit) {
  if (upper_.size() < text.size()) upper_.resize(text.size());
  views_upper_ = true;
  Split(text, limit, upper_.data());
}

// Most fields are short, unquoted and apart by one space: they are taken
// from a window's bits, a field a run of field bits, up to the window's
// first NUL or quote. A field that runs past that, and what starts there, is
// taken one byte at a time.
void Fields::Split(std::string_view text, std::size_t limit, char* upper) {
  const char* const data = text.data();
  // Entries view `upper` at the places where the split finds them in `text`.
  const char* const view = upper ? upper : data;
  std::size_t n = text.size();
  // Kept in locals, which the compiler need not reload after each entry.
  Entry* slots = entries_.data();
  std::size_t room = entries_.size();
  std::size_t count = 0;
  const auto next_slot = [&]() -> Entry& {
    if (count == room) {
      entries_.resize(room < 16 ? 16 : 2 * room);
      slots = entries_.data();
      room = entries_.size();
    }
    return slots[count++];
  };
  std::size_t i = 0;
  while (i < n && count < limit) {
    const WindowBits bits = ReadWindow(data, i, n);
    // Where the window's whole fields end: its first NUL or quote, or its end.
    const auto known = static_cast<std::size_t>(std::countr_zero(bits.special));
    std::uint64_t fields =
        known < kWindow ? bits.field & ((std::uint64_t{1} << known) - 1) : bits.field;
    std::size_t slow_at = known < kWindow ? i + known : SIZE_MAX;
    while (fields != 0) {
      const auto start = static_cast<std::size_t>(std::countr_zero(fields));
      const auto end = start + static_cast<std::size_t>(std::countr_zero(~(fields >> start)));
      if (end >= known) {
        slow_at = i + start;
        break;
      }
      next_slot() = {{view + i + start, end - start}, false};
      if (count == limit) {
        i += end;
        break;
      }
      fields &= ~std::uint64_t{0} << end;
    }
    if (count == limit) break;
    if (slow_at == SIZE_MAX) {
      i = n - i > kWindow ? i + kWindow : n;
      continue;
    }
    i = slow_at;
    while (i < n && IsFieldSeparator(data[i])) ++i;
    if (i == n || data[i] == '\0') break;
    Entry& entry = next_slot();
    if (data[i] != '"') {
      const std::size_t start = i;
      i = FieldEnd(data, i, n);
      entry = {{view + start, i - start}, false};
    } else {
      if (const void* nul = std::memchr(data + i, '\0', n - i)) {
        n = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        text = text.substr(0, n);
      }
      i = TakeQuoted(text, i + 1, count - 1, view, upper != nullptr);
    }
  }
  count_ = count;
  if (held_.size() < count) held_.resize(count);
  // Every entry lies before i.
  if (upper) UpperCaseInto(upper, text.substr(0, i));
}

// Runs up to a quote that is not doubled; a doubled quote stands for one.
// Without a doubled quote the field is a run of the text.
std::size_t Fields::TakeQuoted(std::string_view text, std::size_t i, std::size_t index,
                               const char* view, bool upper) {
  Entry& entry = entries_[index];
  const std::size_t n = text.size();
  const std::size_t quote = text.find('"', i);
  if (quote == std::string_view::npos || quote + 1 >= n || text[quote + 1] != '"') {
    const std::size_t stop = quote == std::string_view::npos ? n : quote;
    entry = {{view + i, stop - i}, false};
    return quote == std::string_view::npos ? n : quote + 1;
  }
  if (held_.size() <= index) held_.resize(index + 1);
  std::string& field = held_[index];
  field.clear();
  while (i < n) {
    const std::size_t next = text.find('"', i);
    if (next == std::string_view::npos) {
      field.append(text.substr(i));
      i = n;
      break;
    }
    field.append(text.substr(i, next - i));
    if (next + 1 < n && text[next + 1] == '"') {
      field += '"';
      i = next + 2;
    } else {
      i = next + 1;
      break;
    }
  }
  if (upper) UpperCaseInPlace(field);
  entry.held = true;
  return i;
}

const std::string& Fields::At(std::size_t i) const {
  if (i >= count_) throw Failure::MissingField(i);
  if (!entries_[i].held) held_[i].assign(entries_[i].text);
  return held_[i];
}

std::string& Fields::Mutable(std::size_t i) {
  if (i >= count_) throw Failure::MissingField(i);
  Entry& entry = entries_[i];
  if (!entry.held) {
    held_[i].assign(entry.text);
    entry.held = true;
  }
  return held_[i];
}

std::string_view Fields::ColonsToSpaces(std::size_t i) {
  if (i >= count_) throw Failure::MissingField(i);
  Entry& entry = entries_[i];
  if (entry.held || !views_upper_) {
    std::string& held = Mutable(i);
    ColonsToSpacesInPlace(held);
    return held;
  }
  char* own = upper_.data() + (entry.text.data() - upper_.data());
  ColonsToSpacesInPlace(own, entry.text.size());
  return entry.text;
}

}  // namespace ferry
