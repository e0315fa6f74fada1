#include "convert/keyword_spelling.h"

#include "convert/run_state.h"
#include "sca/text.h"

namespace ferry {

bool IsMisspeltKeyword(std::string_view word, std::span<const std::string_view> keywords) {
  std::string_view bare = word;
  while (bare.starts_with('"')) bare.remove_prefix(1);
  for (std::string_view keyword : keywords) {
    if (word == keyword) return false;
  }
  for (std::string_view keyword : keywords) {
    if (bare.starts_with(keyword)) return true;
  }
  return false;
}

void NoteMisspeltKeyword(RunState& state, std::span<const std::string_view> keywords) {
  const std::string_view line = state.input_sca.UpperLine();
  // Most lines begin with no keyword at all, or with one and a space.
  if (line.empty()) return;
  bool may_be = line[0] == '"';
  for (std::string_view keyword : keywords) {
    if (keyword[0] != line[0]) continue;
    may_be |=
        line.starts_with(keyword) && line.size() > keyword.size() && line[keyword.size()] != ' ';
  }
  if (!may_be) return;
  const std::string_view word = FirstWord(line);
  if (IsMisspeltKeyword(word, keywords)) state.Passed(PassedOver::kLikelyTypo, word);
}

}  // namespace ferry
