// Exclusion rectangles: every "EXCLUDE(" line of the "_Exclude.SCA"
// companion becomes one ExclusionRectangle.
#pragma once

namespace ferry {

class ConversionRun;

// The exclusion pass; a missing companion file writes nothing.
void ConvertExclusions(ConversionRun& run);

}  // namespace ferry
