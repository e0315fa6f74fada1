// The conversion report of ferry-convert: as text (the report on standard
// output, its warnings on standard error in the form compilers use), or as
// JSON.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "app/conversion_run.h"

namespace ferry {

// The block of standard output for one source: the document written (or
// that a check would write, or where the run stopped), the elements
// converted and the lines passed over.
std::string ReportText(const std::string& source, const RunOutcome& outcome, bool checked);

// "FILE:LINE: warning: MESSAGE" for each finding, notes as "note:".
std::string ReportDiagnostics(const RunOutcome& outcome);

// The same for one source, as a JSON object.
nlohmann::ordered_json ReportJson(const std::string& source, const RunOutcome& outcome,
                                  bool checked);

}  // namespace ferry
