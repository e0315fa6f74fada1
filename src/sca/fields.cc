#include "sca/fields.h"

#include <cstring>

#include "sca/text.h"

namespace ferry {

namespace {

bool IsFieldSeparator(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x01 && u <= 0x20;
}

}  // namespace

void Fields::SplitFields(std::string_view text, std::size_t limit) {
  count_ = 0;
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    text = text.substr(0, static_cast<const char*>(nul) - text.data());
  }
  const char* const data = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && IsFieldSeparator(data[i])) ++i;
  while (i < n && count_ < limit) {
    Entry& entry = NewEntry();
    if (data[i] == '"') {
      ++i;
      // Runs up to a quote that is not doubled; a doubled quote stands for
      // one. Without a doubled quote the field is a run of the text.
      const std::size_t start = i;
      const std::size_t quote = text.find('"', i);
      if (quote == std::string_view::npos || quote + 1 >= n || data[quote + 1] != '"') {
        const std::size_t stop = quote == std::string_view::npos ? n : quote;
        entry = {text.substr(start, stop - start), false};
        i = quote == std::string_view::npos ? n : quote + 1;
      } else {
        if (held_.size() < count_) held_.resize(count_);
        std::string& field = held_[count_ - 1];
        field.clear();
        while (i < n) {
          const std::size_t next = text.find('"', i);
          if (next == std::string_view::npos) {
            field.append(text.substr(i));
            i = n;
            break;
          }
          field.append(text.substr(i, next - i));
          if (next + 1 < n && data[next + 1] == '"') {
            field += '"';
            i = next + 2;
          } else {
            i = next + 1;
            break;
          }
        }
        entry.held = true;
      }
    } else {
      const std::size_t start = i;
      while (i < n && !IsBlank(data[i])) ++i;
      entry = {text.substr(start, i - start), false};
    }
    while (i < n && IsFieldSeparator(data[i])) ++i;
  }
  if (held_.size() < count_) held_.resize(count_);
}

const std::string& Fields::At(std::size_t i) const {
  if (i >= count_) throw Failure::MissingField(i);
  if (!entries_[i].held) held_[i].assign(entries_[i].text);
  return held_[i];
}

std::string& Fields::Mutable(std::size_t i) {
  if (i >= count_) throw Failure::MissingField(i);
  Entry& entry = entries_[i];
  if (!entry.held) {
    held_[i].assign(entry.text);
    entry.held = true;
  }
  return held_[i];
}

}  // namespace ferry
