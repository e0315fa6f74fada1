// ConversionRun: one conversion from the source file and its companions to
// one XML document. Both front ends, the window and ferry-convert, perform
// their runs through PerformConversionRun.
#pragma once

#include <memory>
#include <string>

#include "app/conversion_report.h"
#include "base/failure.h"
#include "convert/run_state.h"

namespace ferry {

// What a run takes from its front end: the window's controls, or the
// command line's options in the same roles.
struct RunSettings {
  std::string source_path;
  // Where the output document goes: the program's directory for the window.
  std::string output_directory;
  bool buildings = false;                  // CheckBox1
  bool exclusions = false;                 // CheckBox2
  bool airport = false;                    // CheckBox3
  std::string library_api = "xmlobj.api";  // Edit1, taken unchanged
  std::string sign_api = "tsign.api";      // Edit2, taken unchanged
  // Gather a ConversionReport of the run.
  bool report = false;
  // False: run every pass and write no document, creating or changing no
  // file; for a check.
  bool write_document = true;
};

// How a run ended.
struct RunOutcome {
  bool succeeded = false;
  // The message as the user reads it: «File not found.»,
  // «List index out of bounds (12)».
  std::string message;
  // The file the failure is about, and for a statement its line (else 0).
  std::string file;
  long line = 0;
  // The output document's path, once it was formed.
  std::string output_path;
  // When asked for: what the run converted, passed over and found.
  std::shared_ptr<const ConversionReport> report;
};

// Runs one conversion and reports how it ended. Nothing is thrown.
RunOutcome PerformConversionRun(const RunSettings& settings);

// The order of the passes over one RunState.
class ConversionRun {
 public:
  explicit ConversionRun(const RunSettings& settings);
  ConversionRun(const ConversionRun&) = delete;
  ConversionRun& operator=(const ConversionRun&) = delete;

  // All passes, from opening the source file to closing the document.
  // The first failure is thrown out of it as a Failure.
  void Run();
  // The failure that a run stopped by `failure` reports: a write that the
  // writer thread failed lies before it in the document, and wins.
  Failure FirstFailure(const Failure& failure);
  // Closes both files after a stop, keeping what was written.
  void CloseAfterStop();

  const std::string& OutputPath() const { return output_path_; }
  const StatementPlace& Statement() const { return state_.Statement(); }
  const std::shared_ptr<ConversionReport>& Report() const { return report_; }

 private:
  void SourcePass(const std::string& library_api_text);

  const RunSettings& settings_;
  std::string output_path_;
  std::shared_ptr<ConversionReport> report_;
  RunState state_;
};

}  // namespace ferry
