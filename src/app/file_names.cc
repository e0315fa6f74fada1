#include "app/file_names.h"

#include "platform/paths.h"

namespace ferry {

namespace {

std::string WithoutLast(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, text.size() > count ? text.size() - count : 0));
}

}  // namespace

std::string SourceFileName(std::string_view source_path) {
  std::size_t i = source_path.size();
  while (i > 0 && !platform::IsDirectorySeparator(source_path[i - 1])) --i;
  return std::string(source_path.substr(i));
}

std::string OutputDocumentPath(std::string_view output_directory, std::string_view source_path) {
  return platform::JoinPath(output_directory, WithoutLast(SourceFileName(source_path), 3) + "xml");
}

std::string ExclusionFilePath(std::string_view source_path) {
  return WithoutLast(source_path, 4) + "_Exclude.SCA";
}

std::string AfdFilePath(std::string_view source_path) {
  return WithoutLast(source_path, 4) + "_AFD.SCA";
}

}  // namespace ferry
