// ferry-convert: the command-line front end. Arguments arrive as UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace ferry {

// Runs the command with `args` (without the program name); returns the exit
// status: 0 all runs succeeded, 1 a run stopped, 2 a usage error.
int FerryConvertMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace ferry
