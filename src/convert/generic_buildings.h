// Generic building shapes: the GenericBuilding element of one gathered
// "ADVBLDG(" statement, with its RectangularBuilding, PyramidalBuilding or
// MultiSidedBuilding child.
#pragma once

namespace ferry {

class RunState;

// Reads the gathered statement (every read before the first line is
// written), updates the area's texture indices, and writes the element.
// A shape word other than NORMAL, PEAKED, SLOPED and POLY writes nothing.
void WriteGenericBuilding(RunState& state);

}  // namespace ferry
