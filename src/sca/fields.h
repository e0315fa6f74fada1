// Fields: the list of texts split from a statement, numbered from 0 (field 0
// is the keyword). One list serves a whole run; its strings are reused from
// line to line so that splitting does not allocate once they have grown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ferry {

class Fields {
 public:
  // Replaces the whole list with the fields of `text`: blanks separate,
  // double quotes group (a doubled quote stands for one), a NUL ends the text.
  // With a `limit`, the split stops after that many fields: for a reader that
  // reads no further field of this split.
  void SplitFields(std::string_view text, std::size_t limit = SIZE_MAX);

  std::size_t Count() const { return count_; }
  // Entry i; a missing entry stops the run with "List index out of bounds (i)".
  const std::string& At(std::size_t i) const;
  // Entry i, to be replaced in place; missing entries stop the run alike.
  std::string& Mutable(std::size_t i);

 private:
  // The next entry, its text left from an earlier line: callers assign it.
  std::string& NewEntry() {
    if (count_ == items_.size()) items_.emplace_back();
    return items_[count_++];
  }

  std::vector<std::string> items_;
  std::size_t count_ = 0;
};

}  // namespace ferry
