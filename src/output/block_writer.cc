#include "output/block_writer.h"

namespace ferry {

BlockWriter::BlockWriter(platform::OutputFile& file) : file_(file), thread_([this] { Run(); }) {}

BlockWriter::~BlockWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BlockWriter::Write(const char* data, std::size_t size) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    data_ = data;
    size_ = size;
    holding_ = true;
  }
  changed_.notify_all();
}

int BlockWriter::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !holding_; });
  const int error = error_;
  error_ = 0;
  return error;
}

// A block handed over before the stop is still written.
void BlockWriter::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return holding_ || stopping_; });
    if (!holding_) return;
    const char* data = data_;
    const std::size_t size = size_;
    lock.unlock();
    const int error = file_.Write(data, size);
    lock.lock();
    error_ = error;
    holding_ = false;
    changed_.notify_all();
  }
}

}  // namespace ferry
