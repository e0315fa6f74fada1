#include "app/conversion_run.h"

#include <utility>

#include "app/file_names.h"
#include "base/failure.h"
#include "convert/exclusions.h"
#include "convert/library_objects.h"
#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

constexpr const char* kHead[] = {
    "<?xml version=\"1.0\"?>",
    "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
    "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">",
};

// A link can make the output document one of the companion files that the
// run is going to read; creating the document would empty that file. The
// source itself is refused alike by OutputXml::Create.
void RefuseACompanionAsOutput(const RunSettings& settings, const std::string& output_path) {
  const std::pair<bool, std::string> companions[] = {
      {settings.exclusions, ExclusionFilePath(settings.source_path)},
      {settings.airport, AfdFilePath(settings.source_path)},
  };
  for (const auto& [ticked, path] : companions) {
    if (!ticked) continue;
    const std::string found = platform::FindCompanionFile(path);
    if (!found.empty() && platform::SameFile(found, output_path))
      throw Failure::Io(32, output_path);
  }
}

}  // namespace

void ConversionRun::Run() {
  input_sca.Open(settings.source_path);
  output_path = OutputDocumentPath(settings.output_directory, settings.source_path);
  RefuseACompanionAsOutput(settings, output_path);
  output_xml.Create(output_path, input_sca.File());
  for (const char* line : kHead) output_xml.WriteXmlLine(line);
  output_xml.WriteXmlLine({"<!-- Import from SCA ", SourceFileName(settings.source_path), "-->"});
  library_api_text = UpperCase(settings.library_api);

  SourcePass();
  input_sca.Close();

  if (settings.exclusions) ConvertExclusions(*this);
  if (settings.airport) ConvertAirport(*this);

  output_xml.WriteXmlLine("</FSData>");
  output_xml.Close();
}

void ConversionRun::SourcePass() {
  while (!input_sca.AtInputEnd()) {
    input_sca.ReadSourceLine();
    MarkStatement();
    ConvertLibraryObject(*this);
    if (settings.buildings) HandleAreaLine(*this);
  }
}

void ConversionRun::CloseAfterStop() {
  input_sca.Close();
  output_xml.Abandon();
}

RunOutcome PerformConversionRun(const RunSettings& settings) {
  RunOutcome outcome;
  ConversionRun run(settings);
  try {
    run.Run();
    outcome.succeeded = true;
  } catch (const Failure& failure) {
    run.CloseAfterStop();
    outcome.message = UserMessage(failure.message());
    if (failure.is_io()) {
      outcome.file = failure.file();
    } else {
      outcome.file = run.statement.file;
      outcome.line = run.statement.line;
    }
  }
  outcome.output_path = run.output_path;
  return outcome;
}

}  // namespace ferry
