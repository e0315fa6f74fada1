// The command line of ferry-convert, read with CLI11.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/conversion_run.h"

namespace ferry {

struct Options {
  // The settings every run shares; source_path and output_directory are
  // set per source.
  RunSettings settings;
  std::string output_directory = ".";
  bool recursive = false;
  bool verbose = false;
  bool quiet = false;
  // "text" or "json" for a conversion report; empty for none.
  std::string report;
  // Run every pass, write no document, and report.
  bool check = false;
  unsigned jobs = 1;
  std::vector<std::string> sources;
};

// Reads `args` (without the program name) into `options`. Returns nothing
// when the command is to run; otherwise the exit status, after printing the
// help or the version to `out` (0) or the mistake to `err` (2).
std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options,
                                std::FILE* out, std::FILE* err);

}  // namespace ferry
