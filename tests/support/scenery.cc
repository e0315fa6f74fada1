#include "support/scenery.h"

#include "support/temp_dir.h"

namespace ferry::testing {

std::string Repeat(std::string_view text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

std::string MissingField(std::size_t index) {
  return "List index out of bounds (" + std::to_string(index) + ")";
}

std::vector<std::string> SplitCrLf(const std::string& document) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = document.find("\r\n", start);
    if (end == std::string::npos) break;
    lines.push_back(document.substr(start, end - start));
    start = end + 2;
  }
  if (start < document.size()) lines.push_back(document.substr(start));
  return lines;
}

Converted Convert(const Scenery& scenery, RunSettings settings) {
  TempDir dir;
  settings.source_path = dir.File("KJFK.sca");
  settings.output_directory = dir.path();
  WriteFile(settings.source_path, scenery.source);
  if (scenery.exclusions) WriteFile(dir.File("KJFK_Exclude.SCA"), *scenery.exclusions);
  if (scenery.afd) WriteFile(dir.File("KJFK_AFD.SCA"), *scenery.afd);

  Converted converted;
  converted.outcome = PerformConversionRun(settings);
  const std::string output = dir.File("KJFK.xml");
  converted.has_document = FileExists(output);
  if (!converted.has_document) return converted;
  converted.document = ReadFile(output);
  converted.lines = SplitCrLf(converted.document);
  std::size_t end = converted.lines.size();
  if (end > 0 && converted.lines.back() == "</FSData>") --end;
  for (std::size_t i = 4; i < end; ++i) converted.body.push_back(converted.lines[i]);
  return converted;
}

}  // namespace ferry::testing
