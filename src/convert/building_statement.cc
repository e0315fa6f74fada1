#include "convert/building_statement.h"

#include "sca/fields.h"
#include "sca/text.h"

namespace ferry {

void BuildingStatement::Start(const Fields& opening) {
  count_ = 0;
  for (Section& section : sections_) section.at = -1;
  last_ = {};
  for (std::size_t i = 0; i < opening.Count(); ++i) Add(opening.Text(i));
}

void BuildingStatement::AddWords(std::string_view line) {
  ForEachWord(line, [this](std::string_view word) { Add(word); });
}

void BuildingStatement::Add(std::string_view item) {
  const std::size_t index = count_++;
  if (index < kFixedFields) head_[index].assign(item);
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    Section& section = sections_[s];
    if (section.at < 0) {
      if (EqualsIgnoringCase(item, kSectionWords[s])) section.at = static_cast<long>(index);
      continue;
    }
    const std::size_t after = index - static_cast<std::size_t>(section.at);
    if (after <= kSectionValues) section.values[after - 1].assign(item);
  }
  last_ = item;
}

}  // namespace ferry
