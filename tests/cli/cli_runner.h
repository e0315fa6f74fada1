// Runs ferry-convert in the test's own process and keeps what it printed.
#pragma once

#include <string>
#include <vector>

namespace ferry::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// FerryConvertMain with `args`; its standard output and error go through
// files in `scratch_directory` (a path of ASCII characters).
CliResult RunFerryConvert(const std::vector<std::string>& args,
                          const std::string& scratch_directory);

}  // namespace ferry::testing
