// Exclusion rectangles: every "EXCLUDE(" line of the "_Exclude.SCA"
// companion becomes one ExclusionRectangle.
#pragma once

#include <string>

namespace ferry {

class RunState;

// The exclusion pass over the file at `path`; a missing file writes nothing.
void ConvertExclusions(RunState& state, const std::string& path);

}  // namespace ferry
