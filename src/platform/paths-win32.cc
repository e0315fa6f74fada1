#include "platform/paths.h"

namespace ferry::platform {

bool IsDirectorySeparator(char c) {
  return c == '\\' || c == ':' || c == '/';
}

std::string DirectoryOf(std::string_view program_path) {
  std::size_t backslash = program_path.rfind('\\');
  if (backslash == std::string_view::npos) return std::string();
  // A drive root keeps its backslash.
  if (backslash > 0 && program_path[backslash - 1] == ':') ++backslash;
  return std::string(program_path.substr(0, backslash));
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  path += '\\';
  path += name;
  return path;
}

}  // namespace ferry::platform
