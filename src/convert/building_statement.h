// BuildingStatement: one "ADVBLDG(" statement, gathered over its lines.
//
// A statement may run over any number of lines, but the shape writer reads
// only a few of its items: the shape word and the fixed values (fields 0 to
// 5), the values that follow the first occurrence of each section word, and
// the last item, which tells whether the statement is closed. Those are kept
// and the rest only counted, so an unclosed statement costs no memory beyond
// its longest line. Only kept items can be asked for: the limits are checked
// when the shape writer is compiled.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "base/copy_bytes.h"
#include "base/failure.h"

namespace ferry {

class Fields;

class BuildingStatement {
 public:
  // The section words, in the order the shape writer looks for them.
  enum SectionWord { kLevel1, kLevel2, kLevel3, kRoof };
  static constexpr std::array<std::string_view, 4> kSectionWords = {"LEVEL1", "LEVEL2", "LEVEL3",
                                                                    "ROOF"};
  // Fields 0 to 5: the keyword, the shape word and the fixed values.
  static constexpr std::size_t kFixedFields = 6;
  // The most values a shape reads after one section word.
  static constexpr std::size_t kSectionValues = 5;

  // Starts with the fields of the opening line.
  void Start(const Fields& opening);
  // Appends the words of a continuation line (its first 255 characters).
  void AddWords(std::string_view line);

  std::size_t Count() const { return count_; }
  // The last item: valid until the next line is read.
  std::string_view Last() const { return last_; }

  // Field I; a statement without it stops the run with "List index out of
  // bounds (I)".
  template <std::size_t I>
  std::string_view Field() const {
    static_assert(I < kFixedFields, "only fields 0 to 5 are kept");
    if (I >= count_) throw Failure::MissingField(I);
    return head_[I].View();
  }

  // The N values after the first occurrence of a section word (letter case
  // ignored), or nothing when the word does not occur. A statement that ends
  // before the N-th value stops the run at the first index it lacks.
  template <std::size_t N>
  std::optional<std::array<std::string_view, N>> SectionValues(SectionWord word) const {
    static_assert(N <= kSectionValues, "only five values after a section word are kept");
    const Section& section = sections_[word];
    if (section.at < 0) return std::nullopt;
    std::array<std::string_view, N> values;
    for (std::size_t k = 0; k < N; ++k) {
      const std::size_t index = static_cast<std::size_t>(section.at) + 1 + k;
      if (index >= count_) throw Failure::MissingField(index);
      values[k] = section.values[k].View();
    }
    return values;
  }

 private:
  // A copy of an item: short ones, most of them, within the object.
  class KeptItem {
   public:
    void Assign(std::string_view item) {
      size_ = item.size();
      if (size_ <= sizeof short_) {
        CopyBytes(short_, item.data(), size_);
      } else {
        long_.assign(item);
      }
    }
    std::string_view View() const {
      return size_ <= sizeof short_ ? std::string_view(short_, size_) : std::string_view(long_);
    }

   private:
    char short_[32];
    std::size_t size_ = 0;
    std::string long_;
  };

  struct Section {
    long at = -1;
    std::array<KeptItem, kSectionValues> values;
  };

  void Add(std::string_view item);
  void TakeValue(std::size_t index, std::string_view item);
  void FindSectionWord(std::size_t index, std::string_view item);

  std::array<KeptItem, kFixedFields> head_;
  std::array<Section, kSectionWords.size()> sections_;
  std::string_view last_;
  std::size_t count_ = 0;
  unsigned unfound_ = 0;     // bit s: section word s has not occurred
  unsigned collecting_ = 0;  // bit s: the next item is a value of section s
};

}  // namespace ferry
