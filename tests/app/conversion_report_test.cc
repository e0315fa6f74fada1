#include "app/conversion_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using testing::Scenery;

RunSettings Reporting(bool buildings = true, bool exclusions = true, bool airport = true) {
  RunSettings s;
  s.report = true;
  s.buildings = buildings;
  s.exclusions = exclusions;
  s.airport = airport;
  return s;
}

// "code detail @file-ending:lines" for each group.
std::vector<std::string> Groups(const Converted& c) {
  std::vector<std::string> out;
  for (const ConversionReport::Group& g : c.outcome.report->Groups()) {
    std::string text = std::string(PassedOverCode(g.kind)) + " " + g.detail + " @" +
                       std::filesystem::path(testing::FsPath(g.file)).filename().string() + ":";
    for (long line : g.lines) text += " " + std::to_string(line);
    if (!g.lines.empty() && g.count > static_cast<long>(g.lines.size()))
      text += " of " + std::to_string(g.count);
    out.push_back(text);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(ConversionReport, LinesPassedOverAreGroupedWithTheirFirstLines) {
  const std::string afd = "ICAO_ID( KXMP )\n";
  const struct Case {
    const char* what;
    Scenery scenery;
    RunSettings settings;
    V groups;
  } cases[] = {
      {"macro file of neither API",
       {"MACRO( light.api 1\nMACRO( xmlobj.api N1 E2 0 1 0 O 0 0 0 0 0 1\nMACRO( light.api 2\n", "",
        afd},
       Reporting(),
       {"unknown-macro-file LIGHT.API @KJFK.sca: 1 3"}},
      {"sign calls without the airport",
       {"MACRO( tsign.api N1 E2 0 1 0 A l\n"},
       Reporting(true, false, false),
       {"sign-without-airport TSIGN.API @KJFK.sca: 1"}},
      {"area statements with buildings off",
       {"AREA(\nADVBLDG( NORMAL 1 2 )\nENDA\n", "", afd},
       Reporting(false),
       {"buildings-off AREA( @KJFK.sca: 1", "buildings-off ADVBLDG( @KJFK.sca: 2",
        "buildings-off ENDA @KJFK.sca: 3"}},
      {"building statements outside any area",
       {"REFPOINT( 1 2 3 N1 E1 )\nADVBLDG( NORMAL 1 2 )\n", "", afd},
       Reporting(),
       {"outside-area REFPOINT( @KJFK.sca: 1", "outside-area ADVBLDG( @KJFK.sca: 2"}},
      {"unknown shape, before any REFPOINT(",
       {"AREA(\nADVBLDG( BOX 1 2 )\n", "", afd},
       Reporting(),
       {"before-refpoint  @KJFK.sca: 2", "unknown-shape BOX @KJFK.sca: 2"}},
      {"likely typos",
       {"MACRO(XMLOBJ.API 1\nADVBLDG(\t1 )\n\"AREA(\" 1\nMACROS 1\n", "EXCLUDE(F 1 2 3 4\n", afd},
       Reporting(),
       {"likely-typo MACRO(XMLOBJ.API @KJFK.sca: 1", "likely-typo ADVBLDG(\t1 @KJFK.sca: 2",
        "likely-typo \"AREA(\" @KJFK.sca: 3", "likely-typo EXCLUDE(F @KJFK_Exclude.SCA: 1"}},
      {"AFD keywords and name keys",
       {"", "", "RUNWAY( 1 2 )\nRUNWAY( 3 )\nNAMEENTRY( NICKNAME 0 X )\nTOWER(N1 E1 5\n"},
       Reporting(),
       {"unknown-afd-keyword RUNWAY( @KJFK_AFD.SCA: 1 2",
        "unknown-name-key NICKNAME @KJFK_AFD.SCA: 3", "likely-typo TOWER(N1 @KJFK_AFD.SCA: 4"}},
  };
  for (const Case& k : cases) {
    Converted c = Convert(k.scenery, k.settings);
    ASSERT_TRUE(c.outcome.succeeded) << k.what << ": " << c.outcome.message;
    EXPECT_EQ(Groups(c), k.groups) << k.what;
  }
}

TEST(ConversionReport, AMissingCompanionNamesThePathLookedFor) {
  Converted c = Convert({""}, Reporting());
  const auto& groups = c.outcome.report->Groups();
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].kind, PassedOver::kCompanionNotFound);
  EXPECT_TRUE(groups[0].detail.ends_with("KJFK_Exclude.SCA")) << groups[0].detail;
  EXPECT_TRUE(groups[1].detail.ends_with("KJFK_AFD.SCA")) << groups[1].detail;
}

