#include "output/value_check.h"

#include <cstdint>
#include <cstring>

#include "output/xml_value.h"

namespace ferry {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A decimal as the schema writes one: an optional sign, digits with an
// optional decimal point, at least one digit. Its value is near enough for
// the range checks, which compare with whole numbers.
bool ParseDecimal(std::string_view text, double* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t digits = 0;
  double number = 0;
  while (i < text.size() && IsDigit(text[i])) {
    number = number * 10 + (text[i++] - '0');
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (double scale = 0.1; i < text.size() && IsDigit(text[i]); scale /= 10) {
      number += (text[i++] - '0') * scale;
      ++digits;
    }
  }
  if (digits == 0 || i != text.size()) return false;
  *value = negative ? -number : number;
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

// Whether the rule takes the value.
bool Accepts(ValueRule rule, std::string_view value) {
  switch (rule) {
    case ValueRule::kText:
      return true;
    case ValueRule::kNonNegativeInteger:
      return IsNonNegativeInteger(value);
    case ValueRule::kDecimal: {
      double ignored;
      return ParseDecimal(value, &ignored);
    }
    case ValueRule::kHeading:
      return InDecimalRange(value, -360, 360);
    case ValueRule::kFrequency:
      return InDecimalRange(value, 3, 3000);
    case ValueRule::kAltitude:
      return IsAltitude(value);
    case ValueRule::kLatitude:
      return IsCoordinate(value, 'N', 'S', 90);
    case ValueRule::kLongitude:
      return IsCoordinate(value, 'E', 'W', 180);
    case ValueRule::kIdent:
      return CharacterCount(value) <= 5;
    case ValueRule::kName:
      return CharacterCount(value) <= 48;
    case ValueRule::kComType:
      return IsComType(value);
    case ValueRule::kSignSize:
      return IsSignSize(value);
  }
  return true;
}

// What a rule's refusal is called and says.
Problem ProblemOf(ValueRule rule) {
  switch (rule) {
    case ValueRule::kText:
      break;
    case ValueRule::kNonNegativeInteger:
      return {"not-a-non-negative-integer", "a whole number of 0 or more"};
    case ValueRule::kDecimal:
      return {"not-a-decimal", "a decimal number"};
    case ValueRule::kHeading:
      return {"heading-out-of-range", "a number from -360 to 360"};
    case ValueRule::kFrequency:
      return {"frequency-out-of-range", "a number from 3 to 3000"};
    case ValueRule::kAltitude:
      return {"not-an-altitude", "an altitude such as 12.5, 100M or 40F"};
    case ValueRule::kLatitude:
      return {"not-a-latitude", "a latitude such as N47 26 13.20, within 90 degrees"};
    case ValueRule::kLongitude:
      return {"not-a-longitude", "a longitude such as E011 30 00.0, within 180 degrees"};
    case ValueRule::kIdent:
      return {"ident-too-long", "at most 5 characters"};
    case ValueRule::kName:
      return {"name-too-long", "at most 48 characters"};
    case ValueRule::kComType:
      return {"unknown-com-type",
              "one of the compiler's radio types (ATIS, CLEARANCE, GROUND, TOWER, ...)"};
    case ValueRule::kSignSize:
      return {"sign-size-out-of-range", "a sign size from SIZE1 to SIZE5"};
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

// Whether eight bytes hold one below 0x20 or above 0x7F.
bool HasControlOrHighByte(std::uint64_t bytes) {
  constexpr std::uint64_t kSpaces = 0x2020202020202020ull, kHigh = 0x8080808080808080ull;
  return (((bytes - kSpaces) & ~bytes) | bytes) & kHigh;
}

// Printable ASCII only, as most values are: eight bytes at a time.
bool IsPlainAscii(std::string_view value) {
  std::size_t i = 0;
  for (; i + 8 <= value.size(); i += 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, value.data() + i, 8);
    if (HasControlOrHighByte(bytes)) return false;
  }
  std::uint64_t rest = 0x2020202020202020ull;
  std::memcpy(&rest, value.data() + i, value.size() - i);
  return !HasControlOrHighByte(rest);
}

}  // namespace

unsigned ValueFlaws(ValueRule rule, std::string_view value) {
  unsigned flaws = Accepts(rule, value) ? 0u : unsigned{kRefusedByRule};
  if (IsPlainAscii(value)) return flaws;
  if (HoldsControlCharacter(value)) flaws |= kControlCharacter;
  if (!IsUtf8(value)) flaws |= kWindows1252;
  return flaws;
}

ValueFindings CheckValue(const AttributeKey& attribute, std::string_view value) {
  ValueFindings findings;
  const unsigned flaws = ValueFlaws(attribute.rule, value);
  if (flaws & kRefusedByRule) {
    const Problem problem = ProblemOf(attribute.rule);
    findings.items[findings.count++] = {problem.code, problem.what, false};
  }
  if (flaws & kControlCharacter) {
    findings.items[findings.count++] = {"control-character",
                                        "holds a control character, which XML cannot carry", false};
  }
  if (flaws & kWindows1252)
    findings.items[findings.count++] = {"windows-1252", "is not UTF-8: read as Windows-1252", true};
  return findings;
}

std::string FindingMessage(const ValueFinding& finding, const AttributeKey& attribute) {
  std::string message(attribute.Name());
  message +=
      finding.code == "control-character" || finding.code == "windows-1252" ? " " : " must be ";
  message += finding.what;
  return message;
}

}  // namespace ferry
