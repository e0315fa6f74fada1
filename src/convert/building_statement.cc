#include "convert/building_statement.h"

#include <stdexcept>

#include "base/failure.h"
#include "sca/fields.h"
#include "sca/text.h"

namespace ferry {

void BuildingStatement::Start(const Fields& opening) {
  count_ = 0;
  for (Section& section : sections_) section.at = -1;
  for (std::size_t i = 0; i < opening.Count(); ++i) Add(opening.At(i));
}

void BuildingStatement::AddWords(std::string_view line) {
  ForEachWord(line, [this](std::string_view word) { Add(word); });
}

void BuildingStatement::Add(std::string_view item) {
  const std::size_t index = count_++;
  if (index < kHead) head_[index].assign(item);
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    Section& section = sections_[s];
    if (section.at < 0) {
      if (EqualsIgnoringCase(item, kSectionWords[s])) section.at = static_cast<long>(index);
    } else if (index - static_cast<std::size_t>(section.at) <= kSectionValues) {
      section.values[index - static_cast<std::size_t>(section.at) - 1].assign(item);
    }
  }
  last_.assign(item);
}

const std::string& BuildingStatement::At(std::size_t i) const {
  if (i >= count_) throw Failure::MissingField(i);
  if (i < kHead) return head_[i];
  for (const Section& section : sections_) {
    if (section.at >= 0 && i > static_cast<std::size_t>(section.at) &&
        i - static_cast<std::size_t>(section.at) <= kSectionValues) {
      return section.values[i - static_cast<std::size_t>(section.at) - 1];
    }
  }
  throw std::logic_error("building statement item " + std::to_string(i) + " was not kept");
}

long BuildingStatement::FindSection(std::string_view word) const {
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (kSectionWords[s] == word) return sections_[s].at;
  }
  return -1;
}

}  // namespace ferry
