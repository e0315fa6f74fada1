// How a run names its files. Names are formed by counting characters,
// whatever the extension is.
#pragma once

#include <string>
#include <string_view>

namespace ferry {

// The part of the source path after its last directory separator.
std::string SourceFileName(std::string_view source_path);
// The output document in `output_directory`: the source file name less its
// last three characters, then "xml" («KJFK.sca» gives «KJFK.xml»).
std::string OutputDocumentPath(std::string_view output_directory, std::string_view source_path);
// The companions beside the source: its path less the last four characters,
// then "_Exclude.SCA" or "_AFD.SCA".
std::string ExclusionFilePath(std::string_view source_path);
std::string AfdFilePath(std::string_view source_path);

}  // namespace ferry
