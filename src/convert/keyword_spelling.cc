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
  const std::string_view word = FirstWord(state.input_sca.CurrentLine());
  if (IsMisspeltKeyword(word, keywords)) state.Passed(PassedOver::kLikelyTypo, word);
}

}  // namespace ferry
