#include "cli/options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>
#include <thread>

namespace ferry {

namespace {

constexpr const char kDescription[] =
    "Converts SCA scenery sources to XML documents for the scenery compiler.";

constexpr const char kFooter[] =
    "Each SOURCE file becomes DIR/NAME.xml, NAME being its file name less the last\n"
    "three characters. A SOURCE folder gives every *.sca file in it (any letter case,\n"
    "companions *_AFD.SCA and *_Exclude.SCA left out), in name order, and with -r\n"
    "those of its subfolders, whose structure is kept below DIR.\n"
    "Exit status: 0 all converted, 1 a source stopped, 2 a mistake on the command line;\n"
    "with --check, 0 only when every source converts without a warning.";

// CLI11 takes "--name=" as "--name" without its value and then takes the
// next argument; "--sign-api=" has always meant an empty text.
std::vector<std::string> WithEmptyValuesApart(const std::vector<std::string>& args) {
  static constexpr const char* kValued[] = {"--library-api=", "--sign-api=", "--output-dir="};
  std::vector<std::string> result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      result.insert(result.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
      break;
    }
    if (std::find(std::begin(kValued), std::end(kValued), arg) != std::end(kValued)) {
      result.push_back(arg.substr(0, arg.size() - 1));
      result.emplace_back();
    } else {
      result.push_back(arg);
    }
  }
  return result;
}

unsigned DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : cores;
}

}  // namespace

std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options,
                                std::FILE* out, std::FILE* err) {
  CLI::App app{kDescription, "ferry-convert"};
  // Paths such as "/tmp/x" are sources, on Windows too.
  app.allow_windows_style_options(false);
  // An option given twice takes its last value, as it always has.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.footer(kFooter);
  RunSettings& s = options.settings;
  options.jobs = DefaultJobs();

  app.add_flag("-b,--buildings", s.buildings, "Convert generic buildings in building areas");
  app.add_flag("-e,--exclusions", s.exclusions,
               "Convert the exclusion rectangles of SOURCE's _Exclude.SCA");
  app.add_flag("-a,--airport", s.airport,
               "Convert the airport of SOURCE's _AFD.SCA, with taxiway signs");
  app.add_option("--library-api", s.library_api, "Macro file of library objects")
      ->capture_default_str();
  app.add_option("--sign-api", s.sign_api, "Macro file of taxiway signs")->capture_default_str();
  app.add_option("-o,--output-dir", options.output_directory,
                 "Where the documents go (default: the current folder); made when missing")
      ->type_name("DIR");
  app.add_flag("-r,--recursive", options.recursive, "Take the subfolders of SOURCE folders too");
  app.add_option("-j,--jobs", options.jobs, "Convert up to N sources at once (default: the cores)")
      ->type_name("N")
      ->check(CLI::Range(1u, 1024u).description(""));
  app.add_flag("-v,--verbose", options.verbose, "Print the path of every document written");
  app.add_flag("-q,--quiet", options.quiet, "No progress line and no summary");
  app.add_flag("--report{text}", options.report,
               "Report what was converted, passed over and will be refused by the compiler; "
               "--report=json for one JSON document")
      ->check(CLI::IsMember({"text", "json"}))
      ->type_name("[=json]");
  app.add_flag("--check", options.check,
               "Run every pass and report, writing no document (exit 1 on any stop or warning)");
  app.set_version_flag("--version", std::string("ferry-convert ") + FERRY_VERSION);
  app.add_option("SOURCE", options.sources, "An SCA source file, or a folder of them")
      ->required()
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);

  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed = WithEmptyValuesApart(args);
  std::reverse(reversed.begin(), reversed.end());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    std::ostringstream normal;
    std::ostringstream failure;
    const int status = app.exit(error, normal, failure);
    std::fputs(normal.str().c_str(), out);
    std::fputs(failure.str().c_str(), err);
    return status == 0 ? 0 : 2;
  }
  if (options.output_directory.empty()) options.output_directory = ".";
  if (options.check && options.report.empty()) options.report = "text";
  options.settings.report = !options.report.empty();
  options.settings.write_document = !options.check;
  return std::nullopt;
}

}  // namespace ferry
