#include "app/conversion_report.h"

#include "output/value_check.h"
#include "output/xml_value.h"
#include "sca/text.h"

namespace ferry {

void ConversionReport::Converted(Element element) {
  ++counts_[static_cast<std::size_t>(element)];
}

void ConversionReport::Passed(PassedOver what, std::string_view detail,
                              const StatementPlace& place) {
  auto key = std::make_tuple(what, std::string(detail), place.file);
  auto found = group_index_.find(key);
  if (found == group_index_.end()) {
    if (groups_.size() == kKeptGroups) {
      ++other_passed_over_;
      return;
    }
    found = group_index_.emplace(std::move(key), groups_.size()).first;
    groups_.push_back({what, std::string(detail), place.file, 0, {}});
  }
  Group& group = groups_[found->second];
  ++group.count;
  if (group.lines.size() < kShownLines && place.line > 0) group.lines.push_back(place.line);
}

void ConversionReport::MacroCall(std::string_view macro_file, const StatementPlace& place) {
  if (!ContainsText(macro_file, sign_api_text_))
    return Passed(PassedOver::kUnknownMacroFile, macro_file, place);
  if (!signs_converted_) Passed(PassedOver::kSignCallWithoutAirport, macro_file, place);
}

void ConversionReport::WroteValue(const AttributeKey& attribute, std::string_view value,
                                  const StatementPlace& place) {
  const unsigned flaws = ValueFlaws(attribute.rule, value);
  if (flaws == 0) return;
  if (findings_.size() == kKeptFindings) {
    // Counted only: a Windows-1252 value is a note, anything else a warning.
    notes_ += (flaws & kWindows1252) ? 1 : 0;
    warnings_ += ((flaws & kRefusedByRule) ? 1 : 0) + ((flaws & kControlCharacter) ? 1 : 0);
    return;
  }
  for (const ValueFinding& finding : CheckValue(attribute, value)) {
    ++(finding.note ? notes_ : warnings_);
    if (findings_.size() == kKeptFindings) continue;
    std::string written;
    AppendXmlComment(written, value);
    findings_.push_back({std::string(finding.code), finding.note, place.file, place.line,
                         std::string(attribute.Name()), std::move(written),
                         FindingMessage(finding, attribute)});
  }
}

std::string_view ElementName(Element element, bool plural) {
  struct Names {
    std::string_view one, many;
  };
  static constexpr Names kNames[kElementKinds] = {
      {"library object", "library objects"},
      {"building area", "building areas"},
      {"flat-roofed building", "flat-roofed buildings"},
      {"peaked-roof building", "peaked-roof buildings"},
      {"pyramidal building", "pyramidal buildings"},
      {"multi-sided building", "multi-sided buildings"},
      {"building without a shape", "buildings without a shape"},
      {"exclusion rectangle", "exclusion rectangles"},
      {"airport", "airports"},
      {"tower", "towers"},
      {"frequency", "frequencies"},
      {"taxiway sign", "taxiway signs"},
  };
  const Names& names = kNames[static_cast<std::size_t>(element)];
  return plural ? names.many : names.one;
}

std::string_view ElementCode(Element element) {
  switch (element) {
    case Element::kLibraryObject:
      return "libraryObjects";
    case Element::kBuildingArea:
      return "buildingAreas";
    case Element::kNormalBuilding:
      return "flatRoofedBuildings";
    case Element::kPeakedBuilding:
      return "peakedRoofBuildings";
    case Element::kSlopedBuilding:
      return "pyramidalBuildings";
    case Element::kPolyBuilding:
      return "multiSidedBuildings";
    case Element::kBuildingWithoutShape:
      return "buildingsWithoutShape";
    case Element::kExclusionRectangle:
      return "exclusionRectangles";
    case Element::kAirport:
      return "airports";
    case Element::kTower:
      return "towers";
    case Element::kCom:
      return "frequencies";
    case Element::kTaxiwaySign:
      return "taxiwaySigns";
  }
  return "";
}

std::string_view PassedOverCode(PassedOver what) {
  switch (what) {
    case PassedOver::kUnknownMacroFile:
      return "unknown-macro-file";
    case PassedOver::kSignCallWithoutAirport:
      return "sign-without-airport";
    case PassedOver::kAreaStatementBuildingsOff:
      return "buildings-off";
    case PassedOver::kBuildingOutsideArea:
      return "outside-area";
    case PassedOver::kUnknownShape:
      return "unknown-shape";
    case PassedOver::kLikelyTypo:
      return "likely-typo";
    case PassedOver::kUnknownAfdKeyword:
      return "unknown-afd-keyword";
    case PassedOver::kUnknownNameKey:
      return "unknown-name-key";
    case PassedOver::kCompanionNotFound:
      return "companion-not-found";
    case PassedOver::kBuildingBeforeRefpoint:
      return "before-refpoint";
  }
  return "";
}

std::string PassedOverMessage(PassedOver what, std::string_view detail) {
  const std::string d(detail);
  switch (what) {
    case PassedOver::kUnknownMacroFile:
      return "calls of " + d + ", which matches neither the library-object nor the sign API";
    case PassedOver::kSignCallWithoutAirport:
      return "taxiway-sign calls of " + d + ", not converted: the airport is not converted";
    case PassedOver::kAreaStatementBuildingsOff:
      return d + " statements, not converted: buildings are off";
    case PassedOver::kBuildingOutsideArea:
      return d + " statements outside any AREA(";
    case PassedOver::kUnknownShape:
      return "buildings of shape " + d + ", written without a shape";
    case PassedOver::kLikelyTypo:
      return "lines beginning " + d + ", which is no keyword";
    case PassedOver::kUnknownAfdKeyword:
      return d + " lines of the AFD file, not converted";
    case PassedOver::kUnknownNameKey:
      return "NAMEENTRY( lines with the key " + d + ", not converted";
    case PassedOver::kCompanionNotFound:
      return "no companion file " + d;
    case PassedOver::kBuildingBeforeRefpoint:
      return "buildings placed before any REFPOINT( of their area";
  }
  return d;
}

}  // namespace ferry
