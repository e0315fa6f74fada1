// ferry-convert: the command-line front end. Arguments arrive as UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace ferry {

// Runs the command with `args` (without the program name); returns the exit
// status: 0 every source converted, 1 a source stopped (or a folder or the
// output folder could not be used), 2 a mistake on the command line (or two
// sources that would share a document).
int FerryConvertMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace ferry
