#include "convert/building_areas.h"
#include "convert/generic_buildings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenery.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using V = std::vector<std::string>;

Converted ConvertBuildings(const std::string& source) {
  RunSettings s;
  s.buildings = true;
  return Convert({source}, s);
}

V Wrapper(const char* lat, const char* lon, const char* heading, const char* complexity) {
  return {"    <SceneryObject",
          std::string("       lat=\"") + lat + "\"",
          std::string("       lon=\"") + lon + "\"",
          "       alt=\"0\"",
          "       pitch=\"0\"",
          "       bank=\"0\"",
          std::string("       heading=\"") + heading + "\"",
          "       altitudeIsAgl=\"TRUE\"",
          std::string("       imageComplexity=\"") + complexity + "\">"};
}

V Concat(V a, const V& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const V kEnd = {"    </SceneryObject>"};

TEST(Buildings, AFlatBuildingWithAllItsSections) {
  Converted c = ConvertBuildings(
      "Area( 5 )\r\n"
      "  RefPoint( 7 0.5 0 N40:38:23.1 W073:46:44.2 )\r\n"
      "  RotatedCall( 0 0 0 45 )\r\n"
      "  IfVarRange( 0 346 4 5 )\r\n"
      "  AdvBldg( normal 20 30 level1 brick 3 1 2 level2 glass 10 3 4 5\r\n"
      "           level3 cap 2 6 7 roof tar 8 9 )\r\n"
      "EndA\r\n");
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(c.body, Concat(Concat(Wrapper("N40 38 23.1", "W073 46 44.2", "45", "DENSE"),
                                  {
                                      "     <GenericBuilding",
                                      "           scale=\"1\"",
                                      "           bottomTexture=\"BRICK\"",
                                      "           roofTexture=\"TAR\"",
                                      "           topTexture=\"CAP\"",
                                      "           windowTexture=\"GLASS\">",
                                      "           <RectangularBuilding",
                                      "                 roofType=\"FLAT\"",
                                      "                 sizeX=\"20\"",
                                      "                 sizeZ=\"30\"",
                                      "                 sizeBottomY=\"3\"",
                                      "                 textureIndexBottomX=\"1\"",
                                      "                 textureIndexBottomZ=\"2\"",
                                      "                 sizeWindowY=\"10\"",
                                      "                 textureIndexWindowX=\"3\"",
                                      "                 textureIndexWindowY=\"4\"",
                                      "                 textureIndexWindowZ=\"5\"",
                                      "                 sizeTopY=\"2\"",
                                      "                 textureIndexTopX=\"6\"",
                                      "                 textureIndexTopZ=\"7\"",
                                      "                 textureIndexRoofX=\"8\"",
                                      "                 textureIndexRoofZ=\"9\"/>",
                                      "     </GenericBuilding>",
                                  }),
                           kEnd));
}

TEST(Buildings, EachShapeWritesItsOwnAttributesInAFreshArea) {
  struct Case {
    const char* statement;
    V element;
  } cases[] = {
      {"ADVBLDG( PEAKED 4 5 ROOF R 1 2 3 4 )",
       {"           <RectangularBuilding", "                 roofType=\"PEAKED\"",
        "                 sizeX=\"4\"", "                 sizeZ=\"5\"",
        "                 sizeBottomY=\"0\"", "                 textureIndexBottomX=\"256\"",
        "                 textureIndexBottomZ=\"256\"", "                 sizeWindowY=\"0\"",
        "                 textureIndexWindowX=\"256\"",
        "                 textureIndexWindowY=\"256\"",
        "                 textureIndexWindowZ=\"256\"", "                 sizeTopY=\"0\"",
        "                 textureIndexTopX=\"256\"", "                 textureIndexTopZ=\"266\"",
        "                 textureIndexRoofX=\"1\"", "                 textureIndexRoofZ=\"2\"",
        "                 sizeRoofY=\"3\"", "                 textureIndexRoofY=\"4\"/>"}},
      {"ADVBLDG( SLOPED 4 5 2 3 LEVEL2 W 9 1 2 3 )",
       {"           <PyramidalBuilding", "                 sizeX=\"4\"",
        "                 sizeZ=\"5\"", "                 sizeTopX=\"2\"",
        "                 sizeTopZ=\"3\"", "                 sizeBottomY=\"0\"",
        "                 textureIndexBottomX=\"256\"",
        "                 textureIndexBottomZ=\"256\"", "                 sizeWindowY=\"9\"",
        "                 textureIndexWindowX=\"1\"", "                 textureIndexWindowY=\"2\"",
        "                 textureIndexWindowZ=\"3\"", "                 sizeTopY=\"0\"",
        "                 textureIndexTopX=\"256\"", "                 textureIndexTopZ=\"266\"",
        "                 textureIndexRoofX=\"256\"",
        "                 textureIndexRoofZ=\"256\"/>"}},
      {"ADVBLDG( POLY 6 4 5 LEVEL1 B 1 2 LEVEL2 W 3 4 5 LEVEL3 T 6 7 ROOF R 8 9 10 )",
       {"           <MultiSidedBuilding", "                 buildingSides=\"6\"",
        "                 smoothing=\"TRUE\"", "                 sizeX=\"4\"",
        "                 sizeZ=\"5\"", "                 sizeBottomY=\"1\"",
        "                 textureIndexBottomX=\"2\"", "                 sizeWindowY=\"3\"",
        "                 textureIndexWindowX=\"4\"", "                 textureIndexWindowY=\"5\"",
        "                 sizeTopY=\"6\"", "                 textureIndexTopX=\"7\"",
        "                 sizeRoofY=\"8\"", "                 textureIndexRoofX=\"9\"",
        "                 textureIndexRoofZ=\"10\"",
        "                 textureIndexRoofY=\"256\"/>"}},
  };
  for (const Case& k : cases) {
    Converted c = ConvertBuildings(std::string("AREA(\n") + k.statement + "\n");
    ASSERT_TRUE(c.outcome.succeeded) << k.statement << ": " << c.outcome.message;
    ASSERT_EQ(c.body.size(), 9u + 6u + k.element.size() + 1u + 1u) << k.statement;
    V element(c.body.begin() + 15, c.body.end() - 2);
    EXPECT_EQ(element, k.element) << k.statement;
    EXPECT_EQ(c.body[c.body.size() - 2], "     </GenericBuilding>");
  }
}

TEST(Buildings, TextureIndicesCarryFromBuildingToBuildingWithinAnArea) {
  Converted c = ConvertBuildings(
      "AREA(\n"
      "ADVBLDG( PEAKED 1 1 LEVEL2 W 5 11 12 13 ROOF R 21 22 7 23 )\n"
      "ADVBLDG( POLY 5 1 1 )\n"
      "AREA(\n"
      "ADVBLDG( POLY 5 1 1 )\n");
  ASSERT_TRUE(c.outcome.succeeded);
  auto attribute = [&](std::size_t building, const std::string& name) {
    std::size_t seen = 0;
    for (const std::string& line : c.body) {
      if (line == "    <SceneryObject") ++seen;
      if (seen == building && line.find(" " + name + "=") != std::string::npos) return line;
    }
    return std::string();
  };
  // The second building keeps the first one's indices, but not its names and heights.
  EXPECT_EQ(attribute(2, "textureIndexWindowX"), "                 textureIndexWindowX=\"11\"");
  EXPECT_EQ(attribute(2, "textureIndexRoofY"), "                 textureIndexRoofY=\"23\"/>");
  EXPECT_EQ(attribute(2, "sizeWindowY"), "                 sizeWindowY=\"0\"");
  EXPECT_EQ(attribute(2, "windowTexture"), "           windowTexture=\"0\">");
  // A new area starts again.
  EXPECT_EQ(attribute(3, "textureIndexWindowX"), "                 textureIndexWindowX=\"256\"");
  EXPECT_EQ(attribute(3, "textureIndexRoofY"), "                 textureIndexRoofY=\"256\"/>");
}

TEST(Buildings, AreaValuesAndTheirResets) {
  Converted c = ConvertBuildings(
      "AREA(\n"
      "ADVBLDG( BOX )\n"
      "REFPOINT( 1 2 3 N12:34.5 E1:2 )\n"
      "ROTATEDCALL( 1 2 3 270 )\n"
      "IFVARRANGE( 1 2 0 )\n"
      "ADVBLDG( BOX )\n"
      "AREA(\n"
      "ADVBLDG( BOX )\n"
      "ENDA\n"
      "REFPOINT( 1 2 3 N9 E9 )\n"
      "ADVBLDG( BOX )\n");
  ASSERT_TRUE(c.outcome.succeeded);
  V fresh = Concat(Wrapper("0 00.0", "0 00.0", "0", "NORMAL"), kEnd);
  EXPECT_EQ(c.body,
            Concat(Concat(fresh, Concat(Wrapper("N12 34.5", "E1 2", "270", "VERY_SPARSE"), kEnd)),
                   fresh));
}

TEST(Buildings, AreaDensityMapsTheFirstCharacter) {
  struct Case {
    const char* field;
    const char* word;
  } cases[] = {{"0", "VERY_SPARSE"}, {"1", "SPARSE"}, {"2", "NORMAL"},   {"3", "DENSE"},
               {"4", "DENSE"},       {"45", "DENSE"}, {"5", "DENSE"},    {"6", "NORMAL"},
               {"7", "NORMAL"},      {"X", "NORMAL"}, {"\"\"", "NORMAL"}};
  for (const Case& k : cases) {
    Converted c =
        ConvertBuildings(std::string("AREA(\nIFVARRANGE( a b ") + k.field + "\nADVBLDG( X )\n");
    ASSERT_EQ(c.body.size(), 10u) << k.field;
    EXPECT_EQ(c.body[8], std::string("       imageComplexity=\"") + k.word + "\">");
  }
}

TEST(Buildings, WhereAStatementEnds) {
  struct Case {
    const char* source;
    std::size_t buildings;
    const char* size_x;  // of the first building
  } cases[] = {
      // Complete at once: the next line is a line of its own.
      {"ADVBLDG( NORMAL 1 2 )\nADVBLDG( NORMAL 3 4 )\n", 2, "1"},
      // A parenthesis joined to a value does not end the opening line.
      {"ADVBLDG( NORMAL 1 2 256)\nENDA\nADVBLDG( NORMAL 3 4 )\n)\n", 1, "1"},
      // On a continuation line a last word beginning with ")" ends it...
      {"ADVBLDG( NORMAL\n5 6 )X\nADVBLDG( NORMAL 3 4 )\n", 2, "5"},
      // ...but not one followed by another word.
      {"ADVBLDG( NORMAL\n5 6\n) ; END\nMACRO( XMLOBJ.API\n)\n", 1, "5"},
      // A word of the opening line that begins with ")" ends it at the next blank line.
      {"ADVBLDG( NORMAL 7 8 )X\n\nADVBLDG( NORMAL 3 4 )\n", 2, "7"},
      // A last item that trims to nothing does not end it; a tab is part of a word.
      {"ADVBLDG( NORMAL 1 2 \"\"\n\t)\nADVBLDG( NORMAL 3 4 )\n", 2, "1"},
      // The end of the input ends the gathering.
      {"ADVBLDG( NORMAL 9 9\nLEVEL1 B 1 2 3", 1, "9"},
  };
  for (const Case& k : cases) {
    Converted c = ConvertBuildings(std::string("AREA(\n") + k.source);
    ASSERT_TRUE(c.outcome.succeeded) << k.source << ": " << c.outcome.message;
    std::size_t count = 0;
    for (const std::string& line : c.body) count += line == "     <GenericBuilding";
    EXPECT_EQ(count, k.buildings) << k.source;
    ASSERT_GT(c.body.size(), 17u);
    EXPECT_EQ(c.body[17], std::string("                 sizeX=\"") + k.size_x + "\"") << k.source;
  }
}

TEST(Buildings, OutsideAnAreaOrWithoutTheBoxNothingIsWritten) {
  const std::string source =
      "ADVBLDG( NORMAL 1 2\nAREA(\n)\nADVBLDG( NORMAL 1 2 )\nENDA\nADVBLDG( NORMAL 1 2 )\n";
  Converted on = ConvertBuildings(source);
  // The ignored statement's continuation "AREA(" opens an area of its own.
  EXPECT_EQ(on.body.size(), 9u + 6u + 16u + 1u + 1u);
  Converted off = Convert({source});
  EXPECT_TRUE(off.body.empty());
}

TEST(Buildings, SectionsAreFoundByTheirFirstOccurrenceIgnoringCase) {
  Converted c =
      ConvertBuildings("AREA(\nADVBLDG( NORMAL 1 2 \"roof\" a 3 4 level1 b 5 6 7 ROOF c 8 9 )\n");
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(c.body[11], "           bottomTexture=\"B\"");
  EXPECT_EQ(c.body[12], "           roofTexture=\"A\"");

  // A section word among another section's values starts its own section there.
  Converted nested =
      ConvertBuildings("AREA(\nADVBLDG( NORMAL 1 2 LEVEL1\nROOF 3 4 5\nROOF r 8 9 )\n");
  ASSERT_TRUE(nested.outcome.succeeded) << nested.outcome.message;
  EXPECT_EQ(nested.body[11], "           bottomTexture=\"ROOF\"");
  EXPECT_EQ(nested.body[12], "           roofTexture=\"3\"");
  EXPECT_EQ(nested.body[29], "                 textureIndexRoofX=\"4\"");
}

TEST(Buildings, AShortStatementStopsAfterTheWrapperHeader) {
  struct Case {
    const char* statement;
    int index;
  } cases[] = {
      {"ADVBLDG(", 1},           // the end of the input closes it
      {"ADVBLDG( NORMAL 1", 3},  // likewise
      {"ADVBLDG( NORMAL )", 3},  // the closing ")" is an item: sizeX
      {"ADVBLDG( SLOPED 1 2 )", 5},
      {"ADVBLDG( POLY 1 )", 4},
      {"ADVBLDG( NORMAL 1 2 LEVEL1 a b )", 8},
      {"ADVBLDG( NORMAL 1 2 LEVEL2 a b c )", 9},
      {"ADVBLDG( POLY 1 2 3 LEVEL2 a b )", 9},
      {"ADVBLDG( NORMAL 1 2 ROOF a )", 7},
      {"ADVBLDG( NORMAL 1 2 ROOF a b c )", -1},
      {"ADVBLDG( PEAKED 1 2 ROOF a b c )", 9},
      {"ADVBLDG( POLY 1 2 3 ROOF a b )", 9},
  };
  for (const Case& k : cases) {
    Converted c = ConvertBuildings(std::string("AREA(\n") + k.statement + "\n");
    if (k.index < 0) {
      EXPECT_TRUE(c.outcome.succeeded) << k.statement;
      continue;
    }
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index)) << k.statement;
    EXPECT_EQ(c.outcome.line, 2) << k.statement;
    EXPECT_EQ(c.body.size(), 9u) << k.statement;
  }
}

