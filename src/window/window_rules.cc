#include "window/window_rules.h"

#include <charconv>

#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

bool IsWordBreak(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

std::string FirstPathWord(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsWordBreak(text[i])) ++i;
    if (text.substr(i, 2) != "\"\"") break;
    i += 2;
  }
  std::string word;
  bool quoted = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted || !IsWordBreak(c)) {
      word += c;
    } else {
      break;
    }
  }
  return word;
}

std::string SourcePathOf(std::string_view text) {
  std::string whole(text);
  if (platform::IsRegularFile(whole)) return whole;
  return FirstPathWord(text);
}

bool HoldsForbiddenCharacter(std::string_view path) {
  return path.find_first_of("<>\"[]|") != std::string_view::npos;
}

std::string QuotedForFileBox(std::string_view path) {
  std::string text(path);
  if (text.find(' ') != std::string::npos && (text.empty() || text.front() != '"'))
    text = '"' + text + '"';
  return text;
}

std::string_view DirectoryPart(std::string_view path) {
  std::size_t end = path.find_last_of("\\:");
  return end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1);
}

std::string_view NamePart(std::string_view path) {
  return path.substr(DirectoryPart(path).size());
}

std::string ApplicationTitle(std::string_view program_file_name) {
  std::string title(program_file_name.substr(0, program_file_name.find('.')));
  for (std::size_t i = 1; i < title.size(); ++i) title[i] = LowerChar(title[i]);
  return title;
}

std::string SettingsFileName(std::string_view program_file_name) {
  return std::string(program_file_name.substr(0, program_file_name.rfind('.'))) + ".INI";
}

std::optional<bool> ParseCheckedValue(std::string_view value) {
  if (EqualsIgnoringCase(value, "True")) return true;
  if (EqualsIgnoringCase(value, "False")) return false;
  return std::nullopt;
}

int RestoredShowState(std::optional<int> stored) {
  switch (stored.value_or(1)) {
    case 2:
    case 6:
    case 7:
      return 2;
    case 3:
      return 3;
    default:
      return 1;
  }
}

std::optional<int> ParseNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::array<int, 4> ParseNumberList(std::string_view value, const std::array<int, 4>& defaults) {
  std::array<int, 4> numbers = defaults;
  for (std::size_t k = 0; k < numbers.size() && !value.empty(); ++k) {
    std::size_t comma = value.find(',');
    std::optional<int> number = ParseNumber(Trim(value.substr(0, comma)));
    if (number) numbers[k] = *number;
    value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
  }
  return numbers;
}

}  // namespace ferry
