// Converts a scenery written by a test: the source, and its companions when
// given, in a fresh temporary directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/conversion_run.h"

namespace ferry::testing {

struct Scenery {
  Scenery(std::string source, std::optional<std::string> exclusions = std::nullopt,
          std::optional<std::string> afd = std::nullopt)
      : source(std::move(source)), exclusions(std::move(exclusions)), afd(std::move(afd)) {}
  std::string source;
  std::optional<std::string> exclusions;  // KJFK_Exclude.SCA
  std::optional<std::string> afd;         // KJFK_AFD.SCA
};

struct Converted {
  RunOutcome outcome;
  bool has_document = false;
  std::string document;
  // The document's lines without their CR LF; the last one may be partial.
  std::vector<std::string> lines;
  // The lines between the four head lines and "</FSData>" (or the end).
  std::vector<std::string> body;
};

// `settings` gives the options; its paths are filled in here.
Converted Convert(const Scenery& scenery, RunSettings settings = RunSettings());

// The text `times` times over.
std::string Repeat(std::string_view text, std::size_t times);

// A library-object call with every field, as most tests' sources hold one.
inline constexpr char kHangarCall[] =
    "MACRO( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar 0 0 0 0 0 4\n";

// The message of a statement that lacks field `index`.
std::string MissingField(std::size_t index);

// Splits a document at CR LF; a trailing piece without CR LF is kept too.
std::vector<std::string> SplitCrLf(const std::string& document);

}  // namespace ferry::testing
