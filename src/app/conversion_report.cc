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
  for (ValueFinding& finding : CheckValue(attribute, value)) {
    ++(finding.note ? notes_ : warnings_);
    if (findings_.size() == kKeptFindings) continue;
    std::string written;
    AppendXmlComment(written, value);
    findings_.push_back({std::string(finding.code), finding.note, place.file, place.line,
                         std::string(attribute.Name()), std::move(written),
                         std::move(finding.message)});
  }
}

std::string_view ElementName(Element element) {
  switch (element) {
    case Element::kLibraryObject:
      return "library objects";
    case Element::kBuildingArea:
      return "building areas";
    case Element::kNormalBuilding:
      return "flat-roofed buildings";
    case Element::kPeakedBuilding:
      return "peaked-roof buildings";
    case Element::kSlopedBuilding:
      return "pyramidal buildings";
    case Element::kPolyBuilding:
      return "multi-sided buildings";
    case Element::kBuildingWithoutShape:
      return "buildings without a shape";
    case Element::kExclusionRectangle:
      return "exclusion rectangles";
    case Element::kAirport:
      return "airports";
    case Element::kTower:
      return "towers";
    case Element::kCom:
      return "frequencies";
    case Element::kTaxiwaySign:
      return "taxiway signs";
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
