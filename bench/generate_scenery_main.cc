// ferry-generate-scenery [--mix=MIX] DIRECTORY NAME MEGABYTES [SEED]: writes
// NAME.sca of about MEGABYTES (10^6 bytes) and its two companions into
// DIRECTORY. MIX is default, buildings (mostly buildings over several lines)
// or long-lines (lines of many fields).
//
// ferry-generate-scenery --tree DIRECTORY COUNT KILOBYTES [SEED]: writes COUNT
// sceneries of about KILOBYTES (10^3 bytes) each, with their companions, in a
// nested tree: DIRECTORY/gNN/sNN/ holding ten sceneries each (seeds SEED,
// SEED + 1, ...). KILOBYTES 0 makes empty sources without companions.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "scenery_generator.h"

namespace {

std::string TwoDigits(unsigned long n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

int WriteTree(const std::string& root, unsigned long count, double kilobytes, std::uint64_t seed) {
  const auto bytes = static_cast<std::uint64_t>(kilobytes * 1e3);
  for (unsigned long i = 0; i < count; ++i) {
    const std::string directory = root + "/g" + TwoDigits(i / 100) + "/s" + TwoDigits(i / 10 % 10);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const std::string name = "scenery" + std::to_string(i);
    bool ok = true;
    if (bytes == 0) {
      std::FILE* empty = std::fopen((directory + "/" + name + ".sca").c_str(), "wb");
      ok = empty != nullptr && std::fclose(empty) == 0;
    } else {
      ok = ferry::bench::WriteScenery(directory, name, bytes, seed + i);
    }
    if (!ok) {
      std::fprintf(stderr, "ferry-generate-scenery: cannot write into %s\n", directory.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

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
  const bool tree = argc > 1 && std::string(argv[1]) == "--tree";
  const int first = tree ? 2 : 1;
  if (argc - first < 3 || argc - first > 4) {
    std::fprintf(stderr,
                 "usage: ferry-generate-scenery [--mix=MIX] DIRECTORY NAME MEGABYTES [SEED]\n"
                 "       ferry-generate-scenery --tree DIRECTORY COUNT KILOBYTES [SEED]\n");
    return 2;
  }
  const std::uint64_t seed =
      argc - first == 4 ? std::strtoull(argv[first + 3], nullptr, 10) : ferry::bench::kDefaultSeed;
  if (tree) {
    const unsigned long count = std::strtoul(argv[first + 1], nullptr, 10);
    const double kilobytes = std::strtod(argv[first + 2], nullptr);
    if (count == 0 || !(kilobytes >= 0)) {
      std::fprintf(stderr, "ferry-generate-scenery: COUNT must be positive\n");
      return 2;
    }
    return WriteTree(argv[first], count, kilobytes, seed);
  }
  const double megabytes = std::strtod(argv[first + 2], nullptr);
  if (!(megabytes > 0)) {
    std::fprintf(stderr, "ferry-generate-scenery: MEGABYTES must be positive\n");
    return 2;
  }
  const auto bytes = static_cast<std::uint64_t>(megabytes * 1e6);
  if (!ferry::bench::WriteScenery(argv[first], argv[first + 1], bytes, seed, mix)) {
    std::fprintf(stderr, "ferry-generate-scenery: cannot write into %s\n", argv[first]);
    return 1;
  }
  return 0;
}
