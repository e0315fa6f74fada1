// Inputs built to hurt: very long lines, a building statement that never
// closes, a million fields, files of nothing but Ctrl-Z or NUL, and an AFD
// file of a million frequencies. Each run must finish with the document the
// rules give; that it finishes within the test's time limit is the claim of
// linear time (the benchmarks measure it).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using testing::Repeat;
using testing::Scenery;

RunSettings Everything() {
  RunSettings s;
  s.buildings = s.exclusions = s.airport = true;
  return s;
}

std::size_t CountLines(const Converted& c, const std::string& line) {
  return static_cast<std::size_t>(std::count(c.lines.begin(), c.lines.end(), line));
}

constexpr std::size_t kLongLine = 100u << 20;

TEST(PathologicalInputs, AHundredMegabyteLine) {
  const std::string name(kLongLine, 'N');
  // The name goes out in one line longer than the output buffer; a comment
  // line as long is read and dropped on the way.
  const Converted c = Convert({"; " + std::string(kLongLine, 'c') +
                               "\r\nMACRO( XMLOBJ.API N1 E2 0 1 90 " + name + " 0 0 0 0 0 4\r\n"},
                              Everything());
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  ASSERT_EQ(c.body.size(), 11u);
  EXPECT_EQ(c.body[9], "            \t<LibraryObject name=\"" + name + "\" scale=\"1\"/>");
  EXPECT_EQ(c.lines.back(), "</FSData>");
}

TEST(PathologicalInputs, ABuildingStatementThatNeverCloses) {
  // Every line after the opening one is absorbed, keywords and all, and the
  // building is written from what was gathered when the file ends.
  const std::string words = Repeat("x ", 127) + "\n";
  const Converted c =
      Convert({"AREA(\nADVBLDG( NORMAL 10 20 LEVEL1 brick 5 1 2 256)\n" + Repeat(words, 20000) +
               "ENDA\nMACRO( XMLOBJ.API N1 E2 0 1 90 hangar 0 0 0 0 0 4\n" + Repeat(words, 20000)},
              Everything());
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(CountLines(c, "    <SceneryObject"), 1u);
  EXPECT_EQ(CountLines(c, "           bottomTexture=\"BRICK\""), 1u);
  EXPECT_EQ(CountLines(c, "                 textureIndexBottomZ=\"2\""), 1u);
}

TEST(PathologicalInputs, AMillionFieldsOnOneLine) {
  const std::string million = Repeat("w ", 1000000);
  {
    // A library call reads fields up to 13 and ignores the rest.
    const Converted c = Convert({"MACRO( XMLOBJ.API N1 E2 0 1 90 hangar 0 0 0 0 0 4 " + million});
    ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
    EXPECT_EQ(c.body.size(), 11u);
  }
  {
    // A building finds its section words after a million others, and a
    // frequency line of a million fields is stored whole.
    const Converted c = Convert({"AREA(\nADVBLDG( NORMAL 1 2 " + million + "LEVEL1 brick 5 1 2 )\n",
                                 std::nullopt, "FREQUENCY( 118.1 CT " + million + "\n"},
                                Everything());
    ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
    EXPECT_EQ(CountLines(c, "           bottomTexture=\"BRICK\""), 1u);
    EXPECT_EQ(CountLines(c, "             type=\"TOWER\"/>"), 1u);
  }
  {
    // A missing field after a million still names its index.
    const Converted c =
        Convert({"AREA(\nADVBLDG( NORMAL 1 2 " + million + "LEVEL1 brick )\n"}, Everything());
    EXPECT_EQ(c.outcome.message, "List index out of bounds (1000007)");
  }
}

TEST(PathologicalInputs, FilesOfOnlyCtrlZOrNul) {
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"Ctrl-Z", std::string(8u << 20, '\x1A')},
      {"NUL", std::string(8u << 20, '\0')},
      {"NUL lines", Repeat(std::string(1000, '\0') + "\n", 8000)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const Converted c = Convert({k.bytes, k.bytes, k.bytes}, Everything());
    ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
    // An airport file without a statement still gives the element.
    const std::vector<std::string> airport = {"    <Airport",         "         lat=\"\"",
                                              "         lon=\"\"",    "         alt=\"\"",
                                              "         ident=\"\">", "    </Airport>"};
    EXPECT_EQ(c.body, airport);
  }
}

TEST(PathologicalInputs, AnAfdFileOfAMillionFrequencies) {
  const Converted c = Convert({"MACRO( TSIGN.API N1 E2 0 3 270 A r\n", std::nullopt,
                               "ICAO_ID( LOWI )\n" + Repeat("FREQUENCY( 118.10 CT )\r\n", 1000000)},
                              Everything());
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(CountLines(c, "         <Com"), 1000000u);
  // The Com children, then the sign, all inside the element.
  ASSERT_EQ(c.body.size(), 5u + 3000000u + 7u + 1u);
  EXPECT_EQ(c.body[5 + 3000000], "    <TaxiwaySign");
  EXPECT_EQ(c.body.back(), "    </Airport>");
}

}  // namespace
}  // namespace ferry
