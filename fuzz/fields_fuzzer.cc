// SplitFields and the word and trimming rules on arbitrary bytes,
// against the plain models of fuzz_support.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "fuzz_support.h"
#include "sca/fields.h"
#include "sca/text.h"

using namespace ferry;

namespace {

// One list for the whole process, as a run keeps one for all its lines: the
// reuse of its strings from split to split is part of what is tried.
Fields& SharedFields() {
  static Fields fields;
  return fields;
}

void ExpectEntries(const Fields& fields, std::size_t from, const std::vector<std::string>& want,
                   const char* what, std::string_view text) {
  if (fields.Count() != from + want.size()) fuzz::Fail(what, text);
  for (std::size_t i = 0; i < want.size(); ++i) {
    if (fields.At(from + i) != want[i]) fuzz::Fail(what, text);
  }
}

void ExpectMissing(const Fields& fields, std::size_t index) {
  try {
    fields.At(index);
  } catch (const Failure& failure) {
    if (failure.message() != "List index out of bounds (" + std::to_string(index) + ")")
      fuzz::Fail("missing-field message", failure.message());
    return;
  }
  fuzz::Fail("a missing field did not stop");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Fields& fields = SharedFields();

  const std::vector<std::string> model = fuzz::ModelFields(text);
  fields.SplitFields(text);
  ExpectEntries(fields, 0, model, "SplitFields", text);
  ExpectMissing(fields, fields.Count());

  // A limited split gives the first fields of the whole split; a split that
  // upper-cases only what it reads gives those of the upper-cased text, as
  // the converters split a trimmed line.
  const std::size_t limit = size == 0 ? 0 : data[0] % 24;
  const std::vector<std::string> first(model.begin(),
                                       model.begin() + std::min(limit, model.size()));
  fields.SplitFields(text, limit);
  ExpectEntries(fields, 0, first, "SplitFields with a limit", text);
  const std::string line = fuzz::ModelNormalise(text);
  const std::vector<std::string> line_model = fuzz::ModelFields(line);
  const std::vector<std::string> line_first(
      line_model.begin(), line_model.begin() + std::min(limit, line_model.size()));
  fields.SplitUpperCased(Trim(text), limit);
  ExpectEntries(fields, 0, line_first, "SplitUpperCased", text);

  const std::vector<std::string> words = fuzz::ModelWords(text);
  std::vector<std::string> taken;
  ForEachWord(text, [&](std::string_view word) { taken.emplace_back(word); });
  if (taken != words) fuzz::Fail("ForEachWord", text);
  if (CountWords(text) != words.size()) fuzz::Fail("CountWords", text);
  if (FirstWord(text) != (words.empty() ? std::string() : words.front()))
    fuzz::Fail("FirstWord", text);

  std::string normalised(Trim(text));
  UpperCaseInPlace(normalised);
  if (normalised != fuzz::ModelNormalise(text)) fuzz::Fail("trim and upper-case", text);

  const std::string spaced = ColonsToSpaces(text);
  if (spaced.size() != text.size() || spaced.find(':') != std::string::npos)
    fuzz::Fail("ColonsToSpaces", text);
  return 0;
}
