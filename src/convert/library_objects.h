// Library object placements: "MACRO(" calls of the library-object API file
// become a SceneryObject with one LibraryObject child.
#pragma once

#include <string_view>

namespace ferry {

class RunState;

// The imageComplexity word for a density character: "1" VERY_SPARSE to
// "5" and "6" VERY_DENSE; anything else NORMAL.
std::string_view LibraryComplexity(char density);

// Looks at one line of the source pass (CurrentLine); `library_api_text` is
// the upper-cased name of the library-object macro file.
void ConvertLibraryObject(RunState& state, std::string_view library_api_text);

}  // namespace ferry
