#include "cli/ferry_convert.h"

#include <string_view>

#include "app/conversion_run.h"

namespace ferry {

namespace {

constexpr const char kUsage[] =
    "usage: ferry-convert [-b|--buildings] [-e|--exclusions] [-a|--airport]\n"
    "                     [--library-api TEXT] [--sign-api TEXT] [-o|--output-dir DIR]\n"
    "                     [-v|--verbose] SOURCE...\n";

constexpr const char kHelp[] =
    "\n"
    "Converts SCA scenery sources to XML documents for the scenery compiler.\n"
    "Each SOURCE becomes DIR/NAME.xml, NAME being the source file name less its\n"
    "last three characters.\n"
    "\n"
    "options:\n"
    "  -b, --buildings         convert generic buildings in building areas\n"
    "  -e, --exclusions        convert the exclusion rectangles of SOURCE's _Exclude.SCA\n"
    "  -a, --airport           convert the airport of SOURCE's _AFD.SCA, with taxiway signs\n"
    "      --library-api TEXT  macro file of library objects (default xmlobj.api)\n"
    "      --sign-api TEXT     macro file of taxiway signs (default tsign.api)\n"
    "  -o, --output-dir DIR    where the documents go (default: the current directory)\n"
    "  -v, --verbose           print the path of every document written\n"
    "  -h, --help              show this help\n"
    "      --version           show the version\n";

struct Options {
  RunSettings settings;
  bool verbose = false;
  std::vector<std::string> sources;
};

enum class Parse { kRun, kDone, kUsageError };

Parse UsageError(std::FILE* err, const std::string& what) {
  std::fprintf(err, "ferry-convert: %s\n%s", what.c_str(), kUsage);
  return Parse::kUsageError;
}

// Takes the value of a long option, given as "--name=value" or as the next
// argument.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
               std::string* value) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    *value = arg.substr(name.size() + 1);
    return true;
  }
  if (arg != name || i + 1 >= args.size()) return false;
  *value = args[++i];
  return true;
}

bool IsLongOption(const std::string& arg, std::string_view name) {
  return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                         arg[name.size()] == '=');
}

Parse ParseArguments(const std::vector<std::string>& args, Options& options, std::FILE* out,
                     std::FILE* err) {
  RunSettings& s = options.settings;
  s.output_directory = ".";
  bool only_sources = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_sources || arg.size() < 2 || arg[0] != '-') {
      options.sources.push_back(arg);
    } else if (arg == "--") {
      only_sources = true;
    } else if (arg == "--help") {
      std::fprintf(out, "%s%s", kUsage, kHelp);
      return Parse::kDone;
    } else if (arg == "--version") {
      std::fprintf(out, "ferry-convert %s\n", FERRY_VERSION);
      return Parse::kDone;
    } else if (arg == "--buildings") {
      s.buildings = true;
    } else if (arg == "--exclusions") {
      s.exclusions = true;
    } else if (arg == "--airport") {
      s.airport = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (IsLongOption(arg, "--library-api")) {
      if (!TakeValue(args, i, "--library-api", &s.library_api))
        return UsageError(err, "--library-api needs a value");
    } else if (IsLongOption(arg, "--sign-api")) {
      if (!TakeValue(args, i, "--sign-api", &s.sign_api))
        return UsageError(err, "--sign-api needs a value");
    } else if (IsLongOption(arg, "--output-dir")) {
      if (!TakeValue(args, i, "--output-dir", &s.output_directory))
        return UsageError(err, "--output-dir needs a value");
    } else if (arg[1] == '-') {
      return UsageError(err, "unknown option " + arg);
    } else {
      // Short options, which may be grouped: "-bea", "-o DIR", "-oDIR".
      for (std::size_t k = 1; k < arg.size(); ++k) {
        const char c = arg[k];
        if (c == 'b')
          s.buildings = true;
        else if (c == 'e')
          s.exclusions = true;
        else if (c == 'a')
          s.airport = true;
        else if (c == 'v')
          options.verbose = true;
        else if (c == 'h') {
          std::fprintf(out, "%s%s", kUsage, kHelp);
          return Parse::kDone;
        } else if (c == 'o') {
          if (k + 1 < arg.size()) {
            s.output_directory = arg.substr(k + 1);
          } else if (i + 1 < args.size()) {
            s.output_directory = args[++i];
          } else {
            return UsageError(err, "-o needs a value");
          }
          break;
        } else {
          return UsageError(err, std::string("unknown option -") + c);
        }
      }
    }
  }
  if (options.sources.empty()) return UsageError(err, "no SOURCE given");
  if (s.output_directory.empty()) s.output_directory = ".";
  return Parse::kRun;
}

void ReportFailure(std::FILE* err, const RunOutcome& outcome) {
  if (outcome.line > 0) {
    std::fprintf(err, "ferry-convert: %s:%ld: %s\n", outcome.file.c_str(), outcome.line,
                 outcome.message.c_str());
  } else {
    std::fprintf(err, "ferry-convert: %s: %s\n", outcome.file.c_str(), outcome.message.c_str());
  }
}

}  // namespace

int FerryConvertMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  Options options;
  switch (ParseArguments(args, options, out, err)) {
    case Parse::kDone:
      return 0;
    case Parse::kUsageError:
      return 2;
    case Parse::kRun:
      break;
  }
  int status = 0;
  for (const std::string& source : options.sources) {
    RunSettings settings = options.settings;
    settings.source_path = source;
    const RunOutcome outcome = PerformConversionRun(settings);
    if (outcome.succeeded) {
      if (options.verbose)
        std::fprintf(out, "ferry-convert: wrote %s\n", outcome.output_path.c_str());
    } else {
      ReportFailure(err, outcome);
      status = 1;
    }
  }
  return status;
}

}  // namespace ferry
