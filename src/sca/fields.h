// Fields: the list of texts split from a statement, numbered from 0 (field 0
// is the keyword). One list serves a whole run.
//
// An entry views the text that was split, which the caller keeps unchanged
// while it reads the entries (a line of InputSca until the next read), or
// after SplitUpperCased the list's upper-cased copy of what it read. Only
// an entry that differs from every run of that text is held by the list: a
// quoted field with a doubled quote, and an entry replaced through Mutable.
// The list's strings are reused from line to line, so that splitting does
// not allocate once they have grown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"

namespace ferry {

class Fields {
 public:
  // Replaces the whole list with the fields of `text`: blanks separate,
  // double quotes group (a doubled quote stands for one), a NUL ends the text.
  // With a `limit`, the split stops after that many fields: for a reader that
  // reads no further field of this split.
  void SplitFields(std::string_view text, std::size_t limit = SIZE_MAX);
  // The fields that SplitFields(UpperCase(text), limit) gives, with only the
  // part of `text` that the split reads upper-cased: a limited split of a
  // long line leaves most of it alone. Upper-casing moves no blank, quote or
  // NUL, so `text` is split as it is and the entries are then upper-cased.
  // They view a copy of the list's own, valid until the next such split.
  void SplitUpperCased(std::string_view text, std::size_t limit = SIZE_MAX);

  std::size_t Count() const { return count_; }
  // Entry i; a missing entry stops the run with "List index out of bounds (i)".
  std::string_view Text(std::size_t i) const {
    if (i >= count_) throw Failure::MissingField(i);
    const Entry& entry = entries_[i];
    return entry.held ? std::string_view(held_[i]) : entry.text;
  }
  // Entry i as a string of the list's own.
  const std::string& At(std::size_t i) const;
  // Entry i, to be replaced in place; missing entries stop the run alike.
  std::string& Mutable(std::size_t i);
  // Entry i with its colons made spaces, changed in the list's own copy
  // (without copying it when SplitUpperCased made the list); missing entries
  // stop the run alike.
  std::string_view ColonsToSpaces(std::size_t i);

 private:
  struct Entry {
    std::string_view text;  // when not held
    bool held = false;      // the entry is held_[i]
  };

  // SplitFields; with `upper`, which has room for the text, the entries
  // view the split's bytes upper-cased there instead.
  void Split(std::string_view text, std::size_t limit, char* upper);
  // Entry `index`, a quoted field whose text starts at `i` in `text`, which
  // ends at the first NUL; gives the position after the field.
  std::size_t TakeQuoted(std::string_view text, std::size_t i, std::size_t index, const char* view,
                         bool upper);

  // At least count_ entries; those past it are left from earlier splits.
  std::vector<Entry> entries_;
  // Held entries, and the copies that At gives; at least one per entry, so
  // that no string moves while the entries are read.
  mutable std::vector<std::string> held_;
  std::size_t count_ = 0;
  std::string upper_;         // the upper-cased text of SplitUpperCased
  bool views_upper_ = false;  // entries that are not held view upper_
};

}  // namespace ferry
