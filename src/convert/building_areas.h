// Building areas: "AREA(" ... "ENDA" blocks whose "ADVBLDG(" statements become
// generic buildings, placed by the area's "REFPOINT(", turned by its
// "ROTATEDCALL(" and thinned by its "IFVARRANGE(".
#pragma once

#include <string>
#include <string_view>

namespace ferry {

class RunState;

// The current area. Every value is text, copied unchanged.
struct BuildingArea {
  bool inArea = false;
  std::string lat;
  std::string lon;
  std::string heading;
  std::string imageComplexity;
  // Carried from building to building within an area.
  std::string textureIndexBottomX;
  std::string textureIndexBottomZ;
  std::string textureIndexWindowX;
  std::string textureIndexWindowY;
  std::string textureIndexWindowZ;
  std::string textureIndexTopX;
  std::string textureIndexTopZ;
  std::string textureIndexRoofX;
  std::string textureIndexRoofZ;
  std::string textureIndexRoofY;

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

// Gathers the "ADVBLDG(" statement whose opening line is in Fields, with its
// continuation lines, into the run's BuildingStatement.
void GatherBuildingStatement(RunState& state);
// Writes the SceneryObject of the gathered building.
void WriteBuildingPlacement(RunState& state);

}  // namespace ferry
