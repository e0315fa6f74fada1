#include "output/value_check.h"

#include <gtest/gtest.h>

#include <string>

namespace ferry {
namespace {

// The codes of the findings, joined: "" when the compiler takes the value.
std::string Codes(const AttributeKey& attribute, std::string_view value) {
  std::string codes;
  for (const ValueFinding& finding : CheckValue(attribute, value)) {
    if (!codes.empty()) codes += ",";
    codes += finding.code;
  }
  return codes;
}

TEST(ValueCheck, EachRuleOnBothSidesOfItsBounds) {
  const std::string name48(48, 'n'), name49(49, 'n');
  const struct Case {
    AttributeKey attribute;
    const char* accepted;
    const char* refused;
    const char* code;
  } cases[] = {
      {"bottomTexture", "12", "BRICK", "not-a-non-negative-integer"},
      {"textureIndexRoofY", "0", "-1", "not-a-non-negative-integer"},
      {"sizeWindowY", "+3", "3.5", "not-a-non-negative-integer"},
      {"buildingSides", "8", "", "not-a-non-negative-integer"},
      {"scale", "-0.5", "1e3", "not-a-decimal"},
      {"sizeX", ".5", "1,5", "not-a-decimal"},
      {"heading", "360", "360.1", "heading-out-of-range"},
      {"heading", "-360", "-361", "heading-out-of-range"},
      {"frequency", "3", "2.99", "frequency-out-of-range"},
      {"frequency", "3000", "3000.5", "frequency-out-of-range"},
      {"alt", "-12.5", "12.5X", "not-an-altitude"},
      {"alt", "100M", "M", "not-an-altitude"},
      {"alt", "40F", "", "not-an-altitude"},
      {"lat", "N47 26 13.20", "N47 26 13 5", "not-a-latitude"},
      {"lat", "S90", "N90 0 1", "not-a-latitude"},
      {"lat", "-89.5", "E47", "not-a-latitude"},
      {"latitudeMinimum", "N12 34.5", "n12", "not-a-latitude"},
      {"lon", "W180", "E180 0 0.1", "not-a-longitude"},
      {"longitudeMaximum", "179.9", "180.1", "not-a-longitude"},
      {"ident", "KXMP5", "KXMP56", "ident-too-long"},
      {"name", name48.c_str(), name49.c_str(), "name-too-long"},
      {"type", "CLEARANCE", "CDEL", "unknown-com-type"},
      {"size", "5", "6", "sign-size-out-of-range"},
      {"size", "1", "0", "sign-size-out-of-range"},
      {"LibraryObject name", "hangar with any name at all, however long it is, here", "a\x01",
       "control-character"},
      {"label", "Taxi\tway", "A\x1f", "control-character"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Codes(c.attribute, c.accepted), "") << c.attribute.name << " " << c.accepted;
    EXPECT_EQ(Codes(c.attribute, c.refused), c.code) << c.attribute.name << " " << c.refused;
  }
}

TEST(ValueCheck, LengthsCountCharactersAndWindows1252IsANote) {
  // 48 characters of which one is two bytes in UTF-8, or one byte read as
  // Windows-1252.
  const std::string utf8 = std::string(47, 'a') + "\xc3\xbc";
  const std::string cp1252 = std::string(47, 'a') + "\xfc";
  EXPECT_EQ(Codes("city", utf8), "");
  EXPECT_EQ(Codes("city", cp1252), "windows-1252");
  const auto findings = CheckValue("city", cp1252);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_TRUE(findings[0].note);
  EXPECT_EQ(findings[0].message, "city is not UTF-8: read as Windows-1252");
  EXPECT_EQ(Codes("heading", "9\x01"), "heading-out-of-range,control-character");
}

}  // namespace
}  // namespace ferry
