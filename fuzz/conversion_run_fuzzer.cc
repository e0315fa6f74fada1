// A whole conversion run over an arbitrary scenery. The input is cut at each
// separator line "\n=====\n" into up to five pieces: the source file, the
// exclusion file, the AFD file, the library API text and the sign API text.
// A companion exists only when its piece is there; a missing API text keeps
// its default. The first byte of the source piece, when it is not printable,
// is taken for the three check boxes (bits 0 to 2) instead.
//
// Whatever the input, the run must end with the document's closing line or
// stop with one of the messages a run may stop with; the document's lines all
// end in CR LF; the inputs are left exactly as they were.
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "app/conversion_run.h"
#include "fuzz_support.h"

using namespace ferry;

namespace {

constexpr std::string_view kSeparator = "\n=====\n";

constexpr std::string_view kHead =
    "<?xml version=\"1.0\"?>\r\n"
    "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
    "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">\r\n"
    "<!-- Import from SCA KJFK.sca-->\r\n";
constexpr std::string_view kClosing = "</FSData>\r\n";

std::vector<std::string> Pieces(std::string_view input) {
  std::vector<std::string> pieces;
  for (;;) {
    const std::size_t at = input.find(kSeparator);
    if (at == std::string_view::npos || pieces.size() == 4) break;
    pieces.emplace_back(input.substr(0, at));
    input.remove_prefix(at + kSeparator.size());
  }
  pieces.emplace_back(input);
  return pieces;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The messages a run stops with when no file operation fails.
bool IsFieldMessage(const std::string& message) {
  static const std::regex field(R"(List index out of bounds \((0|[1-9][0-9]*)\))");
  return std::regex_match(message, field);
}

bool IsTableMessage(const std::string& message) {
  static const std::regex io(
      R"(File not found\.|Invalid filename\.|Too many open files\.|File access denied\.|)"
      R"(Read beyond end of file\.|Disk full\.|Invalid numeric input\.|I/O error [0-9]+\.)");
  return IsFieldMessage(message) || std::regex_match(message, io);
}

void CheckLineEnds(const std::string& document) {
  if (!EndsWith(document, "\r\n")) fuzz::Fail("the document does not end in CR LF");
  for (std::size_t i = 0; i < document.size(); ++i) {
    const bool bare_lf = document[i] == '\n' && (i == 0 || document[i - 1] != '\r');
    const bool bare_cr =
        document[i] == '\r' && (i + 1 == document.size() || document[i + 1] != '\n');
    if (bare_lf || bare_cr) fuzz::Fail("a line end other than CR LF", document.substr(i));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> pieces =
      Pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  RunSettings settings;
  std::string& source = pieces[0];
  if (!source.empty() && (static_cast<unsigned char>(source[0]) < 0x20 ||
                          static_cast<unsigned char>(source[0]) >= 0x7F)) {
    const unsigned flags = static_cast<unsigned char>(source[0]);
    settings.buildings = flags & 1;
    settings.exclusions = flags & 2;
    settings.airport = flags & 4;
    source.erase(0, 1);
  } else {
    settings.buildings = settings.exclusions = settings.airport = true;
  }
  if (pieces.size() > 3) settings.library_api = pieces[3];
  if (pieces.size() > 4) settings.sign_api = pieces[4];

  const std::string& dir = fuzz::ScratchDir();
  settings.source_path = dir + "/KJFK.sca";
  settings.output_directory = dir;
  const std::string inputs[] = {settings.source_path, dir + "/KJFK_Exclude.SCA",
                                dir + "/KJFK_AFD.SCA"};
  const std::string output = dir + "/KJFK.xml";
  for (std::size_t i = 0; i < 3; ++i) {
    if (i < pieces.size())
      fuzz::WriteBytes(inputs[i], pieces[i]);
    else
      fuzz::Remove(inputs[i]);
  }
  fuzz::Remove(output);

  const RunOutcome outcome = PerformConversionRun(settings);

  if (!fuzz::Exists(output)) fuzz::Fail("no document", outcome.message);
  const std::string document = fuzz::ReadBytes(output);
  if (document.substr(0, kHead.size()) != kHead) fuzz::Fail("the head", document);
  CheckLineEnds(document);
  if (outcome.succeeded) {
    if (!outcome.message.empty()) fuzz::Fail("a message after success", outcome.message);
    if (!EndsWith(document, kClosing)) fuzz::Fail("a finished document without its closing line");
  } else {
    if (!IsTableMessage(outcome.message))
      fuzz::Fail("a message no run stops with", outcome.message);
    // Nothing here fails a file operation, so every stop is a missing field,
    // found in a statement at a line of one of the inputs.
    if (!IsFieldMessage(outcome.message)) fuzz::Fail("an I/O failure", outcome.message);
    if (outcome.line <= 0) fuzz::Fail("a stop without its line", outcome.message);
    if (outcome.file != inputs[0] && outcome.file != inputs[1] && outcome.file != inputs[2])
      fuzz::Fail("a stop in no input", outcome.file);
    if (EndsWith(document, kClosing)) fuzz::Fail("a stopped run wrote the closing line");
  }
  for (std::size_t i = 0; i < 3 && i < pieces.size(); ++i) {
    if (fuzz::ReadBytes(inputs[i]) != pieces[i]) fuzz::Fail("an input changed", inputs[i]);
  }
  return 0;
}
