#include "output/value_check.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "output/xml_value.h"

namespace ferry {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A decimal as the schema writes one: an optional sign, digits with an
// optional decimal point, at least one digit.
bool ParseDecimal(std::string_view text, double* value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0 || i != text.size()) return false;
  *value = std::strtod(std::string(text).c_str(), nullptr);
  return true;
}

bool IsNonNegativeInteger(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

bool InDecimalRange(std::string_view text, double low, double high) {
  double value;
  return ParseDecimal(text, &value) && value >= low && value <= high;
}

// -12.5, 100M, 40F.
bool IsAltitude(std::string_view text) {
  if (!text.empty() && (text.back() == 'M' || text.back() == 'F')) text.remove_suffix(1);
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  if (text.empty() || !IsDigit(text[0])) return false;
  double ignored;
  return ParseDecimal(text, &ignored);
}

// "N47 26 13.20" (a hemisphere letter, degrees, optionally minutes and
// seconds) or a signed decimal, within `limit` degrees.
bool IsCoordinate(std::string_view text, char positive, char negative, double limit) {
  if (text.empty()) return false;
  if (text[0] != positive && text[0] != negative) return InDecimalRange(text, -limit, limit);
  text.remove_prefix(1);
  double degrees = 0, scale = 1;
  int parts = 0;
  while (!text.empty()) {
    while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
    if (text.empty()) break;
    const std::size_t end = text.find(' ');
    const std::string_view part = text.substr(0, end);
    double value;
    if (++parts > 3 || !IsDigit(part[0]) || !ParseDecimal(part, &value)) return false;
    degrees += value / scale;
    scale *= 60;
    text.remove_prefix(part.size());
  }
  return parts > 0 && degrees <= limit;
}

// Characters, not bytes: the value as the document carries it, in UTF-8.
std::size_t CharacterCount(std::string_view value) {
  const std::string utf8 = IsUtf8(value) ? std::string(value) : XmlValue(value);
  std::size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

bool IsComType(std::string_view text) {
  for (std::string_view type :
       {"ATIS", "CLEARANCE", "CTAF", "GROUND", "TOWER", "DEPARTURE", "APPROACH", "CENTER", "FSS",
        "MULTICOM", "UNICOM", "AWOS", "ASOS", "CLEARANCE_PRE_TAXI", "REMOTE_CLEARANCE_DELIVERY"}) {
    if (text == type) return true;
  }
  return false;
}

bool IsSignSize(std::string_view text) {
  return text.size() == 1 && text[0] >= '1' && text[0] <= '5';
}

struct Problem {
  std::string_view code;
  std::string_view what;  // the message after the attribute's name
};

// The rule's problem with the value, or an empty code.
Problem RuleProblem(ValueRule rule, std::string_view value) {
  switch (rule) {
    case ValueRule::kText:
      return {};
    case ValueRule::kNonNegativeInteger:
      if (!IsNonNegativeInteger(value))
        return {"not-a-non-negative-integer", "a whole number of 0 or more"};
      return {};
    case ValueRule::kDecimal: {
      double ignored;
      if (!ParseDecimal(value, &ignored)) return {"not-a-decimal", "a decimal number"};
      return {};
    }
    case ValueRule::kHeading:
      if (!InDecimalRange(value, -360, 360))
        return {"heading-out-of-range", "a number from -360 to 360"};
      return {};
    case ValueRule::kFrequency:
      if (!InDecimalRange(value, 3, 3000))
        return {"frequency-out-of-range", "a number from 3 to 3000"};
      return {};
    case ValueRule::kAltitude:
      if (!IsAltitude(value)) return {"not-an-altitude", "an altitude such as 12.5, 100M or 40F"};
      return {};
    case ValueRule::kLatitude:
      if (!IsCoordinate(value, 'N', 'S', 90))
        return {"not-a-latitude", "a latitude such as N47 26 13.20, within 90 degrees"};
      return {};
    case ValueRule::kLongitude:
      if (!IsCoordinate(value, 'E', 'W', 180))
        return {"not-a-longitude", "a longitude such as E011 30 00.0, within 180 degrees"};
      return {};
    case ValueRule::kIdent:
      if (CharacterCount(value) > 5) return {"ident-too-long", "at most 5 characters"};
      return {};
    case ValueRule::kName:
      if (CharacterCount(value) > 48) return {"name-too-long", "at most 48 characters"};
      return {};
    case ValueRule::kComType:
      if (!IsComType(value))
        return {"unknown-com-type",
                "one of the compiler's radio types (ATIS, CLEARANCE, GROUND, TOWER, ...)"};
      return {};
    case ValueRule::kSignSize:
      if (!IsSignSize(value)) return {"sign-size-out-of-range", "a sign size from SIZE1 to SIZE5"};
      return {};
  }
  return {};
}

bool HoldsControlCharacter(std::string_view value) {
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\t') return true;
  }
  return false;
}

}  // namespace

std::vector<ValueFinding> CheckValue(const AttributeKey& attribute, std::string_view value) {
  std::vector<ValueFinding> findings;
  const Problem problem = RuleProblem(attribute.rule, value);
  const bool control = HoldsControlCharacter(value);
  const bool windows_1252 = !IsUtf8(value);
  if (problem.code.empty() && !control && !windows_1252) return findings;
  const std::string name(attribute.Name());
  if (!problem.code.empty())
    findings.push_back({problem.code, name + " must be " + std::string(problem.what), false});
  if (control) {
    findings.push_back(
        {"control-character", name + " holds a control character, which XML cannot carry", false});
  }
  if (windows_1252)
    findings.push_back({"windows-1252", name + " is not UTF-8: read as Windows-1252", true});
  return findings;
}

}  // namespace ferry
