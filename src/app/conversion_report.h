// ConversionReport: what one run converted, what it passed over, and what in
// its values the scenery compiler will refuse. Filled while the run goes, in
// memory that does not grow with the source: groups keep their first few
// line numbers, and findings past a limit are only counted.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "output/run_report.h"

namespace ferry {

class ConversionReport : public RunReport {
 public:
  static constexpr std::size_t kShownLines = 5;
  static constexpr std::size_t kKeptGroups = 500;
  static constexpr std::size_t kKeptFindings = 1000;

  // Lines passed over for one reason, with one detail, in one file.
  struct Group {
    PassedOver kind;
    std::string detail;
    std::string file;
    long count = 0;
    std::vector<long> lines;  // the first kShownLines
  };

  // A value the compiler will refuse (a warning), or a note about one.
  struct Finding {
    std::string code;
    bool note = false;
    std::string file;
    long line = 0;
    std::string attribute;
    std::string value;  // as the document carries it, in UTF-8
    std::string message;
  };

  // `sign_api_text` is upper-cased; `signs_converted` tells whether the
  // taxiway-sign pass will run (the airport is on and its file exists).
  ConversionReport(std::string sign_api_text, bool signs_converted)
      : sign_api_text_(std::move(sign_api_text)), signs_converted_(signs_converted) {}

  long Count(Element element) const { return counts_[static_cast<std::size_t>(element)]; }
  const std::vector<Group>& Groups() const { return groups_; }
  // Groups past kKeptGroups, counted only.
  long OtherPassedOver() const { return other_passed_over_; }
  const std::vector<Finding>& Findings() const { return findings_; }
  long Warnings() const { return warnings_; }
  long Notes() const { return notes_; }

  void Converted(Element element) override;
  void Passed(PassedOver what, std::string_view detail, const StatementPlace& place) override;
  void MacroCall(std::string_view macro_file, const StatementPlace& place) override;
  void WroteValue(const AttributeKey& attribute, std::string_view value,
                  const StatementPlace& place) override;

 private:
  std::string sign_api_text_;
  bool signs_converted_;
  std::array<long, kElementKinds> counts_{};
  std::vector<Group> groups_;
  std::map<std::tuple<PassedOver, std::string, std::string>, std::size_t> group_index_;
  long other_passed_over_ = 0;
  std::vector<Finding> findings_;
  long warnings_ = 0;
  long notes_ = 0;
};

// Stable names, for the report's JSON and its text.
std::string_view ElementName(Element element);
std::string_view PassedOverCode(PassedOver what);
// What a group of passed-over lines means to a designer.
std::string PassedOverMessage(PassedOver what, std::string_view detail);

}  // namespace ferry
