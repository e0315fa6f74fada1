// What the passes read of a line without copying it, on arbitrary file
// contents, against the plain models: Line() is RawLine, TrimmedLine() is
// CurrentLine less its upper-casing, the first word found as the line is read
// is FirstWord of CurrentLine, the keyword tests agree with it, and a split
// with a limit gives the first entries of the whole split.
//
// As in the line-reader target, an odd first byte places the rest across the
// reader's 256 KiB block boundary. The input alone is also read in blocks
// of 1 to 64 bytes, so that the thread that reads ahead and finds the lines
// meets block edges everywhere.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sca/fields.h"
#include "sca/input_sca.h"
#include "sca/text.h"

using namespace ferry;

namespace {

constexpr std::string_view kKeywords[] = {"MACRO(",      "AREA(",    "ENDA",     "IFVARRANGE(",
                                          "REFPOINT(",   "ADVBLDG(", "EXCLUDE(", "ROTATEDCALL(",
                                          "APLOCATION(", "LEVEL1"};

// Checks what a pass sees of the line just read against the models, and
// gives the line's first word as the model finds it.
std::string CheckViews(const InputSca& in, const std::string& line, const char* reading) {
  const auto fail = [&](const char* what) {
    fuzz::Fail((what + std::string(reading)).c_str(), line);
  };
  if (in.Line() != line) fail("Line");
  if (in.TrimmedLine() != Trim(line)) fail("TrimmedLine");
  const std::string normalised = fuzz::ModelNormalise(line);
  if (in.UpperLine() != normalised) fail("UpperLine");
  const std::vector<std::string> words = fuzz::ModelWords(normalised);
  const std::string first = words.empty() ? std::string() : words.front();
  if (UpperCase(in.FirstWordAsRead()) != first) fail("FirstWordAsRead");
  return first;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string contents =
      fuzz::FileContents(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string path = fuzz::ScratchDir() + "/views.sca";
  fuzz::WriteBytes(path, contents);

  const std::vector<std::string> model = fuzz::ModelLines(contents);
  static InputSca in;
  static Fields fields;
  in.Open(path);
  std::size_t n = 0;
  while (!in.AtInputEnd()) {
    in.ReadSourceLine();
    if (n >= model.size()) fuzz::Fail("more lines than the model");
    const std::string& line = model[n++];
    const std::string first = CheckViews(in, line, "");
    const std::string normalised = fuzz::ModelNormalise(line);
    for (std::string_view keyword : kKeywords) {
      if (in.FirstWordIs(keyword) != (first == keyword)) fuzz::Fail("FirstWordIs", line);
    }
    if (normalised.size() > 4096) continue;
    const std::vector<std::string> want = fuzz::ModelFields(normalised);
    const std::size_t limit = line.empty() ? 0 : static_cast<unsigned char>(line[0]) % 16;
    fields.SplitFields(in.CurrentLine(), limit);
    const std::size_t count = want.size() < limit ? want.size() : limit;
    if (fields.Count() != count) fuzz::Fail("SplitFields with a limit: count", line);
    for (std::size_t i = 0; i < count; ++i) {
      if (fields.Text(i) != want[i] || fields.At(i) != want[i])
        fuzz::Fail("SplitFields with a limit: entry", line);
    }
  }
  if (n != model.size()) fuzz::Fail("fewer lines than the model");
  in.Close();

  // The input alone, read in small blocks ahead by the reader thread.
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string small_path = fuzz::ScratchDir() + "/blocks.sca";
  fuzz::WriteBytes(small_path, input);
  const std::vector<std::string> small_model = fuzz::ModelLines(input);
  InputSca ahead(size == 0 ? 1 : 1 + data[size - 1] % 64);
  ahead.Open(small_path);
  n = 0;
  while (!ahead.AtInputEnd()) {
    ahead.ReadSourceLine();
    if (n >= small_model.size()) fuzz::Fail("more lines than the model, in small blocks");
    CheckViews(ahead, small_model[n++], " in small blocks");
  }
  if (n != small_model.size()) fuzz::Fail("fewer lines than the model, in small blocks");
  return 0;
}
