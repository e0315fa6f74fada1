// The bundled example converts to its expected document, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "app/conversion_run.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::ReadFile;
using testing::Separator;
using testing::SourceDir;
using testing::TempDir;

TEST(Example, ConvertsToItsExpectedDocument) {
  const std::string examples = SourceDir() + Separator() + "examples" + Separator();
  TempDir out;
  RunSettings s;
  s.source_path = examples + "KJFK.sca";
  s.output_directory = out.path();
  s.buildings = s.exclusions = s.airport = true;
  const std::string source_before = ReadFile(s.source_path);
  RunOutcome outcome = PerformConversionRun(s);
  ASSERT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(ReadFile(out.File("KJFK.xml")), ReadFile(examples + "KJFK.expected.xml"));
  EXPECT_EQ(ReadFile(s.source_path), source_before);
}

}  // namespace
}  // namespace ferry
