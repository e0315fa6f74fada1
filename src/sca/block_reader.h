// BlockReader: a thread that reads a file's blocks ahead of the line reader
// and finds in each the lines that lie whole in it, with their trimmed
// bounds and first words, and upper-cases the block, so that the converting
// thread only takes them.
//
// It makes the reads that the line reader would make itself, in the same
// order and of the same size, and stops at the end of the file or at the
// first failed read, which it hands on with the block where it happened: the
// line reader meets the failure where it would have met it reading itself.
// What it finds in a block are hints: the line reader takes one only when it
// starts where the reader stands, and reads the line itself otherwise.
#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/file.h"

namespace ferry {

// A line that starts at `start` in its block and ends in LF or CR LF before
// the block's end, with no other CR and no Ctrl-Z in it. Offsets from start.
struct LineHint {
  std::uint32_t start;
  std::uint32_t length;  // without the line end
  std::uint32_t trim_begin;
  std::uint32_t trim_end;
  std::uint32_t word_end;
  std::uint32_t ending;  // 1 for LF, 2 for CR LF
};

struct ReadBlock {
  const char* data = nullptr;
  const char* upper = nullptr;  // the same bytes, a to z upper-cased
  std::size_t size = 0;         // 0 at the end of the file
  int error = 0;                // the read failed with this number
  const LineHint* hints = nullptr;
  const LineHint* hints_end = nullptr;
};

class BlockReader {
 public:
  // Starts reading `file` at its current position, in blocks of `block_size`
  // bytes. Throws std::system_error when no thread can be started.
  BlockReader(platform::InputFile& file, std::size_t block_size);
  // Stops the thread after the read it is making.
  ~BlockReader();
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  // Gives back the block taken last, and waits for the next one. After the
  // block that ends the file or failed, every call gives an empty block.
  ReadBlock Next();

 private:
  static constexpr std::size_t kSlots = 3;
  struct Slot {
    std::unique_ptr<char[]> data;
    std::unique_ptr<char[]> upper;
    std::size_t size = 0;
    int error = 0;
    std::vector<LineHint> hints;
  };

  void Run();
  void FindLines(Slot& slot) const;

  platform::InputFile& file_;
  const std::size_t block_size_;
  std::array<Slot, kSlots> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Blocks made by the thread, taken by the caller and given back; block k
  // lives in slot k % kSlots.
  std::size_t made_ = 0;
  std::size_t taken_ = 0;
  std::size_t given_back_ = 0;
  bool finished_ = false;  // the last block is made
  bool stopping_ = false;
  std::thread thread_;  // last: started once the members above are made
};

}  // namespace ferry
