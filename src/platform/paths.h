// Path rules that differ between Windows and POSIX.
#pragma once

#include <string>
#include <string_view>

namespace ferry::platform {

// Whether `c` ends the directory part of a source path: backslash, colon and
// slash on Windows; slash on POSIX.
bool IsDirectorySeparator(char c);

// The directory of a program path: up to its last separator, keeping the
// separator of a root ("C:\", "/").
std::string DirectoryOf(std::string_view program_path);

// The path of `name` in `directory`: one backslash between them on Windows
// (so a drive root gives "C:\\KJFK.xml"), one slash on POSIX.
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace ferry::platform
