// Building areas: "AREA(" ... "ENDA" blocks whose "ADVBLDG(" statements become
// generic buildings, placed by the area's "REFPOINT(", turned by its
// "ROTATEDCALL(" and thinned by its "IFVARRANGE(".
#pragma once

#include <string>
#include <string_view>

#include "output/plain_text.h"

namespace ferry {

class RunState;

// The current area. Every value is text, copied unchanged; those that each
// building writes keep whether they are plain (output/plain_text.h).
struct BuildingArea {
  bool inArea = false;
  KeptText lat;
  KeptText lon;
  KeptText heading;
  std::string imageComplexity;
  // Carried from building to building within an area.
  KeptText textureIndexBottomX;
  KeptText textureIndexBottomZ;
  KeptText textureIndexWindowX;
  KeptText textureIndexWindowY;
  KeptText textureIndexWindowZ;
  KeptText textureIndexTopX;
  KeptText textureIndexTopZ;
  KeptText textureIndexRoofX;
  KeptText textureIndexRoofZ;
  KeptText textureIndexRoofY;

  // Whether a "REFPOINT(" has placed the area; for the report only.
  bool hasRefPoint = false;

  // What "AREA(" sets.
  void Open();
};

// The imageComplexity word for an area density character: "0" VERY_SPARSE,
// "1" SPARSE, "2" NORMAL, "3" to "5" DENSE; anything else NORMAL.
std::string_view AreaDensity(char density);

// Looks at one line of the source pass, after the library-object converter.
void HandleAreaLine(RunState& state);
// With buildings off: tells the report of an area statement passed over.
void PassOverAreaLine(RunState& state);

// Gathers the "ADVBLDG(" statement whose opening line is in Fields (split
// from BuildingStatement::TakeOpeningLine), with its continuation lines, into
// the run's BuildingStatement.
void GatherBuildingStatement(RunState& state);
// Writes the SceneryObject of the gathered building.
void WriteBuildingPlacement(RunState& state);

}  // namespace ferry
