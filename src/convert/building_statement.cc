#include "convert/building_statement.h"

#include <bit>

#include "sca/fields.h"
#include "sca/text.h"

namespace ferry {

void BuildingStatement::Start(const Fields& opening) {
  count_ = 0;
  for (Section& section : sections_) section.at = -1;
  unfound_ = (1u << kSectionWords.size()) - 1;
  collecting_ = 0;
  last_ = {};
  for (std::size_t i = 0; i < opening.Count(); ++i) Add(opening.Text(i));
}

void BuildingStatement::AddWords(std::string_view line) {
  ForEachWord(line, [this](std::string_view word) { Add(word); });
}

// Most items are none of the kept ones: the values of the sections found so
// far are taken while they last, and only an item of a section word's
// length is compared with the words not found yet.
void BuildingStatement::Add(std::string_view item) {
  const std::size_t index = count_++;
  if (index < kFixedFields) head_[index].Assign(item);
  if (collecting_ != 0) TakeValue(index, item);
  if (unfound_ != 0 && (item.size() == 4 || item.size() == 6)) FindSectionWord(index, item);
  last_ = item;
}

void BuildingStatement::TakeValue(std::size_t index, std::string_view item) {
  for (unsigned bits = collecting_; bits != 0; bits &= bits - 1) {
    const int s = std::countr_zero(bits);
    Section& section = sections_[s];
    const std::size_t after = index - static_cast<std::size_t>(section.at);
    section.values[after - 1].Assign(item);
    if (after == kSectionValues) collecting_ &= ~(1u << s);
  }
}

// LEVEL1, LEVEL2, LEVEL3 and ROOF, letter case ignored.
void BuildingStatement::FindSectionWord(std::size_t index, std::string_view item) {
  std::size_t s;
  if (item.size() == 4 && EqualsIgnoringCase(item, kSectionWords[kRoof])) {
    s = kRoof;
  } else if (item.size() == 6 && item[5] >= '1' && item[5] <= '3' &&
             EqualsIgnoringCase(item.substr(0, 5), "LEVEL")) {
    s = static_cast<std::size_t>(kLevel1 + (item[5] - '1'));
  } else {
    return;
  }
  if ((unfound_ & (1u << s)) == 0) return;
  sections_[s].at = static_cast<long>(index);
  unfound_ &= ~(1u << s);
  collecting_ |= 1u << s;
}

}  // namespace ferry
