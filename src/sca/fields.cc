#include "sca/fields.h"

#include <cstring>

#include "base/failure.h"
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
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && IsFieldSeparator(text[i])) ++i;
  while (i < n && count_ < limit) {
    std::string& field = NewEntry();
    if (text[i] == '"') {
      field.clear();
      ++i;
      // Runs up to a quote that is not doubled; a doubled quote stands for one.
      while (i < n) {
        std::size_t quote = text.find('"', i);
        if (quote == std::string_view::npos) {
          field.append(text.substr(i));
          i = n;
          break;
        }
        field.append(text.substr(i, quote - i));
        if (quote + 1 < n && text[quote + 1] == '"') {
          field += '"';
          i = quote + 2;
        } else {
          i = quote + 1;
          break;
        }
      }
    } else {
      std::size_t start = i;
      while (i < n && !IsBlank(text[i])) ++i;
      field.assign(text.substr(start, i - start));
    }
    while (i < n && IsFieldSeparator(text[i])) ++i;
  }
}

const std::string& Fields::At(std::size_t i) const {
  if (i >= count_) throw Failure::MissingField(i);
  return items_[i];
}

std::string& Fields::Mutable(std::size_t i) {
  if (i >= count_) throw Failure::MissingField(i);
  return items_[i];
}

}  // namespace ferry
