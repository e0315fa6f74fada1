#include "cli/progress.h"

namespace ferry {

std::string ProgressText(std::size_t done, std::size_t total, std::size_t stopped,
                         long elapsed_seconds) {
  const long minutes = elapsed_seconds / 60;
  const long seconds = elapsed_seconds % 60;
  return "ferry-convert: " + std::to_string(done) + " of " + std::to_string(total) + " done, " +
         std::to_string(stopped) + " stopped, " + std::to_string(minutes) + ":" +
         (seconds < 10 ? "0" : "") + std::to_string(seconds);
}

// The old text is overwritten with blanks rather than with an erase sequence,
// which not every Windows console understands.
void ProgressLine::Show(const std::string& text) {
  if (!shown_) return;
  std::string line = "\r" + text;
  if (text.size() < width_) line.append(width_ - text.size(), ' ');
  std::fputs(line.c_str(), terminal_);
  std::fflush(terminal_);
  width_ = text.size();
}

void ProgressLine::Clear() {
  if (!shown_ || width_ == 0) return;
  std::string line = "\r";
  line.append(width_, ' ');
  line += '\r';
  std::fputs(line.c_str(), terminal_);
  std::fflush(terminal_);
  width_ = 0;
}

}  // namespace ferry
