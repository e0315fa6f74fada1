// The line reader on arbitrary file contents, against the plain model of the
// line format; every line is split too, as the passes split them.
//
// When the first byte is odd, the rest is placed so that it straddles the
// reader's 256 KiB block boundary (its second byte chooses how far before
// the boundary it starts): line ends, CRs and Ctrl-Z at a block edge are
// where a buffered reader goes wrong.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "sca/fields.h"
#include "sca/input_sca.h"

using namespace ferry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string contents =
      fuzz::FileContents(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string path = fuzz::ScratchDir() + "/lines.sca";
  fuzz::WriteBytes(path, contents);

  const std::vector<std::string> model = fuzz::ModelLines(contents);
  static InputSca in;  // reopened for every input, as a run reopens it per pass
  static Fields fields;
  in.Open(path);
  std::size_t n = 0;
  while (!in.AtInputEnd()) {
    if (in.AtInputEnd()) fuzz::Fail("AtInputEnd changed without a read");
    in.ReadSourceLine();
    if (n >= model.size()) fuzz::Fail("more lines than the model", in.RawLine());
    if (in.RawLine() != model[n]) fuzz::Fail("RawLine", in.RawLine());
    if (in.CurrentLine() != fuzz::ModelNormalise(model[n])) fuzz::Fail("CurrentLine", model[n]);
    if (in.LineNumber() != static_cast<long>(n + 1)) fuzz::Fail("LineNumber");
    ++n;
    // The padding line is long; splitting is tried on its own elsewhere.
    if (in.CurrentLine().size() > 4096) continue;
    fields.SplitFields(in.CurrentLine());
    const std::vector<std::string> want = fuzz::ModelFields(in.CurrentLine());
    if (fields.Count() != want.size()) fuzz::Fail("SplitFields count", in.CurrentLine());
    for (std::size_t i = 0; i < want.size(); ++i)
      if (fields.At(i) != want[i]) fuzz::Fail("SplitFields entry", in.CurrentLine());
  }
  if (n != model.size()) fuzz::Fail("fewer lines than the model");
  // Reading on past the end gives empty lines, and the end stays.
  for (int i = 0; i < 2; ++i) {
    in.ReadSourceLine();
    if (!in.RawLine().empty() && contents.find('\x1A') == std::string::npos)
      fuzz::Fail("a read past the end gave text", in.RawLine());
  }
  in.Close();
  if (fuzz::ReadBytes(path) != contents) fuzz::Fail("the reader changed its file");
  return 0;
}
