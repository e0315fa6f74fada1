// Windows entry point: arguments are taken as UTF-16 and become UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ferry_convert.h"
#include "platform/win32_text.h"

int wmain(int argc, wchar_t** argv) {
  // Diagnostics are UTF-8; let the console show them as such.
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ferry::platform::Narrow(argv[i]));
  return ferry::FerryConvertMain(args, stdout, stderr);
}
