#include "cli/ferry_convert.h"

#include "app/conversion_run.h"
#include "base/failure.h"
#include "cli/batch.h"
#include "cli/options.h"
#include "platform/dirs.h"

namespace ferry {

namespace {

std::string FailureLine(const RunOutcome& outcome) {
  std::string line = "ferry-convert: " + outcome.file;
  if (outcome.line > 0) line += ":" + std::to_string(outcome.line);
  return line + ": " + outcome.message + "\n";
}

SourceBlock ConvertSource(const BatchEntry& entry, const Options& options) {
  SourceBlock block;
  const RunOutcome outcome = PerformConversionRun(entry.settings);
  if (outcome.succeeded) {
    if (options.verbose) block.out = "ferry-convert: wrote " + outcome.output_path + "\n";
  } else {
    block.stopped = true;
    block.err = FailureLine(outcome);
  }
  return block;
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
  if (!MakeOutputDirectories(plan, err)) return 1;

  BatchRunOptions run;
  run.jobs = options.jobs;
  run.progress = plan.sources > 1 && !options.quiet && platform::IsTerminal(err);
  const BatchTotals totals = RunBatch(
      plan, run, [&](const BatchEntry& entry) { return ConvertSource(entry, options); }, out, err);
  if (plan.sources > 1 && !options.quiet) std::fputs(Summary(totals, false).c_str(), err);
  return totals.stopped > 0 || totals.folders_not_read > 0 ? 1 : 0;
}

}  // namespace ferry
