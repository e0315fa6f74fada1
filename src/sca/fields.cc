#include "sca/fields.h"

#include <bit>
#include <cstdint>
#include <cstring>

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

}  // namespace

// The text ends at its first NUL, which is looked for only as far as the
// split goes: an unquoted field and a run of separators stop at a NUL, and a
// quoted field, which may hold blanks, cuts the text at the first NUL after
// its opening quote first. A split with a limit reads no further.
void Fields::SplitFields(std::string_view text, std::size_t limit) {
  count_ = 0;
  const char* const data = text.data();
  std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && IsFieldSeparator(data[i])) ++i;
  while (i < n && count_ < limit && data[i] != '\0') {
    Entry& entry = NewEntry();
    if (data[i] == '"') {
      if (const void* nul = std::memchr(data + i, '\0', n - i)) {
        n = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        text = text.substr(0, n);
      }
      ++i;
      // Runs up to a quote that is not doubled; a doubled quote stands for
      // one. Without a doubled quote the field is a run of the text.
      const std::size_t start = i;
      const std::size_t quote = text.find('"', i);
      if (quote == std::string_view::npos || quote + 1 >= n || data[quote + 1] != '"') {
        const std::size_t stop = quote == std::string_view::npos ? n : quote;
        entry = {text.substr(start, stop - start), false};
        i = quote == std::string_view::npos ? n : quote + 1;
      } else {
        if (held_.size() < count_) held_.resize(count_);
        std::string& field = held_[count_ - 1];
        field.clear();
        while (i < n) {
          const std::size_t next = text.find('"', i);
          if (next == std::string_view::npos) {
            field.append(text.substr(i));
            i = n;
            break;
          }
          field.append(text.substr(i, next - i));
          if (next + 1 < n && data[next + 1] == '"') {
            field += '"';
            i = next + 2;
          } else {
            i = next + 1;
            break;
          }
        }
        entry.held = true;
      }
    } else {
      const std::size_t start = i;
      i = FieldEnd(data, i, n);
      entry = {text.substr(start, i - start), false};
    }
    while (i < n && IsFieldSeparator(data[i])) ++i;
  }
  if (held_.size() < count_) held_.resize(count_);
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
