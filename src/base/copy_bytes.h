// CopyBytes: copies a short text without a call to memcpy. Most texts that
// the converters copy (field values, template pieces) are a few bytes long,
// where the call and its size dispatch cost more than the copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ferry {

// Copies `size` bytes from `from` to `to` (which do not overlap) and gives
// the end of the copy. From 4 to 16 bytes, two moves that may overlap.
inline char* CopyBytes(char* to, const char* from, std::size_t size) {
  if (size >= 8) {
    if (size > 16) {
      std::memcpy(to, from, size);
      return to + size;
    }
    std::uint64_t head;
    std::uint64_t tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + size - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + size - 8, &tail, 8);
  } else if (size >= 4) {
    std::uint32_t head;
    std::uint32_t tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + size - 4, 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + size - 4, &tail, 4);
  } else if (size > 0) {
    to[0] = from[0];
    to[size / 2] = from[size / 2];
    to[size - 1] = from[size - 1];
  }
  return to + size;
}

}  // namespace ferry
