// Every kind of element carries its input values through the value rules:
// escaped, and re-encoded when they are not UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using testing::Scenery;

bool HasLine(const Converted& c, const std::string& line) {
  return std::find(c.lines.begin(), c.lines.end(), line) != c.lines.end();
}

TEST(EscapedValues, EveryKindOfElementEscapesItsValues) {
  RunSettings all;
  all.buildings = all.exclusions = all.airport = true;
  const struct Case {
    const char* what;
    Scenery scenery;
    const char* line;
  } cases[] = {
      {"library object",
       {"MACRO( xmlobj.api N1 E2 0 1 \"9&0\" \"<o>\" 0 0 0 0 0 3\n"},
       "       heading=\"9&amp;0\""},
      {"area position",
       {"AREA(\nREFPOINT( 0 0 0 \"N1&\" \"E\"\"2\" )\nADVBLDG( BOX )\n"},
       "       lon=\"E&quot;2\""},
      {"building texture",
       {"AREA(\nADVBLDG( NORMAL 1 2 LEVEL1 \"a<b\" 3 4 5 )\n"},
       "           bottomTexture=\"A&lt;B\""},
      {"building size",
       {"AREA(\nADVBLDG( NORMAL \"1&2\" 2 )\n"},
       "                 sizeX=\"1&amp;2\""},
      {"exclusion bound",
       {"", "EXCLUDE( F N1 \"N<2\" E1 E2\n"},
       "        latitudeMaximum=\"N&lt;2\""},
      {"airport name, Windows-1252",
       {"", std::nullopt, "NAMEENTRY( CITY 0 \"Z\xfcrich & Co\" )\n"},
       "         city=\"Z\xc3\xbcrich &amp; Co\""},
      {"airport ident",
       {"", std::nullopt, "ICAO_ID( \"A\"\"B\" )\n"},
       "         ident=\"A&quot;B\">"},
      {"tower", {"", std::nullopt, "TOWER( N1 E2 \"1<2\" )\n"}, "             alt=\"1&lt;2\"/>"},
      {"frequency",
       {"", std::nullopt, "FREQUENCY( 1&2 CT )\n"},
       "             frequency=\"1&amp;2\""},
      {"copied Com type",
       {"", std::nullopt, "FREQUENCY( 1 A<B )\n"},
       "             type=\"A&lt;B\"/>"},
      {"sign label",
       {"MACRO( tsign.api N1 E2 0 3 90 @A&@B\xe9 l\n", std::nullopt, ""},
       "       label=\"a&amp;b\xc3\xa9\""},
      {"kept references",
       {"", std::nullopt, "NAMEENTRY( AIRPORT 0 \"A &amp; B&#233;\" )\n"},
       "         name=\"A &amp; B&#233;\""},
      // The line is upper-cased first: "&AMP;" is no reference.
      {"upper-cased reference",
       {"MACRO( xmlobj.api N1 E2 0 1 90 A&amp;B 0 0 0 0 0 3\n"},
       "            \t<LibraryObject name=\"A&amp;AMP;B\" scale=\"1\"/>"},
  };
  for (const Case& k : cases) {
    Converted c = Convert(k.scenery, all);
    EXPECT_TRUE(c.outcome.succeeded) << k.what << ": " << c.outcome.message;
    EXPECT_TRUE(HasLine(c, k.line)) << k.what << ": no line " << k.line << " in\n" << c.document;
  }
}

// The name stays as it is: a comment is not escaped, and the name is UTF-8
// here on every platform (its re-encoding is the value rules' own test).
TEST(EscapedValues, TheHeadCommentIsNotEscaped) {
  testing::TempDir dir;
  RunSettings s;
  s.source_path = dir.File("A&\xc3\xbc.sca");
  s.output_directory = dir.path();
  testing::WriteFile(s.source_path, "");
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  const auto lines = testing::SplitCrLf(testing::ReadFile(dir.File("A&\xc3\xbc.xml")));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[3], "<!-- Import from SCA A&\xc3\xbc.sca-->");
}

TEST(EscapedValues, AShortStatementStopsAfterTheSameLines) {
  Converted c = Convert({"MACRO( xmlobj.api \"N<1\" E2 0 1 90 O 0 0 0 0\n"});
  EXPECT_EQ(c.outcome.message, testing::MissingField(12));
  EXPECT_EQ(c.body, (std::vector<std::string>{"    <SceneryObject", "       lat=\"N&lt;1\"",
                                              "       lon=\"E2\""}));
}

}  // namespace
}  // namespace ferry
