#include "convert/exclusions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using V = std::vector<std::string>;

Converted ConvertExclusionFile(const std::string& text) {
  RunSettings s;
  s.exclusions = true;
  return Convert({"", text}, s);
}

V Rectangle(std::initializer_list<const char*> flags) {
  V lines = {"    <ExclusionRectangle", "        latitudeMinimum=\"N1 2\"",
             "        latitudeMaximum=\"N3 4\"", "        longitudeMinimum=\"W7 8\"",
             "        longitudeMaximum=\"W5 6\""};
  for (const char* f : flags) lines.push_back(std::string("        ") + f);
  lines.push_back("    />");
  return lines;
}

TEST(Exclusions, FlagsComeFromTheLowBitsOfTheFirstCharacter) {
  const char* all = "excludeAllObjects=\"TRUE\"";
  const char* none = "excludeAllObjects=\"FALSE\"";
  const char* beacon = "excludeBeaconObjects=\"TRUE\"";
  const char* sign = "excludeTaxiwaySignObjects=\"TRUE\"";
  const char* library = "excludeLibraryObjects=\"TRUE\"";
  const char* generic = "excludeGenericBuildingObjects=\"TRUE\"";
  struct Case {
    const char* flags;
    V lines;
  } cases[] = {
      {"F", Rectangle({all})},
      {"f", Rectangle({all})},
      {"0", Rectangle({none})},
      {"9", Rectangle({none, beacon, generic})},
      {"7", Rectangle({none, sign, library, generic})},
      {"15", Rectangle({none, generic})},
      {"A", Rectangle({none, generic})},
      {"H", Rectangle({none, beacon})},
      {"FALSE", Rectangle({none, sign, library})},
      {"\"\"", Rectangle({none})},
  };
  for (const Case& k : cases) {
    Converted c =
        ConvertExclusionFile(std::string("exclude( ") + k.flags + " n1:2 n3:4 w5:6 w7:8 extra\n");
    ASSERT_TRUE(c.outcome.succeeded) << k.flags;
    EXPECT_EQ(c.body, k.lines) << k.flags;
  }
}

TEST(Exclusions, RectanglesFollowTheFileAndOtherLinesArePassedOver) {
  Converted c = ConvertExclusionFile(
      "; exclusions\r\nEXCLUDE(\t0 1 2 3 4\r\nEXCLUDE(0 1 2 3 4\r\nEXCLUDE( F 1 2 3 4\r\n\r\n"
      "EXCLUDE( 2 5 6 7 8\r\n");
  ASSERT_TRUE(c.outcome.succeeded);
  ASSERT_EQ(c.body.size(), 7u + 8u);
  EXPECT_EQ(c.body[1], "        latitudeMinimum=\"1\"");
  EXPECT_EQ(c.body[8], "        latitudeMinimum=\"5\"");
  EXPECT_EQ(c.body[13], "        excludeLibraryObjects=\"TRUE\"");
}

TEST(Exclusions, AShortLineStopsBeforeItsElement) {
  struct Case {
    const char* line;
    int index;
  } cases[] = {{"EXCLUDE(", 2},
               {"EXCLUDE( F", 2},
               {"EXCLUDE( F 1", 3},
               {"EXCLUDE( F 1 2", 4},
               {"EXCLUDE( F 1 2 3", 5}};
  for (const Case& k : cases) {
    Converted c = ConvertExclusionFile(std::string("EXCLUDE( F 1 2 3 4\n") + k.line + "\n");
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index));
    EXPECT_EQ(c.outcome.line, 2);
    EXPECT_EQ(c.outcome.file.substr(c.outcome.file.size() - 16), "KJFK_Exclude.SCA");
    EXPECT_EQ(c.body.size(), 7u) << k.line;
  }
}

TEST(Exclusions, NothingWithoutTheBoxOrWithoutTheFile) {
  Converted unticked = Convert({"", std::string("EXCLUDE( F 1 2 3 4\n")});
  EXPECT_TRUE(unticked.body.empty());
  RunSettings s;
  s.exclusions = true;
  Converted missing = Convert({""}, s);
  EXPECT_TRUE(missing.outcome.succeeded);
  EXPECT_TRUE(missing.body.empty());
}

}  // namespace
}  // namespace ferry
