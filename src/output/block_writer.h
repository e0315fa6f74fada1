// BlockWriter: a thread that writes the output document's full buffers while
// the converters fill the next one, so that the second core does the
// system's share of the work.
//
// It holds at most one block at a time, and the caller waits for it before
// it hands over the next, writes anything itself or closes the file: the
// writes reach the file in the order and the blocks in which a writer on the
// caller's own thread would have made them, and none follows a failed one.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

#include "platform/file.h"

namespace ferry {

class BlockWriter {
 public:
  explicit BlockWriter(platform::OutputFile& file);
  // Waits for the block it holds, and ends the thread.
  ~BlockWriter();
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Hands over `size` bytes at `data`, which stay unchanged until Wait
  // returns. The writer must hold no block (Wait first).
  void Write(const char* data, std::size_t size);
  // Waits until the block handed over is written; gives the error number of
  // its write once, then 0.
  int Wait();

 private:
  void Run();

  platform::OutputFile& file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool holding_ = false;
  bool stopping_ = false;
  int error_ = 0;
  std::thread thread_;  // last: started once the members above are made
};

}  // namespace ferry
