#include "convert/taxiway_signs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using V = std::vector<std::string>;

// The TaxiwaySign elements of `source`, converted inside an empty airport.
Converted ConvertSigns(const std::string& source, RunSettings s = RunSettings()) {
  s.airport = true;
  return Convert({source, std::nullopt, "; no facilities\n"}, s);
}

constexpr std::size_t kAirportStart = 5;

TEST(TaxiwaySigns, ACallBecomesASignWithTheLetterCaseOfTheFile) {
  Converted c = ConvertSigns("MACRO( tsign.api n47:26:13.20 e011:30:00.0 0 3 270 @Taxi@Way l\r\n");
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  V signs(c.body.begin() + kAirportStart, c.body.end() - 1);
  EXPECT_EQ(signs, (V{
                       "    <TaxiwaySign",
                       "       lat=\"n47 26 13.20\"",
                       "       lon=\"e011 30 00.0\"",
                       "       heading=\"270\"",
                       "       label=\"taxiway\"",
                       "       size=\"SIZE3\"",
                       "       justification=\"LEFT\"/>",
                   }));
  EXPECT_EQ(c.body.back(), "    </Airport>");
}

TEST(TaxiwaySigns, JustificationIsRightOnlyForAnR) {
  struct Case {
    const char* field;
    const char* line;
  } cases[] = {{"r", "       justification=\"RIGHT\"/>"},
               {"Right", "       justification=\"RIGHT\"/>"},
               {"L", "       justification=\"LEFT\"/>"},
               {"\"\"", "       justification=\"LEFT\"/>"},
               {"x", "       justification=\"LEFT\"/>"}};
  for (const Case& k : cases) {
    Converted c = ConvertSigns(std::string("MACRO( TSIGN.API 1 2 3 4 5 A ") + k.field + "\n");
    ASSERT_EQ(c.body.size(), kAirportStart + 7 + 1) << k.field;
    EXPECT_EQ(c.body[kAirportStart + 6], k.line);
  }
}

TEST(SignSize, IntegersInDecimalAndHexadecimal) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"5", 5},
      {"+5", 5},
      {"05", 5},
      {" 5", 5},
      {"-1", -1},
      {"$10", 16},
      {"0x10", 16},
      {"0X1f", 31},
      {"x10", 16},
      {"X10", 16},
      {"$FFFFFFFF", -1},
      {"-$FFFFFFFF", 1},
      {"-$80000000", -2147483647 - 1},
      {"$80000000", -2147483647 - 1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"0000000000000000000012", 12},
      {"$000000000FF", 255},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$100000000", std::nullopt},
      {"2.5", std::nullopt},
      {"5A", std::nullopt},
      {"five", std::nullopt},
      {"", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"-", std::nullopt},
      {"5 ", std::nullopt},
      {"- 5", std::nullopt},
      {"\t5", std::nullopt},
      {"+-5", std::nullopt},
      {"$G", std::nullopt},
  };
  for (const Case& k : cases) EXPECT_EQ(ParseSignSize(k.text), k.value) << "«" << k.text << "»";
}

TEST(SignLabel, AnAtSignLowerCasesTheNextCharacter) {
  struct Case {
    const char* field;
    const char* label;
  } cases[] = {{"A@B@@C@", "Abc"},       {"@1", "1"},       {"abc", "abc"},
               {"@Taxi@Way", "taxiway"}, {"@\xc9", "\xc9"}, {"", ""}};
  for (const Case& k : cases) EXPECT_EQ(SignLabel(k.field), k.label) << k.field;
}

TEST(TaxiwaySigns, SizesInTheElement) {
  struct Case {
    const char* field;
    const char* size;
  } cases[] = {{"5", "SIZE5"},
               {"\" 5\"", "SIZE5"},
               {"$10", "SIZE16"},
               {"-1", "SIZE-1"},
               {"2.5", "SIZE2"},
               {"\"\"", "SIZE2"},
               {"-$80000000", "SIZE-2147483648"}};
  for (const Case& k : cases) {
    Converted c = ConvertSigns(std::string("MACRO( TSIGN.API 1 2 3 ") + k.field + " 6 A L\n");
    ASSERT_EQ(c.body.size(), kAirportStart + 7 + 1) << k.field;
    EXPECT_EQ(c.body[kAirportStart + 5], std::string("       size=\"") + k.size + "\"");
  }
}

// (A lone "MACRO(" already stops the source pass, at field 1.)
TEST(TaxiwaySigns, AShortCallStopsAtItsFirstMissingField) {
  struct Case {
    int fields;
    int index;
    std::size_t lines;  // of the sign, written before the stop
  } cases[] = {{2, 2, 0}, {3, 3, 0}, {4, 7, 0}, {5, 7, 0}, {7, 7, 0}, {8, 8, 6}};
  for (const Case& k : cases) {
    std::string line = "MACRO(";
    if (k.fields > 1) line += " TSIGN.API";
    for (int f = 2; f < k.fields; ++f) line += " " + std::to_string(f);
    Converted c = ConvertSigns("; first\n" + line + "\n");
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index)) << k.fields;
    EXPECT_EQ(c.outcome.line, 2);
    EXPECT_EQ(c.outcome.file.substr(c.outcome.file.size() - 8), "KJFK.sca");
    // The airport element stays open.
    EXPECT_EQ(c.body.size(), kAirportStart + k.lines) << k.fields;
  }
}

TEST(TaxiwaySigns, OneCallMayYieldALibraryObjectAndASign) {
  RunSettings s;
  s.sign_api = "xmlobj.api";
  Converted c = ConvertSigns("MACRO( xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n", s);
  ASSERT_TRUE(c.outcome.succeeded);
  EXPECT_EQ(c.body.size(), 11u + kAirportStart + 7 + 1);
  EXPECT_EQ(c.body[11], "    <Airport");
  EXPECT_EQ(c.body[11 + kAirportStart], "    <TaxiwaySign");
}

TEST(TaxiwaySigns, AnEmptyApiTextMatchesNothing) {
  RunSettings s;
  s.sign_api = "";
  Converted c = ConvertSigns("MACRO( TSIGN.API 1 2 3 4 5 A L\n", s);
  EXPECT_EQ(c.body.size(), kAirportStart + 1);
}

TEST(TaxiwaySigns, BuildingContinuationLinesAreOrdinaryLinesHere) {
  RunSettings s;
  s.buildings = true;
  Converted c =
      ConvertSigns("AREA( 5 )\nADVBLDG( BOX 1\nMACRO( TSIGN.API 1 2 3 4 5 A L\n)\nENDA\n", s);
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  // The building's wrapper only (BOX is no shape), then the airport with one sign.
  EXPECT_EQ(c.body.size(), 10u + kAirportStart + 7 + 1);
}

TEST(TaxiwaySigns, ALeadingNulHidesTheFieldsOfTheRawLine) {
  Converted c = ConvertSigns(std::string("\0MACRO( TSIGN.API 1 2 3 4 5 A L\n", 33));
  EXPECT_EQ(c.outcome.message, testing::MissingField(2));
}

}  // namespace
}  // namespace ferry
