// Folders and terminals: what ferry-convert needs to take whole folders of
// sources and to show its progress. One POSIX and one Win32 implementation;
// paths are UTF-8, error numbers in the Windows numbering as in file.h.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ferry::platform {

enum class EntryKind {
  kFile,             // a file, or a link to one or to nothing
  kDirectory,        // a folder, not reached through a link
  kLinkToDirectory,  // a symbolic link (or junction) to a folder
  kOther,            // a device, pipe or socket, or a link to one
};

struct DirectoryEntry {
  std::string name;  // UTF-8, without the folder
  EntryKind kind;
};

// The entries of `directory` other than "." and "..", in no particular
// order. Returns 0, or the error number of the failure (5 access denied,
// 3 no such folder, 267 not a folder); `entries` then holds nothing.
int ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries);

// Whether `path` names a folder, through links or not.
bool IsDirectory(const std::string& path);

// Returned by MakeDirectories when a file that is not a folder stands where
// a folder is needed (Windows' ERROR_ALREADY_EXISTS).
inline constexpr int kFileInTheWay = 183;

// Creates the folder `path` and the folders above it that are missing.
// Returns 0 when it is a folder afterwards; otherwise the error number, and
// in `failed_at` the path of the folder that could not be made (or of the
// file in its way).
int MakeDirectories(const std::string& path, std::string* failed_at);

// Whether names in `directory` (or, while it does not exist, in the nearest
// folder above it that does) ignore letter case, so that "A.xml" and "a.xml"
// are one file. Always so on Windows.
bool IgnoresLetterCase(const std::string& directory);

// `name` with letter case folded as a file system that ignores case folds it
// (ASCII letters on POSIX; the Unicode upper-casing of Windows there).
std::string FoldLetterCase(std::string_view name);

// Whether `stream` is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

}  // namespace ferry::platform
