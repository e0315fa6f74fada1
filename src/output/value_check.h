// What the scenery compiler's schema accepts in each attribute that carries
// an input value, checked as the value is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ferry {

enum class ValueRule {
  kText,                // any text XML can carry
  kNonNegativeInteger,  // texture names and indices, heights, sides
  kDecimal,             // scales and footprints
  kHeading,             // a decimal from -360 to 360
  kFrequency,           // a decimal from 3 to 3000
  kAltitude,            // -12.5, 100M, 40F
  kLatitude,            // N47 26 13.20 or a signed decimal, within 90
  kLongitude,           // E011 30 00.0 or a signed decimal, within 180
  kIdent,               // at most 5 characters
  kName,                // at most 48 characters
  kComType,             // one of the compiler's radio types
  kSignSize,            // 1 to 5
};

constexpr ValueRule RuleOf(std::string_view attribute) {
  struct Row {
    std::string_view attribute;
    ValueRule rule;
  };
  constexpr Row kRows[] = {
      {"bottomTexture", ValueRule::kNonNegativeInteger},
      {"windowTexture", ValueRule::kNonNegativeInteger},
      {"topTexture", ValueRule::kNonNegativeInteger},
      {"roofTexture", ValueRule::kNonNegativeInteger},
      {"sizeBottomY", ValueRule::kNonNegativeInteger},
      {"sizeWindowY", ValueRule::kNonNegativeInteger},
      {"sizeTopY", ValueRule::kNonNegativeInteger},
      {"sizeRoofY", ValueRule::kNonNegativeInteger},
      {"buildingSides", ValueRule::kNonNegativeInteger},
      {"scale", ValueRule::kDecimal},
      {"sizeX", ValueRule::kDecimal},
      {"sizeZ", ValueRule::kDecimal},
      {"sizeTopX", ValueRule::kDecimal},
      {"sizeTopZ", ValueRule::kDecimal},
      {"heading", ValueRule::kHeading},
      {"frequency", ValueRule::kFrequency},
      {"alt", ValueRule::kAltitude},
      {"lat", ValueRule::kLatitude},
      {"latitudeMinimum", ValueRule::kLatitude},
      {"latitudeMaximum", ValueRule::kLatitude},
      {"lon", ValueRule::kLongitude},
      {"longitudeMinimum", ValueRule::kLongitude},
      {"longitudeMaximum", ValueRule::kLongitude},
      {"ident", ValueRule::kIdent},
      {"name", ValueRule::kName},
      {"city", ValueRule::kName},
      {"state", ValueRule::kName},
      {"country", ValueRule::kName},
      {"region", ValueRule::kName},
      {"type", ValueRule::kComType},
      {"size", ValueRule::kSignSize},
  };
  if (attribute.starts_with("textureIndex")) return ValueRule::kNonNegativeInteger;
  for (const Row& row : kRows) {
    if (row.attribute == attribute) return row.rule;
  }
  return ValueRule::kText;
}

// The attribute a value is written into, with its rule found when the
// program is compiled. A library object's "name" is its library identifier,
// not an airport's name: it is named with its element.
struct AttributeKey {
  consteval AttributeKey(const char* name)
      : name(name),
        rule(name == std::string_view("LibraryObject name") ? ValueRule::kText : RuleOf(name)) {}
  constexpr AttributeKey(std::string_view name, ValueRule rule) : name(name), rule(rule) {}
  // The attribute as the document names it.
  std::string_view Name() const {
    const std::size_t space = name.rfind(' ');
    return space == std::string_view::npos ? name : name.substr(space + 1);
  }
  std::string_view name;
  ValueRule rule;
};

// What the compiler would refuse in a value (a warning), or a note about it.
struct ValueFinding {
  std::string_view code;  // stable: "not-a-decimal", "windows-1252"
  std::string message;
  bool note = false;
};

// The findings about `value` written into `attribute`: what its rule
// refuses, a control character, and a note when it is read as
// Windows-1252. None for most values.
std::vector<ValueFinding> CheckValue(const AttributeKey& attribute, std::string_view value);

}  // namespace ferry
