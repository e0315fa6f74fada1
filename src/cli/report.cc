#include "cli/report.h"

#include "app/conversion_report.h"
#include "output/xml_value.h"

namespace ferry {

namespace {

using Json = nlohmann::ordered_json;

constexpr Element kElements[] = {
    Element::kLibraryObject,
    Element::kBuildingArea,
    Element::kNormalBuilding,
    Element::kPeakedBuilding,
    Element::kSlopedBuilding,
    Element::kPolyBuilding,
    Element::kBuildingWithoutShape,
    Element::kExclusionRectangle,
    Element::kAirport,
    Element::kTower,
    Element::kCom,
    Element::kTaxiwaySign,
};

// JSON takes UTF-8 only; paths and texts of other encodings are carried as
// the document would carry them.
std::string Utf8(std::string_view text) {
  std::string out;
  AppendXmlComment(out, text);
  return out;
}

std::string Place(const std::string& file, long line) {
  return line > 0 ? file + ":" + std::to_string(line) : file;
}

// "KJFK.sca line 15", "KJFK.sca lines 1, 3, 5, 7, 9 and 3 more", or the file
// alone for what has no line.
std::string Where(const ConversionReport::Group& group) {
  std::string text = group.file;
  if (group.lines.empty()) return text;
  text += group.count == 1 ? " line " : " lines ";
  for (std::size_t i = 0; i < group.lines.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(group.lines[i]);
  }
  const long more = group.count - static_cast<long>(group.lines.size());
  if (more > 0) text += " and " + std::to_string(more) + " more";
  return text;
}

std::string Counted(long count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string Outcome(const RunOutcome& outcome, bool checked) {
  if (!outcome.succeeded) {
    return "stopped at " + Place(outcome.file, outcome.line) + ": " + outcome.message +
           (outcome.output_path.empty() || checked
                ? ""
                : "; " + outcome.output_path + " holds what was written before");
  }
  return (checked ? "checked; would write " : "wrote ") + outcome.output_path;
}

}  // namespace

std::string ReportText(const std::string& source, const RunOutcome& outcome, bool checked) {
  std::string text = source + ": " + Outcome(outcome, checked) + "\n";
  if (!outcome.report) return text;
  const ConversionReport& report = *outcome.report;
  text += "  converted:";
  bool any = false;
  for (Element element : kElements) {
    const long count = report.Count(element);
    if (count == 0) continue;
    text += (any ? ", " : " ") +
            Counted(count, ElementName(element, false), ElementName(element, true));
    any = true;
  }
  text += any ? "\n" : " nothing\n";
  if (!report.Groups().empty()) text += "  passed over:\n";
  for (const ConversionReport::Group& group : report.Groups()) {
    text += "    " + Where(group) + ": " + PassedOverMessage(group.kind, group.detail) + "\n";
  }
  if (report.OtherPassedOver() > 0)
    text += "    and " + std::to_string(report.OtherPassedOver()) + " lines more\n";
  if (report.Warnings() + report.Notes() > 0) {
    text += "  " + Counted(report.Warnings(), "warning", "warnings") + ", " +
            Counted(report.Notes(), "note", "notes") + " (on standard error)\n";
  }
  return text;
}

std::string ReportDiagnostics(const RunOutcome& outcome) {
  if (!outcome.report) return "";
  std::string text;
  const ConversionReport& report = *outcome.report;
  for (const ConversionReport::Finding& f : report.Findings()) {
    text += Place(f.file, f.line) + (f.note ? ": note: " : ": warning: ") + f.message + " (" +
            f.attribute + "=\"" + f.value + "\") [" + f.code + "]\n";
  }
  const long shown = static_cast<long>(report.Findings().size());
  if (report.Warnings() + report.Notes() > shown) {
    text += "ferry-convert: " + std::to_string(report.Warnings() + report.Notes() - shown) +
            " more warnings and notes not shown\n";
  }
  return text;
}

Json ReportJson(const std::string& source, const RunOutcome& outcome, bool checked) {
  Json json;
  json["source"] = Utf8(source);
  json["document"] = Utf8(outcome.output_path);
  json["written"] = !checked && !outcome.output_path.empty();
  json["converted"] = outcome.succeeded;
  if (outcome.succeeded) {
    json["stop"] = nullptr;
  } else {
    json["stop"] = {
        {"file", Utf8(outcome.file)}, {"line", outcome.line}, {"message", outcome.message}};
  }
  if (!outcome.report) return json;
  const ConversionReport& report = *outcome.report;
  Json counts = Json::object();
  for (Element element : kElements) counts[ElementCode(element)] = report.Count(element);
  json["counts"] = counts;
  Json groups = Json::array();
  for (const ConversionReport::Group& g : report.Groups()) {
    groups.push_back({{"code", PassedOverCode(g.kind)},
                      {"detail", Utf8(g.detail)},
                      {"file", Utf8(g.file)},
                      {"count", g.count},
                      {"lines", g.lines},
                      {"message", Utf8(PassedOverMessage(g.kind, g.detail))}});
  }
  json["passedOver"] = groups;
  Json warnings = Json::array();
  for (const ConversionReport::Finding& f : report.Findings()) {
    warnings.push_back({{"severity", f.note ? "note" : "warning"},
                        {"code", f.code},
                        {"file", Utf8(f.file)},
                        {"line", f.line},
                        {"attribute", f.attribute},
                        {"value", f.value},
                        {"message", f.message}});
  }
  json["warnings"] = warnings;
  json["warningCount"] = report.Warnings();
  json["noteCount"] = report.Notes();
  return json;
}

}  // namespace ferry
