// BuildingStatement: one "ADVBLDG(" statement, gathered over its lines.
//
// A statement may run over any number of lines, but the shape writer reads
// only a few of its items: the shape word and the fixed values (fields 0 to
// 5), the values that follow the first occurrence of each section word, and
// the last item, which tells whether the statement is closed. Those are kept
// as views, and the rest only counted. The views are into texts the
// statement owns: the opening line, and the upper-cased word
// windows (first 255 characters) of the continuation lines that hold a kept
// item; a continuation line that holds none is written over by the next one.
// At most 26 items are kept, so at most 26 continuation lines are, and an
// unclosed statement costs no memory beyond its opening line and a fixed
// amount. Only kept items can be asked for: the limits are checked when the
// shape writer is compiled.
//
// Each line is scanned for the bytes that the value rules change as it is
// taken in (output/plain_text.h): an item of a line without them is plain,
// and is written without being tested again.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "base/failure.h"
#include "output/plain_text.h"
#include "sca/text.h"

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

  // Takes the opening line, trimmed in the letter case of the file, and
  // gives it upper-cased (as InputSca::CurrentLine) in the statement's own
  // text, to be split and handed to Start: it stays while the statement is
  // gathered and written.
  std::string_view TakeOpeningLine(std::string_view trimmed);
  // Starts with the fields of the opening line, split from the text that
  // TakeOpeningLine gave; a field that the text does not hold stays as
  // `opening` holds it.
  void Start(const Fields& opening);
  // Appends the words of a continuation line, given trimmed in the letter
  // case of the file: those of its first 255 characters, upper-cased.
  void AddLine(std::string_view trimmed);

  std::size_t Count() const { return count_; }
  // The last item: valid until the next line is added.
  std::string_view Last() const { return last_; }

  // Field I; a statement without it stops the run with "List index out of
  // bounds (I)".
  template <std::size_t I>
  ScannedText Field() const {
    static_assert(I < kFixedFields, "only fields 0 to 5 are kept");
    if (I >= count_) throw Failure::MissingField(I);
    return head_[I];
  }

  // The N values after the first occurrence of a section word (letter case
  // ignored), or null when the word does not occur. A statement that ends
  // before the N-th value stops the run at the first index it lacks.
  template <std::size_t N>
  const ScannedText* SectionValues(SectionWord word) const {
    static_assert(N <= kSectionValues, "only five values after a section word are kept");
    const Section& section = sections_[word];
    if (section.at < 0) return nullptr;
    const std::size_t first = static_cast<std::size_t>(section.at) + 1;
    if (first + N > count_) throw Failure::MissingField(count_ < first ? first : count_);
    return section.values.data();
  }

 private:
  // The most items kept: the fixed fields and the values of the sections.
  static constexpr std::size_t kKeptItems = kFixedFields + kSectionWords.size() * kSectionValues;

  struct Section {
    long at = -1;
    std::array<ScannedText, kSectionValues> values;
  };

  void Add(std::string_view item);
  void TakeValue(std::size_t index, std::string_view item);
  void FindSectionWord(std::size_t index, std::string_view item);

  std::array<ScannedText, kFixedFields> head_;
  std::array<Section, kSectionWords.size()> sections_;
  std::string_view last_;
  std::string opening_;       // the opening line's text
  ScannedLine opening_line_;  // opening_ scanned
  // The word windows of the continuation lines that hold kept items, one
  // after another, and room for one more: the line being added.
  std::unique_ptr<char[]> lines_;
  std::size_t lines_used_ = 0;
  ScannedLine line_;        // the line whose items are being added
  bool line_kept_ = false;  // it holds a kept item
  std::size_t count_ = 0;
  unsigned unfound_ = 0;     // bit s: section word s has not occurred
  unsigned collecting_ = 0;  // bit s: the next item is a value of section s
};

}  // namespace ferry
