#include <cstdio>
#include <string>
#include <vector>

#include "cli/ferry_convert.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return ferry::FerryConvertMain(args, stdout, stderr);
}
