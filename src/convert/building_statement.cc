#include "convert/building_statement.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "sca/fields.h"

namespace ferry {

std::string_view BuildingStatement::TakeOpeningLine(std::string_view trimmed) {
  opening_.resize(trimmed.size());
  opening_line_ = ScannedLine::UpperCaseInto(opening_.data(), trimmed);
  return opening_line_.Text();
}

void BuildingStatement::Start(const Fields& opening) {
  count_ = 0;
  for (Section& section : sections_) section.at = -1;
  unfound_ = (1u << kSectionWords.size()) - 1;
  collecting_ = 0;
  last_ = {};
  lines_used_ = 0;
  // A field that the opening line does not hold is the list's own, which no
  // split replaces while the statement is gathered and written.
  const ScannedLine outside;  // not plain: its texts are tested when written
  line_ = opening_line_;
  for (std::size_t i = 0; i < opening.Count(); ++i) {
    const std::string_view field = opening.Text(i);
    if (opening_line_.Holds(field)) {
      Add(field);
    } else {
      line_ = outside;
      Add(field);
      line_ = opening_line_;
    }
  }
}

// The line's word window is upper-cased into the room after the kept lines;
// it stays there when it holds a kept item. Every kept line holds one of the
// 26 kept items, each of which is taken once, so the room is never short.
void BuildingStatement::AddLine(std::string_view trimmed) {
  constexpr std::size_t kRoom = (kKeptItems + 1) * kWordWindow;
  if (!lines_) lines_.reset(new char[kRoom]);
  const std::string_view window = trimmed.substr(0, kWordWindow);
  line_ = ScannedLine::UpperCaseInto(lines_.get() + lines_used_, window);
  line_kept_ = false;
  ForEachWord(line_.Text(), [this](std::string_view word) { Add(word); });
  if (line_kept_) lines_used_ += window.size();
}

// Most items are none of the kept ones: the values of the sections found so
// far are taken while they last, and only an item of a section word's
// length is compared with the words not found yet.
inline void BuildingStatement::Add(std::string_view item) {
  const std::size_t index = count_++;
  if (index < kFixedFields) {
    head_[index] = line_.Part(item);
    line_kept_ = true;
  }
  if (collecting_ != 0) TakeValue(index, item);
  if (unfound_ != 0 && (item.size() == 4 || item.size() == 6)) FindSectionWord(index, item);
  last_ = item;
}

void BuildingStatement::TakeValue(std::size_t index, std::string_view item) {
  const ScannedText value = line_.Part(item);
  line_kept_ = true;
  for (unsigned bits = collecting_; bits != 0; bits &= bits - 1) {
    const int s = std::countr_zero(bits);
    Section& section = sections_[s];
    const std::size_t after = index - static_cast<std::size_t>(section.at);
    section.values[after - 1] = value;
    if (after == kSectionValues) collecting_ &= ~(1u << s);
  }
}

namespace {

static_assert(std::endian::native == std::endian::little, "the words are read lowest byte first");

// Four letters as the bytes of a word in memory.
constexpr std::uint32_t Letters(const char (&word)[5]) {
  return static_cast<std::uint32_t>(word[0]) | static_cast<std::uint32_t>(word[1]) << 8 |
         static_cast<std::uint32_t>(word[2]) << 16 | static_cast<std::uint32_t>(word[3]) << 24;
}

// The four bytes at `text` with the case bit (0x20) set: that equals four
// lower-case letters exactly when the bytes are those letters in either case.
std::uint32_t CaseBitSet(const char* text) {
  std::uint32_t bytes;
  std::memcpy(&bytes, text, 4);
  return bytes | 0x20202020u;
}

}  // namespace

// LEVEL1, LEVEL2, LEVEL3 and ROOF, letter case ignored.
void BuildingStatement::FindSectionWord(std::size_t index, std::string_view item) {
  std::size_t s;
  if (item.size() == 4 && CaseBitSet(item.data()) == Letters("roof")) {
    s = kRoof;
  } else if (item.size() == 6 && item[5] >= '1' && item[5] <= '3' &&
             CaseBitSet(item.data()) == Letters("leve") && (item[4] | 0x20) == 'l') {
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
