// Shared by the fuzz targets: a scratch directory, whole-file helpers, and
// plain character-by-character models of the line reader and the splitters.
// The models are written for clarity, not speed, so that a disagreement with
// the engine points at a fault in one of the two.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace ferry::fuzz {

// Stops the fuzzer with a finding; libFuzzer records the input that got here.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "invariant broken: %s", what);
  if (!detail.empty()) {
    std::fprintf(stderr, " [");
    for (unsigned char c : detail.substr(0, 200)) {
      if (c >= 0x20 && c < 0x7F)
        std::fputc(c, stderr);
      else
        std::fprintf(stderr, "\\x%02X", c);
    }
    std::fprintf(stderr, "%s]", detail.size() > 200 ? "..." : "");
  }
  std::fputc('\n', stderr);
  std::abort();
}

// A directory of the process's own, on tmpfs when there is one; created once.
const std::string& ScratchDir();
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
void Remove(const std::string& path);

// The bytes of a file to read from a fuzz input. An input whose first byte
// is odd puts the rest of it just after a line that fills all but its
// second byte's worth of the reader's first block, so that lines cross the
// block's end at every place.
std::string FileContents(std::string_view input);

// The lines a pass loop reads from `data`, as the line format defines them.
std::vector<std::string> ModelLines(std::string_view data);
// The fields of `text`: blanks separate, double quotes group, NUL ends.
std::vector<std::string> ModelFields(std::string_view text);
// The space-separated words of the first 255 characters of `text`.
std::vector<std::string> ModelWords(std::string_view text);
// Removes 0x00 to 0x20 from both ends and upper-cases a to z.
std::string ModelNormalise(std::string_view text);

}  // namespace ferry::fuzz
