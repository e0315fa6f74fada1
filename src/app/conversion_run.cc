#include "app/conversion_run.h"

#include <utility>

#include "app/file_names.h"
#include "base/failure.h"
#include "convert/airport.h"
#include "convert/building_areas.h"
#include "convert/exclusions.h"
#include "convert/keyword_spelling.h"
#include "convert/library_objects.h"
#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

constexpr std::string_view kHead[] = {
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

std::shared_ptr<ConversionReport> NewReport(const RunSettings& settings) {
  if (!settings.report) return nullptr;
  const bool signs_converted =
      settings.airport && !platform::FindCompanionFile(AfdFilePath(settings.source_path)).empty();
  return std::make_shared<ConversionReport>(UpperCase(settings.sign_api), signs_converted);
}

}  // namespace

ConversionRun::ConversionRun(const RunSettings& settings)
    : settings_(settings), report_(NewReport(settings)), state_(report_.get()) {}

void ConversionRun::Run() {
  InputSca& input = state_.input_sca;
  OutputXml& output = state_.output_xml;
  input.Open(settings_.source_path);
  output_path_ = OutputDocumentPath(settings_.output_directory, settings_.source_path);
  if (settings_.write_document) {
    RefuseACompanionAsOutput(settings_, output_path_);
    output.Create(output_path_, input.File());
  } else {
    output.CreateNothing();
  }
  for (std::string_view line : kHead) output.WriteXmlLine(Fixed(line));
  output.WriteXmlLine("<!-- Import from SCA ", Comment(SourceFileName(settings_.source_path)),
                      "-->");

  SourcePass(UpperCase(settings_.library_api));
  input.Close();

  // A block that the writer thread failed to write stops the run before the
  // next pass looks for its file, as a write on this thread would have.
  output.AwaitWrites();
  if (settings_.exclusions) ConvertExclusions(state_, ExclusionFilePath(settings_.source_path));
  output.AwaitWrites();
  if (settings_.airport) {
    ConvertAirport(state_, AfdFilePath(settings_.source_path),
                   {settings_.source_path, UpperCase(settings_.sign_api)});
  }

  output.WriteXmlLine("</FSData>");
  output.Close();
}

void ConversionRun::SourcePass(const std::string& library_api_text) {
  InputSca& input = state_.input_sca;
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    state_.MarkStatement();
    if (state_.Reporting()) NoteMisspeltKeyword(state_, kSourceKeywords);
    ConvertLibraryObject(state_, library_api_text);
    if (settings_.buildings)
      HandleAreaLine(state_);
    else if (state_.Reporting())
      PassOverAreaLine(state_);
  }
}

Failure ConversionRun::FirstFailure(const Failure& failure) {
  try {
    state_.output_xml.AwaitWrites();
  } catch (const Failure& earlier) {
    return earlier;
  }
  return failure;
}

void ConversionRun::CloseAfterStop() {
  state_.input_sca.Close();
  state_.output_xml.Abandon();
}

RunOutcome PerformConversionRun(const RunSettings& settings) {
  RunOutcome outcome;
  ConversionRun run(settings);
  try {
    run.Run();
    outcome.succeeded = true;
  } catch (const Failure& stop) {
    const Failure failure = run.FirstFailure(stop);
    run.CloseAfterStop();
    outcome.message = UserMessage(failure.message());
    if (failure.is_io()) {
      outcome.file = failure.file();
    } else {
      outcome.file = run.Statement().file;
      outcome.line = run.Statement().line;
    }
  }
  outcome.output_path = run.OutputPath();
  outcome.report = run.Report();
  return outcome;
}

}  // namespace ferry
