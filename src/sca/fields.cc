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

// Where the blanks of a text lie, kWidth bytes at a time: a search for the
// end of a field or of a run of separators then takes a shift and a count of
// trailing zeros instead of a test per byte. Bit k of `ends_` is set when
// byte base_ + k ends an unquoted field (0x00 to 0x20), bit k of `starts_`
// when it ends a run of separators (anything but 0x01 to 0x20). Both are set
// at and past the text's end, so that every search stops there.
class BlankMap {
 public:
  BlankMap(const char* data, std::size_t n) : data_(data), n_(n), base_(NoWindow()) {}

  // The first byte from `i` on that is not a separator: a field's first
  // byte, a NUL, or the end.
  std::size_t SkipSeparators(std::size_t i) { return Next(i, &BlankMap::starts_); }
  // The first blank byte (NUL included) from `i` on, or the end.
  std::size_t FieldEnd(std::size_t i) { return Next(i, &BlankMap::ends_); }
  // The text ends at `n` now (a NUL was found ahead).
  void Cut(std::size_t n) {
    n_ = n;
    base_ = NoWindow();
  }

 private:
  static constexpr std::size_t kWidth = 32;

  // A base from which no position up to the end is within kWidth.
  std::size_t NoWindow() const { return n_ + kWidth; }

  std::size_t Next(std::size_t i, std::uint32_t BlankMap::*stops) {
    for (;;) {
      if (i - base_ >= kWidth) Load(i);
      const std::uint32_t ahead = this->*stops >> (i - base_);
      if (ahead != 0) return i + static_cast<std::size_t>(std::countr_zero(ahead));
      i = base_ + kWidth;
    }
  }

  // The window from `at` (not past the end). Near the end it is read from
  // the text's last kWidth bytes, shifted into place, or from a padded copy
  // of a shorter text, so that no byte past the text is read.
  void Load(std::size_t at) {
    base_ = at;
    const std::size_t left = n_ - at;
    if (left >= kWidth) {
      Classify(data_ + at, &ends_, &starts_);
      return;
    }
    std::uint32_t ends;
    std::uint32_t starts;
    if (n_ >= kWidth) {
      Classify(data_ + n_ - kWidth, &ends, &starts);
      ends >>= kWidth - left;
      starts >>= kWidth - left;
    } else {
      char padded[kWidth] = {};
      std::memcpy(padded, data_ + at, left);
      Classify(padded, &ends, &starts);
    }
    const std::uint32_t past_end = ~std::uint32_t{0} << left;
    ends_ = ends | past_end;
    starts_ = starts | past_end;
  }

  // The bits of ends_ and starts_ for the kWidth bytes at `p`.
  static void Classify(const char* p, std::uint32_t* ends, std::uint32_t* starts) {
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i one = _mm_set1_epi8(1);
    const __m128i below_space = _mm_set1_epi8(0x1F);
    std::uint32_t blank = 0;
    std::uint32_t separator = 0;
    for (int half = 0; half < 2; ++half) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * half));
      // Unsigned v <= 0x20, and 0x01 <= v <= 0x20 as v - 1 <= 0x1F.
      const __m128i is_blank = _mm_cmpeq_epi8(_mm_min_epu8(v, space), v);
      const __m128i less_one = _mm_sub_epi8(v, one);
      const __m128i is_separator = _mm_cmpeq_epi8(_mm_min_epu8(less_one, below_space), less_one);
      blank |= static_cast<std::uint32_t>(_mm_movemask_epi8(is_blank)) << (16 * half);
      separator |= static_cast<std::uint32_t>(_mm_movemask_epi8(is_separator)) << (16 * half);
    }
    *ends = blank;
    *starts = ~separator;
#else
    std::uint32_t blank = 0;
    std::uint32_t separator = 0;
    for (std::size_t k = 0; k < kWidth; ++k) {
      const unsigned char c = static_cast<unsigned char>(p[k]);
      blank |= std::uint32_t{c <= 0x20} << k;
      separator |= std::uint32_t{c >= 0x01 && c <= 0x20} << k;
    }
    *ends = blank;
    *starts = ~separator;
#endif
  }

  const char* data_;
  std::size_t n_;
  std::size_t base_;  // the window's first byte
  std::uint32_t ends_ = 0;
  std::uint32_t starts_ = 0;
};

}  // namespace

// The text ends at its first NUL, which is looked for only as far as the
// split goes: an unquoted field and a run of separators stop at a NUL, and a
// quoted field, which may hold blanks, cuts the text at the first NUL after
// its opening quote first. A split with a limit reads no further.
void Fields::SplitFields(std::string_view text, std::size_t limit) {
  Split(text, limit, nullptr);
}

// Upper-casing moves no blank, quote or NUL: the text is split as it is,
// and what the split read is upper-cased into upper_ afterwards.
void Fields::SplitUpperCased(std::string_view text, std::size_t limit) {
  if (upper_.size() < text.size()) upper_.resize(text.size());
  Split(text, limit, upper_.data());
}

void Fields::Split(std::string_view text, std::size_t limit, char* upper) {
  const char* const data = text.data();
  // Entries view `upper` at the places where the split finds them in `text`.
  const char* const view = upper ? upper : data;
  std::size_t n = text.size();
  BlankMap blanks(data, n);
  // Kept in locals, which the compiler need not reload after each entry.
  Entry* slots = entries_.data();
  std::size_t room = entries_.size();
  std::size_t count = 0;
  std::size_t i = blanks.SkipSeparators(0);
  while (i < n && count < limit) {
    const char first = data[i];
    if (first == '\0') break;
    if (count == room) {
      entries_.resize(room < 16 ? 16 : 2 * room);
      slots = entries_.data();
      room = entries_.size();
    }
    Entry& entry = slots[count++];
    if (first != '"') {
      const std::size_t start = i;
      i = blanks.FieldEnd(i + 1);
      entry = {{view + start, i - start}, false};
    } else {
      if (const void* nul = std::memchr(data + i, '\0', n - i)) {
        n = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        text = text.substr(0, n);
        blanks.Cut(n);
      }
      i = TakeQuoted(text, i + 1, count - 1, view, upper != nullptr);
    }
    i = blanks.SkipSeparators(i);
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

}  // namespace ferry
