#include "sca/block_reader.h"

#include <cstring>

#include "sca/line_scan.h"
#include "sca/text.h"

namespace ferry {

namespace {

// Hints a block holds at most, so that a block of empty lines costs no more
// memory than a few blocks of text; the line reader reads the rest itself.
constexpr std::size_t kMostHints = 16 * 1024;

}  // namespace

BlockReader::BlockReader(platform::InputFile& file, std::size_t block_size)
    : file_(file), block_size_(block_size) {
  for (Slot& slot : slots_) {
    slot.data.reset(new char[block_size + line_scan::kPadding]());
    slot.upper.reset(new char[block_size]);
    slot.hints.reserve(kMostHints);
  }
  thread_ = std::thread(&BlockReader::Run, this);
}

BlockReader::~BlockReader() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

ReadBlock BlockReader::Next() {
  std::unique_lock lock(mutex_);
  given_back_ = taken_;
  changed_.notify_all();
  changed_.wait(lock, [this] { return made_ > taken_ || finished_; });
  if (made_ == taken_) return {};
  const Slot& slot = slots_[taken_++ % kSlots];
  return {slot.data.get(), slot.upper.get(),  slot.size,
          slot.error,      slot.hints.data(), slot.hints.data() + slot.hints.size()};
}

void BlockReader::Run() {
  for (;;) {
    std::size_t block;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || made_ - given_back_ < kSlots; });
      if (stopping_) return;
      block = made_;
    }
    Slot& slot = slots_[block % kSlots];
    slot.size = 0;
    slot.error = file_.Read(slot.data.get(), block_size_, &slot.size);
    if (slot.error != 0) slot.size = 0;
    FindLines(slot);
    UpperCaseInto(slot.upper.get(), {slot.data.get(), slot.size});
    const bool last = slot.error != 0 || slot.size == 0;
    {
      std::lock_guard lock(mutex_);
      ++made_;
      finished_ = last;
    }
    changed_.notify_all();
    if (last) return;
  }
}

// The lines that the line reader's quick path would take, from the block's
// start and after each LF; a line with a CR alone or a Ctrl-Z is left to the
// line reader, and the search goes on after the next LF.
void BlockReader::FindLines(Slot& slot) const {
  slot.hints.clear();
  const char* const data = slot.data.get();
  const std::size_t size = slot.size;
  std::size_t at = 0;
  while (at < size && slot.hints.size() < kMostHints) {
    const char* stop = line_scan::FindLineStop(data + at, size - at);
    if (stop == nullptr) break;
    const std::size_t length = static_cast<std::size_t>(stop - (data + at));
    std::uint32_t ending;
    if (*stop == '\n') {
      ending = 1;
    } else if (*stop == '\r' && stop + 1 < data + size && stop[1] == '\n') {
      ending = 2;
    } else {
      const void* lf = std::memchr(stop, '\n', static_cast<std::size_t>(data + size - stop));
      if (lf == nullptr) break;
      at = static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1;
      continue;
    }
    const line_scan::LineShape shape = line_scan::ShapeOf(data + at, length);
    slot.hints.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(length),
                          static_cast<std::uint32_t>(shape.trim_begin),
                          static_cast<std::uint32_t>(shape.trim_end),
                          static_cast<std::uint32_t>(shape.word_end), ending});
    at += length + ending;
  }
}

}  // namespace ferry
