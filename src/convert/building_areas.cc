#include "convert/building_areas.h"

#include "convert/generic_buildings.h"
#include "convert/run_state.h"
#include "convert/scenery_object.h"
#include "sca/text.h"

namespace ferry {

void BuildingArea::Open() {
  inArea = true;
  hasRefPoint = false;
  lat = "0 00.0";
  lon = "0 00.0";
  heading = "0";
  imageComplexity = "NORMAL";
  textureIndexBottomX = "256";
  textureIndexBottomZ = "256";
  textureIndexWindowX = "256";
  textureIndexWindowY = "256";
  textureIndexWindowZ = "256";
  textureIndexTopX = "256";
  textureIndexTopZ = "266";
  textureIndexRoofX = "256";
  textureIndexRoofZ = "256";
  textureIndexRoofY = "256";
}

std::string_view AreaDensity(char density) {
  switch (density) {
    case '0':
      return "VERY_SPARSE";
    case '1':
      return "SPARSE";
    case '2':
      return "NORMAL";
    case '3':
    case '4':
    case '5':
      return "DENSE";
    default:
      return "NORMAL";
  }
}

// Only the four statements inside an area read Fields, and every later
// reader splits its own line first, so the other lines need not be split:
// most lines of a scenery are of that kind.
void HandleAreaLine(RunState& state) {
  const std::string& line = state.input_sca.CurrentLine();
  Fields& fields = state.fields;
  BuildingArea& area = state.building_area;
  const std::string_view word = FirstWord(line);
  if (word == "ENDA") area.inArea = false;
  if (word == "AREA(") {
    area.Open();
    state.Converted(Element::kBuildingArea);
  }
  const bool inside_statement =
      word == "IFVARRANGE(" || word == "REFPOINT(" || word == "ROTATEDCALL(" || word == "ADVBLDG(";
  if (!area.inArea) {
    if (inside_statement) state.Passed(PassedOver::kBuildingOutsideArea, word);
    return;
  }
  if (inside_statement) fields.SplitFields(line);

  if (word == "IFVARRANGE(") {
    const std::string& density = fields.At(3);
    area.imageComplexity.assign(AreaDensity(density.empty() ? '\0' : density[0]));
  } else if (word == "REFPOINT(") {
    area.lat = ColonsToSpaces(fields.At(4));
    area.lon = ColonsToSpaces(fields.At(5));
    area.hasRefPoint = true;
  } else if (word == "ROTATEDCALL(") {
    area.heading = fields.At(4);
  } else if (word == "ADVBLDG(") {
    if (!area.hasRefPoint) state.Passed(PassedOver::kBuildingBeforeRefpoint);
    GatherBuildingStatement(state);
    WriteBuildingPlacement(state);
  }
}

void PassOverAreaLine(RunState& state) {
  const std::string_view word = FirstWord(state.input_sca.CurrentLine());
  for (std::string_view keyword :
       {"AREA(", "ENDA", "IFVARRANGE(", "REFPOINT(", "ROTATEDCALL(", "ADVBLDG("}) {
    if (word == keyword) return state.Passed(PassedOver::kAreaStatementBuildingsOff, word);
  }
}

namespace {

// A continuation line closes the statement when the last item, trimmed,
// begins with ")"; an item that trims to nothing does not.
bool ClosesStatement(const BuildingStatement& statement) {
  std::string_view last = Trim(statement.Last());
  return !last.empty() && last.front() == ')';
}

}  // namespace

void GatherBuildingStatement(RunState& state) {
  BuildingStatement& statement = state.building_statement;
  statement.Start(state.fields);
  if (statement.Last() == ")") return;
  // The end of the input ends the gathering; the statement is written from
  // what was gathered.
  while (!state.input_sca.AtInputEnd()) {
    state.input_sca.ReadSourceLine();
    statement.AddWords(state.input_sca.CurrentLine());
    if (ClosesStatement(statement)) return;
  }
}

void WriteBuildingPlacement(RunState& state) {
  const BuildingArea& area = state.building_area;
  OutputXml& out = state.output_xml;
  WriteSceneryObjectPosition(out, area.lat, area.lon);
  WriteSceneryObjectAttitude(out, "0", area.heading, "TRUE");
  WriteSceneryObjectComplexity(out, area.imageComplexity);
  WriteGenericBuilding(state);
  WriteSceneryObjectEnd(out);
}

}  // namespace ferry
