#include "platform/paths.h"

namespace ferry::platform {

bool IsDirectorySeparator(char c) {
  return c == '/';
}

std::string DirectoryOf(std::string_view program_path) {
  std::size_t slash = program_path.rfind('/');
  if (slash == std::string_view::npos) return std::string();
  if (slash == 0) return "/";
  return std::string(program_path.substr(0, slash));
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace ferry::platform