TEST(ConversionReport, GroupsKeepFiveLinesAndCountTheRest) {
  Converted c =
      Convert({testing::Repeat("MACRO( other.api 1\n", 8)}, Reporting(false, false, false));
  EXPECT_EQ(Groups(c), V{"unknown-macro-file OTHER.API @KJFK.sca: 1 2 3 4 5 of 8"});
}

TEST(ConversionReport, WarningsNameTheFileLineAttributeAndValue) {
  Converted c =
      Convert({"\n"
               "MACRO( xmlobj.api N1 E2 0 1 400 O 0 0 0 0 0 1\n"
               "AREA(\nREFPOINT( 0 0 0 N1 E1 )\n"
               "ADVBLDG( NORMAL 1 2 LEVEL1 BRICK 3 4 5\n )\n",
               "",
               "ICAO_ID( KXMPXX )\nNAMEENTRY( CITY 0 Z\xfcrich )\nFREQUENCY( 118.1 CDEL )\n"
               "FREQUENCY( 121.5 XX )\nAPLOCATION( N1 E1 5 )\n"},
              Reporting());
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  std::vector<std::string> seen;
  for (const auto& f : c.outcome.report->Findings()) {
    seen.push_back(std::filesystem::path(testing::FsPath(f.file)).filename().string() + ":" +
                   std::to_string(f.line) + " " + f.code + " " + f.attribute + "=" + f.value);
  }
  EXPECT_EQ(seen, (V{
                      "KJFK.sca:2 heading-out-of-range heading=400",
                      "KJFK.sca:5 not-a-non-negative-integer bottomTexture=BRICK",
                      "KJFK_AFD.SCA:2 windows-1252 city=Z\xc3\xbcrich",
                      "KJFK_AFD.SCA:1 ident-too-long ident=KXMPXX",
                      "KJFK_AFD.SCA:4 unknown-com-type type=XX",
                  }));
  EXPECT_EQ(c.outcome.report->Warnings(), 4);
  EXPECT_EQ(c.outcome.report->Notes(), 1);
}

TEST(ConversionReport, CountsEveryElementOfTheExample) {
  testing::TempDir out;
  RunSettings s = Reporting();
  const std::string examples =
      testing::SourceDir() + testing::Separator() + "examples" + testing::Separator();
  s.source_path = examples + "KJFK.sca";
  s.output_directory = out.path();
  const RunOutcome outcome = PerformConversionRun(s);
  ASSERT_TRUE(outcome.succeeded) << outcome.message;
  const ConversionReport& r = *outcome.report;
  EXPECT_EQ(r.Count(Element::kLibraryObject), 6);
  EXPECT_EQ(r.Count(Element::kBuildingArea), 2);
  EXPECT_EQ(r.Count(Element::kNormalBuilding), 2);
  EXPECT_EQ(r.Count(Element::kPeakedBuilding), 1);
  EXPECT_EQ(r.Count(Element::kSlopedBuilding), 1);
  EXPECT_EQ(r.Count(Element::kPolyBuilding), 2);
  EXPECT_EQ(r.Count(Element::kExclusionRectangle), 3);
  EXPECT_EQ(r.Count(Element::kAirport), 1);
  EXPECT_EQ(r.Count(Element::kTower), 1);
  EXPECT_EQ(r.Count(Element::kCom), 7);
  EXPECT_EQ(r.Count(Element::kTaxiwaySign), 4);
  EXPECT_EQ(r.Warnings(), 0);
  EXPECT_EQ(r.Notes(), 1);  // the city, written in Windows-1252
}

TEST(ConversionReport, TheDocumentIsTheSameWithAndWithoutIt) {
  const Scenery scenery{
      "MACRO( xmlobj.api N1 E2 0 1 400 O 0 0 0 0 0 1\nMACRO( other.api 1\nAREA(\nADVBLDG( BOX )\n",
      "EXCLUDE( F 1 2 3 4\n", "ICAO_ID( KXMPXX )\nFREQUENCY( 1 XX )\n"};
  RunSettings plain = Reporting();
  plain.report = false;
  EXPECT_EQ(Convert(scenery, plain).document, Convert(scenery, Reporting()).document);
  EXPECT_EQ(Convert(scenery, plain).outcome.report, nullptr);
}

TEST(ConversionReport, ACheckCreatesNothingAndStillStopsWhereARunWould) {
  testing::TempDir dir;
  RunSettings s = Reporting();
  s.write_document = false;
  s.source_path = dir.File("KJFK.sca");
  s.output_directory = dir.path();
  testing::WriteFile(s.source_path, "MACRO( xmlobj.api N1 E2 0 1 400 O 0 0 0 0\n");
  const RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, testing::MissingField(12));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(dir.path())))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, V{"KJFK.sca"});
  ASSERT_NE(outcome.report, nullptr);
  EXPECT_EQ(outcome.report->Warnings(), 0);  // the heading is never written
}

}  // namespace
}  // namespace ferry
