#include "convert/library_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using V = std::vector<std::string>;

TEST(LibraryObjects, ACallBecomesASceneryObjectWithItsLibraryObject) {
  Converted c = Convert(
      {"macro( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar01 0 0 0 0 0 4 extra\r\n"});
  ASSERT_TRUE(c.outcome.succeeded);
  EXPECT_EQ(c.body, (V{
                        "    <SceneryObject",
                        "       lat=\"N47 26 13.20\"",
                        "       lon=\"E011 30 00.0\"",
                        "       alt=\"0\"",
                        "       pitch=\"0\"",
                        "       bank=\"0\"",
                        "       heading=\"90\"",
                        "       altitudeIsAgl=\"TRUE\"",
                        "       imageComplexity=\"DENSE\">",
                        "            \t<LibraryObject name=\"HANGAR01\" scale=\"1.0\"/>",
                        "    </SceneryObject>",
                    }));
}

std::string Call(const std::string& api, const std::string& alt, const std::string& density) {
  return "MACRO( " + api + " N1:2 E3:4 X 2.5 180 OBJ 0 0 0 0 " + alt + " " + density + "\n";
}

TEST(LibraryObjects, AltitudeIsOnTheGroundOnlyForExactlyZero) {
  struct Case {
    const char* alt;
    const char* written;
    const char* agl;
  } cases[] = {{"0", "0", "TRUE"},
               {"00", "00", "FALSE"},
               {"0.0", "0.0", "FALSE"},
               {"+0", "+0", "FALSE"},
               {"15.5", "15.5", "FALSE"}};
  for (const Case& k : cases) {
    Converted c = Convert({Call("XMLOBJ.API", k.alt, "3")});
    ASSERT_EQ(c.body.size(), 11u) << k.alt;
    EXPECT_EQ(c.body[3], std::string("       alt=\"") + k.written + "\"");
    EXPECT_EQ(c.body[7], std::string("       altitudeIsAgl=\"") + k.agl + "\"");
  }
}

TEST(LibraryObjects, ComplexityTakesTheFirstCharacterOfItsField) {
  struct Case {
    const char* density;
    const char* word;
  } cases[] = {{"1", "VERY_SPARSE"}, {"2", "SPARSE"},       {"3", "NORMAL"},   {"4", "DENSE"},
               {"5", "VERY_DENSE"},  {"6", "VERY_DENSE"},   {"0", "NORMAL"},   {"7", "NORMAL"},
               {"X", "NORMAL"},      {"12", "VERY_SPARSE"}, {"\"\"", "NORMAL"}};
  for (const Case& k : cases) {
    Converted c = Convert({Call("XMLOBJ.API", "0", k.density)});
    ASSERT_EQ(c.body.size(), 11u) << k.density;
    EXPECT_EQ(c.body[8], std::string("       imageComplexity=\"") + k.word + "\">") << k.density;
  }
}

TEST(LibraryObjects, TheApiTextIsFoundAnywhereInFieldOne) {
  struct Case {
    const char* api;     // as the call writes it
    const char* option;  // as the user gives it
    bool converted;
  } cases[] = {
      {"C:\\SCENERY\\XMLOBJ.API", "xmlobj.api", true},
      {"my_xmlobj.api2", "xmlobj.api", true},
      {"XMLOBJ.AP", "xmlobj.api", false},
      {"xmlobj.api", "", false},
      {"xmlobj.api", " xmlobj.api", false},  // the option is not trimmed
      {"\"my lib.api\"", "MY LIB", true},
  };
  for (const Case& k : cases) {
    RunSettings s;
    s.library_api = k.option;
    Converted c = Convert({Call(k.api, "0", "3")}, s);
    EXPECT_EQ(c.body.size(), k.converted ? 11u : 0u) << k.api << " / " << k.option;
  }
}

TEST(LibraryObjects, OnlyTheExactKeywordAsFirstWordIsACall) {
  Converted c =
      Convert({"MACRO(\txmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n"
               "MACRO(xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n"
               "MACRO xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n"
               "; MACRO( xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n"
               "  Macro( xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n"});
  ASSERT_TRUE(c.outcome.succeeded);
  EXPECT_EQ(c.body.size(), 11u);
}

TEST(LibraryObjects, AShortCallStopsAtItsFirstMissingField) {
  struct Case {
    int fields;
    int index;
    std::size_t lines;
  } cases[] = {{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 12, 3}, {12, 12, 3}, {13, 13, 8}};
  for (const Case& k : cases) {
    std::string line = "MACRO(";
    if (k.fields > 1) line += " XMLOBJ.API";
    for (int f = 2; f < k.fields; ++f) line += " " + std::to_string(f);
    Converted c = Convert({"; first\n" + line + "\n"});
    EXPECT_FALSE(c.outcome.succeeded) << k.fields;
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index));
    EXPECT_EQ(c.outcome.line, 2);
    EXPECT_EQ(c.body.size(), k.lines) << k.fields;
  }
  // A call to another macro file is never read beyond field 1.
  Converted other = Convert({"MACRO( other.api 1\n"});
  EXPECT_TRUE(other.outcome.succeeded);
}

TEST(LibraryObjects, ValuesAreEscapedForTheirAttribute) {
  Converted c = Convert({"MACRO( XMLOBJ.API \"<a&b>\" 2 3 \"1 \"\"x\" 6 \"o&<>\" 8 9 10 11 0 3\n"});
  ASSERT_EQ(c.body.size(), 11u);
  EXPECT_EQ(c.body[1], "       lat=\"&lt;A&amp;B>\"");
  EXPECT_EQ(c.body[9], "            \t<LibraryObject name=\"O&amp;&lt;>\" scale=\"1 &quot;X\"/>");
}

}  // namespace
}  // namespace ferry
