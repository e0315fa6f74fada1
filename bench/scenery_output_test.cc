// Locks every byte that a full conversion writes for a generated scenery, so
// that work on the engine's speed can show that no output byte changed. When
// an expectation changes on purpose, the new figures are printed by the
// failing test.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/conversion_run.h"
#include "scenery_generator.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::ReadFile;
using testing::TempDir;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

struct Expected {
  std::uint64_t source_bytes;
  std::uint64_t source_hash;
  std::uint64_t output_bytes;
  std::uint64_t output_hash;
};

// About 400 KB of source: every kind of statement many times over, in all
// the letter cases and layouts that the generator writes.
constexpr std::uint64_t kSourceBytes = 400'000;
constexpr Expected kExpected = {400'050, 0x5de4bbf5a9ca4cec, 1'704'469, 0x8815998a2635c26b};

TEST(SceneryOutput, EveryPassOnGivesTheLockedDocument) {
  TempDir dir;
  ASSERT_TRUE(bench::WriteScenery(dir.path(), "LOWI", kSourceBytes, bench::kDefaultSeed));
  const std::string source = ReadFile(dir.File("LOWI.sca"));
  // The generator itself must not have changed, or the document below would
  // prove nothing about the engine.
  EXPECT_EQ(source.size(), kExpected.source_bytes);
  EXPECT_EQ(Fnv1a(source), kExpected.source_hash) << std::hex << "0x" << Fnv1a(source);

  RunSettings settings;
  settings.source_path = dir.File("LOWI.sca");
  settings.output_directory = dir.path();
  settings.buildings = settings.exclusions = settings.airport = true;
  const RunOutcome outcome = PerformConversionRun(settings);
  ASSERT_TRUE(outcome.succeeded) << outcome.message << " at " << outcome.file << ":"
                                 << outcome.line;
  const std::string output = ReadFile(outcome.output_path);
  EXPECT_EQ(output.size(), kExpected.output_bytes);
  EXPECT_EQ(Fnv1a(output), kExpected.output_hash) << std::hex << "0x" << Fnv1a(output);
}

// A statement that lacks a field stops the run at the first missing index
// in its converter's reading order, with exactly the lines before it
// written: the buffered output must keep that too.
TEST(SceneryOutput, ShortStatementsStopAfterTheSameLines) {
  struct Case {
    const char* source;
    const char* exclusions;  // nullptr: no companion file
    const char* message;
    const char* last_line;
  } cases[] = {
      {"MACRO( xmlobj.api N1:2 E3:4 5 1.0 90 obj 0 0 0 0 0\r\n", nullptr,
       "List index out of bounds (13)", "       altitudeIsAgl=\"TRUE\""},
      {"MACRO( xmlobj.api N1:2 E3:4 5 1.0 90\r\n", nullptr, "List index out of bounds (12)",
       "       lon=\"E3 4\""},
      {"AREA( 5 )\r\nADVBLDG( PEAKED 1 2 ROOF T 3 4 )\r\n", nullptr, "List index out of bounds (9)",
       "       imageComplexity=\"NORMAL\">"},
      {"AREA( 5 )\r\nREFPOINT( 7 : 1 N1:2\r\n", nullptr, "List index out of bounds (5)",
       "<!-- Import from SCA LOWI.sca-->"},
      {"MACRO( tsign.api N1:2 E3:4 5 3 90 @Taxi\r\n", nullptr, "List index out of bounds (8)",
       "       size=\"SIZE3\""},
      {"", "EXCLUDE( F N1 N2 E3\r\n", "List index out of bounds (5)",
       "<!-- Import from SCA LOWI.sca-->"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    testing::WriteFile(dir.File("LOWI.sca"), c.source);
    testing::WriteFile(dir.File("LOWI_AFD.SCA"), "ICAO_ID( LOWI )\r\n");
    if (c.exclusions) testing::WriteFile(dir.File("LOWI_Exclude.SCA"), c.exclusions);
    RunSettings settings;
    settings.source_path = dir.File("LOWI.sca");
    settings.output_directory = dir.path();
    settings.buildings = settings.exclusions = settings.airport = true;
    const RunOutcome outcome = PerformConversionRun(settings);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, c.message);
    const std::string output = ReadFile(outcome.output_path);
    ASSERT_GE(output.size(), 2u);
    EXPECT_EQ(output.substr(output.size() - 2), "\r\n");
    const std::string_view lines(output.data(), output.size() - 2);
    EXPECT_EQ(lines.substr(lines.rfind("\r\n") + 2), c.last_line);
  }
}

}  // namespace
}  // namespace ferry