TEST(Buildings, AreaKeywordsStopOnMissingFields) {
  struct Case {
    const char* line;
    int index;
  } cases[] = {{"IFVARRANGE( 1 2", 3},
               {"REFPOINT( 1 2 3", 4},
               {"REFPOINT( 1 2 3 N1", 5},
               {"ROTATEDCALL( 1 2 3", 4}};
  for (const Case& k : cases) {
    Converted c = ConvertBuildings(std::string("AREA(\n") + k.line + "\n");
    EXPECT_EQ(c.outcome.message, testing::MissingField(k.index));
    // Outside an area the same lines are ignored.
    EXPECT_TRUE(ConvertBuildings(std::string(k.line) + "\n").outcome.succeeded);
  }
}

TEST(Buildings, LibraryObjectsAndBuildingsInterleaveInFileOrder) {
  Converted c = ConvertBuildings(
      "AREA(\nADVBLDG( X\nMACRO( XMLOBJ.API 1 2 3 4 5 6 7 8 9 10 0 3\n)\n"
      "MACRO( XMLOBJ.API 1 2 3 4 5 6 7 8 9 10 0 3\nADVBLDG( X )\n");
  ASSERT_TRUE(c.outcome.succeeded);
  // Building, library object (the call inside the statement was absorbed), building.
  ASSERT_EQ(c.body.size(), 10u + 11u + 10u);
  EXPECT_EQ(c.body[19], "            \t<LibraryObject name=\"6\" scale=\"4\"/>");
}

TEST(Buildings, ALongStatementGathersWhole) {
  std::string source = "AREA(\nADVBLDG( NORMAL 1 2\n";
  for (int i = 0; i < 20000; ++i) source += "x y z\n";
  source += "LEVEL1 b 3 4 5\n)\n";
  Converted c = ConvertBuildings(source);
  ASSERT_TRUE(c.outcome.succeeded);
  EXPECT_EQ(c.body[11], "           bottomTexture=\"B\"");
}

}  // namespace
}  // namespace ferry
