// A generator of large, realistic sceneries for the benchmark and for the
// test that locks the converters' output: a source file of a chosen size and
// its exclusion and AFD companions. The output depends on the seed and the
// size only, never on the platform or the standard library, so every run and
// every build measures and checks the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace ferry::bench {

inline constexpr std::uint64_t kDefaultSeed = 20261211;

// The statements a source is made of.
enum class Mix {
  // Every kind of statement, as a real scenery has them (the default).
  kDefault,
  // Mostly building areas whose buildings run over several lines.
  kBuildings,
  // Long lines of many fields: calls with long argument lists, buildings on
  // one line with long texture names, long comments.
  kLongLines,
};
// "default", "buildings" or "long-lines"; false for another name.
bool MixNamed(const std::string& name, Mix* mix);

// Writes about `source_bytes` of source statements to `out`: library-object
// and taxiway-sign calls, calls of other macro files, building areas with
// buildings of all four shapes on one or several lines, and lines that no
// converter writes anything for. Whole groups are written, so the file ends
// a little past `source_bytes`. Returns the number of bytes written.
std::uint64_t WriteSource(std::FILE* out, std::uint64_t source_bytes, std::uint64_t seed,
                          Mix mix = Mix::kDefault);

// The "_Exclude.SCA" and "_AFD.SCA" companions: tens of lines each, as a real
// airport has them.
std::string ExclusionFile(std::uint64_t seed);
std::string AfdFile(std::uint64_t seed);

// Writes DIRECTORY/NAME.sca, DIRECTORY/NAME_Exclude.SCA and
// DIRECTORY/NAME_AFD.SCA; false when a file cannot be written.
bool WriteScenery(const std::string& directory, const std::string& name, std::uint64_t source_bytes,
                  std::uint64_t seed, Mix mix = Mix::kDefault);

}  // namespace ferry::bench
