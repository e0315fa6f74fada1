// Text rules of the window and its settings file that need no window
// system: how the file box's text becomes a source path, how the program's
// file name gives its title and its settings file, and how stored values
// are read back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ferry {

// The first word of a file box's text: leading characters 1 to 32 (and any
// "" pair among them) are skipped; double quotes group blanks into the word
// and are left out; a quote never closed runs to the end; the text ends at
// its first NUL.
std::string FirstPathWord(std::string_view text);

// The source path of a file box's text: the text itself when it names an
// existing file, else its first word.
std::string SourcePathOf(std::string_view text);

// Whether a path holds a character no file name may hold: < > " [ ] |.
bool HoldsForbiddenCharacter(std::string_view path);

// A path as the file box shows it: in double quotes when it holds a space
// and does not begin with a double quote.
std::string QuotedForFileBox(std::string_view path);

// A path's directory part, up to and including its last backslash or colon,
// and the name after it.
std::string_view DirectoryPart(std::string_view path);
std::string_view NamePart(std::string_view path);

// «CONVERT.EXE» gives «Convert»: cut at the first ".", every character after
// the first lower-cased.
std::string ApplicationTitle(std::string_view program_file_name);

// «CONVERT.EXE» gives «CONVERT.INI»: the extension from the last "." replaced.
std::string SettingsFileName(std::string_view program_file_name);

// A stored check box value: "True" or "False" in any letter case; anything
// else is no value.
std::optional<bool> ParseCheckedValue(std::string_view value);

// A stored show state as the window applies it: 1 normal, 2 minimised,
// 3 maximised.
int RestoredShowState(std::optional<int> stored);

// Four comma-separated decimal numbers, such as a stored rectangle; a number
// that is missing or not a number keeps its default.
std::array<int, 4> ParseNumberList(std::string_view value, const std::array<int, 4>& defaults);

// A whole decimal number, with an optional sign; nothing else.
std::optional<int> ParseNumber(std::string_view text);

}  // namespace ferry
