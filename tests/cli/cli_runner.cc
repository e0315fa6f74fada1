#include "cli/cli_runner.h"

#include <cstdio>

#include "cli/ferry_convert.h"
#include "support/temp_dir.h"

namespace ferry::testing {

CliResult RunFerryConvert(const std::vector<std::string>& args,
                          const std::string& scratch_directory) {
  const std::string out_path = scratch_directory + Separator() + "stdout.txt";
  const std::string err_path = scratch_directory + Separator() + "stderr.txt";
  std::FILE* out = std::fopen(out_path.c_str(), "wb");
  std::FILE* err = std::fopen(err_path.c_str(), "wb");
  CliResult result{FerryConvertMain(args, out, err), "", ""};
  std::fclose(out);
  std::fclose(err);
  result.out = ReadFile(out_path);
  result.err = ReadFile(err_path);
  return result;
}

}  // namespace ferry::testing
