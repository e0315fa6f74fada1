// BuildingStatement: one "ADVBLDG(" statement, gathered over its lines.
//
// A statement may run over any number of lines, but the shape writer reads
// only a few of its items: the shape word and the fixed values (fields 0 to
// 5), the values that follow the first occurrence of each section word, and
// the last item, which tells whether the statement is closed. Those are kept
// and the rest only counted, so an unclosed statement costs no memory beyond
// its longest line.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace ferry {

class Fields;

class BuildingStatement {
 public:
  // The section words, in the order the shape writer looks for them.
  static constexpr std::array<std::string_view, 4> kSectionWords = {"LEVEL1", "LEVEL2", "LEVEL3",
                                                                    "ROOF"};

  // Starts with the fields of the opening line.
  void Start(const Fields& opening);
  // Appends the words of a continuation line (its first 255 characters).
  void AddWords(std::string_view line);

  std::size_t Count() const { return count_; }
  const std::string& Last() const { return last_; }
  // Item i of a kept place; an item beyond the end stops the run with
  // "List index out of bounds (i)".
  const std::string& At(std::size_t i) const;
  // The index of the first item equal to a section word, letter case
  // ignored, or -1.
  long FindSection(std::string_view word) const;

 private:
  static constexpr std::size_t kHead = 6;
  static constexpr std::size_t kSectionValues = 5;

  struct Section {
    long at = -1;
    std::array<std::string, kSectionValues> values;
  };

  void Add(std::string_view item);

  std::array<std::string, kHead> head_;
  std::array<Section, kSectionWords.size()> sections_;
  std::string last_;
  std::size_t count_ = 0;
};

}  // namespace ferry
