#include "cli/ferry_convert.h"

#include "app/conversion_run.h"
#include "base/failure.h"
#include "cli/batch.h"
#include "cli/options.h"
#include "cli/report.h"
#include "platform/dirs.h"

namespace ferry {

namespace {

std::string FailureLine(const RunOutcome& outcome) {
  std::string line = "ferry-convert: " + outcome.file;
  if (outcome.line > 0) line += ":" + std::to_string(outcome.line);
  return line + ": " + outcome.message + "\n";
}

// `json`, for a JSON report, takes the source's object instead of the block.
SourceBlock ConvertSource(const BatchEntry& entry, const Options& options,
                          nlohmann::ordered_json* json) {
  SourceBlock block;
  const RunOutcome outcome = PerformConversionRun(entry.settings);
  const std::string& source = entry.settings.source_path;
  block.stopped = !outcome.succeeded;
  if (outcome.report) block.warnings = static_cast<std::size_t>(outcome.report->Warnings());
  if (!outcome.succeeded) block.err = FailureLine(outcome);
  if (json) {
    *json = ReportJson(source, outcome, options.check);
  } else if (!options.report.empty()) {
    block.out = ReportText(source, outcome, options.check);
    block.err += ReportDiagnostics(outcome);
  } else if (outcome.succeeded && options.verbose) {
    block.out = "ferry-convert: wrote " + outcome.output_path + "\n";
  }
  return block;
}

// The one JSON document of a JSON report: every source's object, and the
// totals.
void PrintJson(std::FILE* out, std::vector<nlohmann::ordered_json>& sources,
               const BatchTotals& totals) {
  nlohmann::ordered_json document;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (nlohmann::ordered_json& source : sources) {
    if (!source.is_null()) list.push_back(std::move(source));
  }
  document["sources"] = std::move(list);
  document["totals"] = {
      {"converted", totals.converted}, {"stopped", totals.stopped}, {"warnings", totals.warnings}};
  const std::string text =
      document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  std::fputs(text.c_str(), out);
}

// Makes the output folders; false, after saying why, when one cannot be made.
bool MakeOutputDirectories(const BatchPlan& plan, std::FILE* err) {
  for (const std::string& directory : plan.output_directories) {
    std::string failed_at;
    const int error = platform::MakeDirectories(directory, &failed_at);
    if (error == 0) continue;
    if (error == platform::kFileInTheWay) {
      std::fprintf(err, "ferry-convert: %s: a file is in the way of the output folder\n",
                   failed_at.c_str());
    } else {
      std::fprintf(err, "ferry-convert: %s: cannot make the output folder: %s\n", failed_at.c_str(),
                   UserMessage(IoErrorMessage(error)).c_str());
    }
    return false;
  }
  return true;
}

// "ferry-convert: N converted, M stopped", with the warnings when the runs
// count them.
std::string Summary(const BatchTotals& totals, bool with_warnings) {
  std::string line = "ferry-convert: " + std::to_string(totals.converted) + " converted, " +
                     std::to_string(totals.stopped) + " stopped";
  if (with_warnings) line += ", " + std::to_string(totals.warnings) + " warnings";
  if (totals.folders_not_read > 0) {
    line += ", " + std::to_string(totals.folders_not_read) +
            (totals.folders_not_read == 1 ? " folder" : " folders") + " not read";
  }
  return line + "\n";
}

}  // namespace

int FerryConvertMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  Options options;
  if (const std::optional<int> status = ParseOptions(args, options, out, err)) return *status;

  const BatchPlan plan =
      PlanBatch(options.sources, options.settings, options.output_directory, options.recursive);
  // Nothing is written while two sources would share a document.
  if (plan.sources > 1) {
    const std::vector<std::string> clashes =
        FindClashes(plan, platform::IgnoresLetterCase(options.output_directory));
    for (const std::string& clash : clashes) std::fputs(clash.c_str(), err);
    if (!clashes.empty()) return 2;
  }
  // A check creates nothing, not even the output folders.
  if (!options.check && !MakeOutputDirectories(plan, err)) return 1;

  BatchRunOptions run;
  run.jobs = options.jobs;
  run.progress = plan.sources > 1 && !options.quiet && platform::IsTerminal(err);
  const bool json = options.report == "json";
  std::vector<nlohmann::ordered_json> json_sources(json ? plan.entries.size() : 0);
  const BatchTotals totals = RunBatch(
      plan, run,
      [&](const BatchEntry& entry) {
        nlohmann::ordered_json* slot =
            json ? &json_sources[static_cast<std::size_t>(&entry - plan.entries.data())] : nullptr;
        return ConvertSource(entry, options, slot);
      },
      out, err);
  if (json) PrintJson(out, json_sources, totals);
  if (plan.sources > 1 && !options.quiet)
    std::fputs(Summary(totals, !options.report.empty()).c_str(), err);
  const bool failed = totals.stopped > 0 || totals.folders_not_read > 0;
  if (options.check) return failed || totals.warnings > 0 ? 1 : 0;
  return failed ? 1 : 0;
}

}  // namespace ferry
