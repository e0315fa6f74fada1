// ferry-generate-scenery [--mix=MIX] DIRECTORY NAME MEGABYTES [SEED]: writes
// NAME.sca of about MEGABYTES (10^6 bytes) and its two companions into
// DIRECTORY. MIX is default, buildings (mostly buildings over several lines)
// or long-lines (lines of many fields).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scenery_generator.h"

int main(int argc, char** argv) {
  ferry::bench::Mix mix = ferry::bench::Mix::kDefault;
  if (argc > 1 && std::string(argv[1]).starts_with("--mix=")) {
    if (!ferry::bench::MixNamed(std::string(argv[1]).substr(6), &mix)) {
      std::fprintf(stderr, "ferry-generate-scenery: MIX is default, buildings or long-lines\n");
      return 2;
    }
    --argc;
    ++argv;
  }
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr,
                 "usage: ferry-generate-scenery [--mix=MIX] DIRECTORY NAME MEGABYTES [SEED]\n");
    return 2;
  }
  const double megabytes = std::strtod(argv[3], nullptr);
  const std::uint64_t seed =
      argc == 5 ? std::strtoull(argv[4], nullptr, 10) : ferry::bench::kDefaultSeed;
  if (!(megabytes > 0)) {
    std::fprintf(stderr, "ferry-generate-scenery: MEGABYTES must be positive\n");
    return 2;
  }
  const auto bytes = static_cast<std::uint64_t>(megabytes * 1e6);
  if (!ferry::bench::WriteScenery(argv[1], argv[2], bytes, seed, mix)) {
    std::fprintf(stderr, "ferry-generate-scenery: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
