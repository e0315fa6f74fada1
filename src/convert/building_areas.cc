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
// most lines of a scenery are of that kind. The first word is tested as it
// was read, so a line that is not split needs no CurrentLine either.
void HandleAreaLine(RunState& state) {
  const InputSca& input = state.input_sca;
  const std::string_view word = input.FirstWordAsRead();
  BuildingArea& area = state.building_area;
  // Every keyword of an area ends in "(" but ENDA.
  if (word.empty() || (word.back() != '(' && !input.FirstWordIs("ENDA"))) return;
  if (input.FirstWordIs("ENDA")) area.inArea = false;
  if (input.FirstWordIs("AREA(")) {
    area.Open();
    state.Converted(Element::kBuildingArea);
  }
  enum { kNone, kIfVarRange, kRefPoint, kRotatedCall, kAdvBldg } statement = kNone;
  if (input.FirstWordIs("IFVARRANGE("))
    statement = kIfVarRange;
  else if (input.FirstWordIs("REFPOINT("))
    statement = kRefPoint;
  else if (input.FirstWordIs("ROTATEDCALL("))
    statement = kRotatedCall;
  else if (input.FirstWordIs("ADVBLDG("))
    statement = kAdvBldg;
  if (!area.inArea) {
    if (statement != kNone && state.Reporting())
      state.Passed(PassedOver::kBuildingOutsideArea, UpperCase(word));
    return;
  }
  if (statement == kNone) return;
  // A building statement keeps every field, split from its own upper-cased
  // copy of the line; the others read none past 5.
  Fields& fields = state.fields;
  if (statement == kAdvBldg)
    fields.SplitFields(state.building_statement.TakeOpeningLine(input.TrimmedLine()));
  else
    fields.SplitUpperCased(input.TrimmedLine(), 6);

  switch (statement) {
    case kIfVarRange: {
      const std::string_view density = fields.Text(3);
      area.imageComplexity.assign(AreaDensity(density.empty() ? '\0' : density[0]));
      break;
    }
    case kRefPoint:
      area.lat.Assign(Scanned(fields.ColonsToSpaces(4)));
      area.lon.Assign(Scanned(fields.ColonsToSpaces(5)));
      area.hasRefPoint = true;
      break;
    case kRotatedCall:
      area.heading.Assign(Scanned(fields.Text(4)));
      break;
    case kAdvBldg:
      if (!area.hasRefPoint) state.Passed(PassedOver::kBuildingBeforeRefpoint);
      GatherBuildingStatement(state);
      WriteBuildingPlacement(state);
      break;
    case kNone:
      break;
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
    statement.AddLine(state.input_sca.TrimmedLine());
    if (ClosesStatement(statement)) return;
  }
}

void WriteBuildingPlacement(RunState& state) {
  const BuildingArea& area = state.building_area;
  OutputXml& out = state.output_xml;
  constexpr PlainText kAlt = "0";
  constexpr std::string_view kAltitudeIsAgl = "TRUE";
  if (!WriteSceneryObjectStartDirectly(out, area.lat.View(), area.lon.View(), kAlt,
                                       area.heading.View(), kAltitudeIsAgl, area.imageComplexity)) {
    WriteSceneryObjectPosition(out, area.lat.View(), area.lon.View());
    WriteSceneryObjectAttitude(out, kAlt, area.heading.View(), kAltitudeIsAgl);
    WriteSceneryObjectComplexity(out, area.imageComplexity);
  }
  WriteGenericBuilding(state);
  WriteSceneryObjectEnd(out);
}

}  // namespace ferry
