// RunState: what the converters of one run share. Each pass overwrites it
// line by line, as the statements of the files go by; the conversion run
// owns one and drives the passes over it.
#pragma once

#include <string>

#include "convert/airport.h"
#include "convert/building_areas.h"
#include "convert/building_statement.h"
#include "output/output_xml.h"
#include "sca/fields.h"
#include "sca/input_sca.h"

namespace ferry {

class RunState {
 public:
  // `report`, when given, hears what the converters do.
  explicit RunState(RunReport* report = nullptr) : report_(report) {
    output_xml.AttachReport(report, &statement_);
  }
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  InputSca input_sca;
  OutputXml output_xml;
  Fields fields;
  BuildingArea building_area;
  BuildingStatement building_statement;  // the "ADVBLDG(" being gathered
  Tairport tairport;
  AirportItems airport_items;

  // The statement being converted begins at the line just read, or at a
  // line read earlier (a stored airport item).
  // The file's path is copied once for each file opened.
  void MarkStatement() {
    if (marked_opening_ != input_sca.Opening()) {
      statement_.file = input_sca.Path();
      marked_opening_ = input_sca.Opening();
    }
    statement_.line = input_sca.LineNumber();
  }
  void MarkStatement(const std::string& file, long line) {
    statement_ = {file, line};
    marked_opening_ = -1;
  }
  const StatementPlace& Statement() const { return statement_; }

  // What the converters tell the report, when there is one.
  bool Reporting() const { return report_ != nullptr; }
  void Converted(Element element) {
    if (report_) report_->Converted(element);
  }
  // A line passed over, at the statement just marked.
  void Passed(PassedOver what, std::string_view detail = {}) {
    if (report_) report_->Passed(what, detail, statement_);
  }
  void MacroCall(std::string_view macro_file) {
    if (report_) report_->MacroCall(macro_file, statement_);
  }

 private:
  StatementPlace statement_;
  long marked_opening_ = -1;  // the opening of InputSca whose path statement_ holds
  RunReport* report_;
};

}  // namespace ferry
