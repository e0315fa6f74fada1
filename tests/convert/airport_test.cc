#include "convert/airport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using V = std::vector<std::string>;

Converted ConvertAirportFile(const std::string& afd, const std::string& source = "") {
  RunSettings s;
  s.airport = true;
  return Convert({source, std::nullopt, afd}, s);
}

TEST(Airport, TheWholeElementInItsOrder) {
  Converted c = ConvertAirportFile(
      "; Example field\r\n"
      "FREQUENCY( 121.90 gndcon )\r\n"
      "NameEntry( Airport 0 \"Kennedy Intl\" )\r\n"
      "aplocation( N40:38:23 W073:46:44 4 )\r\n"
      "TOWER( N40:38:00 W073:46:00 61 )\r\n"
      "icao_id( kjfk )\r\n"
      "NAMEENTRY( CITY 0 New York )\r\n"
      "NAMEENTRY( region 0 \"North America\" )\r\n"
      "NAMEENTRY( COUNTRY 0 USA )\r\n"
      "NAMEENTRY( STATE 0 NY )\r\n"
      "FREQUENCY( 128.72 ATIS )\r\n");
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(c.body, (V{
                        "    <Airport",
                        "         region=\"North America\"",
                        "         country=\"USA\"",
                        "         state=\"NY\"",
                        "         city=\"New\"",
                        "         name=\"Kennedy Intl\"",
                        "         lat=\"N40 38 23\"",
                        "         lon=\"W073 46 44\"",
                        "         alt=\"4\"",
                        "         ident=\"KJFK\">",
                        "         <Com",
                        "             frequency=\"121.90\"",
                        "             type=\"GROUND\"/>",
                        "         <Tower",
                        "             lat=\"N40 38 00\"",
                        "             lon=\"W073 46 00\"",
                        "             alt=\"61\"/>",
                        "         <Com",
                        "             frequency=\"128.72\"",
                        "             type=\"ATIS\"/>",
                        "    </Airport>",
                    }));
}

TEST(Airport, AnEmptyFileGivesTheBareElement) {
  Converted c = ConvertAirportFile("; nothing\n{\nAPLOCATION(N1 W2 3\n");
  EXPECT_EQ(c.body, (V{"    <Airport", "         lat=\"\"", "         lon=\"\"",
                       "         alt=\"\"", "         ident=\"\">", "    </Airport>"}));
}

TEST(Airport, LaterLinesOverwriteEarlierValues) {
  Converted c = ConvertAirportFile(
      "APLOCATION( N1 W1 1 )\nAPLOCATION( N2 W2 2 )\nNAMEENTRY( CITY 0 First )\n"
      "NAMEENTRY( CITY 0 Second )\nNAMEENTRY( OTHER 0 Ignored )\nICAO_ID( A )\nICAO_ID( B )\n");
  EXPECT_EQ(c.body, (V{"    <Airport", "         city=\"Second\"", "         lat=\"N2\"",
                       "         lon=\"W2\"", "         alt=\"2\"", "         ident=\"B\">",
                       "    </Airport>"}));
}

TEST(Airport, ComTypesMapAndAnUnknownTypeIsWrittenAsItStands) {
  struct Case {
    const char* sca;
    const char* com;
  } cases[] = {{"ATIS", "ATIS"},      {"cdel", "CLEARANCE"},
               {"CTAF", "CTAF"},      {"GndCon", "GROUND"},
               {"ct", "TOWER"},       {"DEPCON", "DEPARTURE"},
               {"APCON", "APPROACH"}, {"CENTER", "CENTER"},
               {"FSS", "FSS"},        {"MULTICOM", "MULTICOM"},
               {"UNICOM", "UNICOM"},  {"AWOS", "AWOS"},
               {"RADAR", "RADAR"},    {"C", "C"}};
  for (const Case& k : cases) {
    Converted c =
        ConvertAirportFile("TOWER( N1:2 W3:4 5 )\nFREQUENCY( 118.1 " + std::string(k.sca) + " )\n");
    ASSERT_EQ(c.body.size(), 6u + 4u + 3u) << k.sca;
    EXPECT_EQ(c.body[11], std::string("             type=\"") + k.com + "\"/>");
  }
}

TEST(Airport, BlankAndOneWordLinesAreSkipped) {
  // Tab, space, tab: two words of nothing but control characters.
  Converted c = ConvertAirportFile("\t \t\nTOWER(\nFREQUENCY(\t118.1\tATIS\n\x01 \x02\n");
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(c.body.size(), 6u);
}

TEST(Airport, AShortStatementStopsAtItsFirstMissingField) {
  struct Case {
    const char* line;
    int index;
    // Lines written before the stop: a child stops after the start tag (5)
    // and the first tower (4).
    std::size_t lines;
  } cases[] = {
      {"APLOCATION(\tN1 W2", 3, 0},  // a tab ends the keyword here
      {"APLOCATION( N1", 2, 0},     {"APLOCATION( N1 W2", 3, 0}, {"ICAO_ID( \x01", 1, 0},
      {"NAMEENTRY( CITY", 3, 0},    {"NAMEENTRY( CITY 0", 3, 0}, {"TOWER( N1", 2, 9 + 2},
      {"TOWER( N1 W2", 3, 9 + 3},   {"FREQUENCY( 118.1", 2, 9},  {"\"FREQUENCY(\" 118.1", 2, 9},
  };
  for (const Case& k : cases) {
    Converted c = ConvertAirportFile(std::string("TOWER( N1 W2 3\n") + k.line + " \n");
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index)) << k.line;
    EXPECT_EQ(c.outcome.line, 2) << k.line;
    EXPECT_EQ(c.outcome.file.substr(c.outcome.file.size() - 12), "KJFK_AFD.SCA");
    EXPECT_EQ(c.body.size(), k.lines) << k.line;
  }
  // Other keys read nothing beyond field 1.
  EXPECT_TRUE(ConvertAirportFile("NAMEENTRY( OTHER\n").outcome.succeeded);
}

TEST(Airport, NamesKeepTheirLetterCaseAndEverythingElseIsUpperCased) {
  Converted c = ConvertAirportFile("NAMEENTRY( airport 0 \"St. Mary's <&>\" )\nICAO_ID( egxx )\n");
  EXPECT_EQ(c.body[1], "         name=\"St. Mary's &lt;&amp;>\"");
  EXPECT_EQ(c.body[5], "         ident=\"EGXX\">");
}

TEST(Airport, NoFileNoElementAndNoSigns) {
  RunSettings s;
  s.airport = true;
  Converted c = Convert({"MACRO( TSIGN.API 1 2 3 4 5 6 7 8\n"}, s);
  EXPECT_TRUE(c.outcome.succeeded);
  EXPECT_TRUE(c.body.empty());
}

}  // namespace
}  // namespace ferry
