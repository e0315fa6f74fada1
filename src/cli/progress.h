// The progress line of a batch on a terminal: one line, rewritten in place.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace ferry {

// "ferry-convert: 12 of 200 done, 1 stopped, 0:03".
std::string ProgressText(std::size_t done, std::size_t total, std::size_t stopped,
                         long elapsed_seconds);

class ProgressLine {
 public:
  // Shows nothing unless `shown`.
  ProgressLine(std::FILE* terminal, bool shown) : terminal_(terminal), shown_(shown) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine() { Clear(); }

  // Replaces the line with `text`.
  void Show(const std::string& text);
  // Removes the line, leaving the cursor at the start of the empty line.
  void Clear();

 private:
  std::FILE* terminal_;
  bool shown_;
  std::size_t width_ = 0;  // what the line on the terminal holds
};

}  // namespace ferry
