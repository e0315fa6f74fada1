// How the line reader finds a line's end, its trimmed bounds and its first
// word: one definition for the reader and for the thread that looks ahead of
// it (block_reader.h), so that both find the same lines.
#pragma once

#include <cstddef>

namespace ferry::line_scan {

// Bytes past a buffer's end that FindLineStop may read.
inline constexpr std::size_t kPadding = 32;

// The first LF, CR or Ctrl-Z in [data, data + size), or null. It may read up
// to kPadding bytes past `size`, but never finds a stop there.
const char* FindLineStop(const char* data, std::size_t size);

// Where a line's trimmed text and its first word lie, as offsets from the
// line's first byte: the trimmed text is [trim_begin, trim_end), the first
// word [trim_begin, word_end): up to a space, the trimmed end or 255
// characters, whichever comes first.
struct LineShape {
  std::size_t trim_begin;
  std::size_t trim_end;
  std::size_t word_end;
};
LineShape ShapeOf(const char* line, std::size_t size);

}  // namespace ferry::line_scan
