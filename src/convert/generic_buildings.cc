#include "convert/generic_buildings.h"

#include <span>
#include <string>
#include <string_view>

#include "convert/run_state.h"

namespace ferry {

namespace {

enum class Shape { kNormal, kPeaked, kSloped, kPoly };

// Every value the attribute lines of a shape may carry, with whether it is
// plain. The texture names, heights and footprint view items of the
// BuildingStatement, which stays unchanged while the building is written;
// the texture indices view the area's, which outlive the building.
struct ShapeValues {
  ScannedText roofType;
  ScannedText buildingSides;
  ScannedText smoothing = PlainText("TRUE");
  ScannedText sizeX;
  ScannedText sizeZ;
  ScannedText sizeTopX;
  ScannedText sizeTopZ;
  ScannedText sizeBottomY = PlainText("0");
  ScannedText sizeWindowY = PlainText("0");
  ScannedText sizeTopY = PlainText("0");
  ScannedText sizeRoofY = PlainText("0");
  ScannedText textureIndexBottomX;
  ScannedText textureIndexBottomZ;
  ScannedText textureIndexWindowX;
  ScannedText textureIndexWindowY;
  ScannedText textureIndexWindowZ;
  ScannedText textureIndexTopX;
  ScannedText textureIndexTopZ;
  ScannedText textureIndexRoofX;
  ScannedText textureIndexRoofZ;
  ScannedText textureIndexRoofY;
};

// The texture names of the GenericBuilding start tag; all "0" unless a
// section gives them.
struct Textures {
  ScannedText bottomTexture = PlainText("0");
  ScannedText windowTexture = PlainText("0");
  ScannedText topTexture = PlainText("0");
  ScannedText roofTexture = PlainText("0");
};

// An attribute line's text up to its value is formed when the program is
// compiled: the indentation, the name and ="; it is copied in one piece.
struct AttributeLine {
  consteval AttributeLine(const char* name, ScannedText ShapeValues::*value)
      : attribute(name), value(value) {
    for (int i = 0; i < 17; ++i) start[start_size++] = ' ';
    for (const char* c = name; *c != '\0'; ++c) start[start_size++] = *c;
    start[start_size++] = '=';
    start[start_size++] = '"';
  }
  std::string_view Start() const { return {start, start_size}; }

  AttributeKey attribute;
  ScannedText ShapeValues::*value;
  char start[48] = {};
  std::size_t start_size = 0;
};

using V = ShapeValues;

// The attribute lines of each shape's element, in their order; the last one
// closes the element. POLY leaves out the Z indices of its levels, and the
// roof differs: POLY gives its height before the roof indices, PEAKED after.
// A flat roof (NORMAL) writes the first 15 of these, a PEAKED roof all 17.
constexpr AttributeLine kRectangularLines[] = {
    {"roofType", &V::roofType},
    {"sizeX", &V::sizeX},
    {"sizeZ", &V::sizeZ},
    {"sizeBottomY", &V::sizeBottomY},
    {"textureIndexBottomX", &V::textureIndexBottomX},
    {"textureIndexBottomZ", &V::textureIndexBottomZ},
    {"sizeWindowY", &V::sizeWindowY},
    {"textureIndexWindowX", &V::textureIndexWindowX},
    {"textureIndexWindowY", &V::textureIndexWindowY},
    {"textureIndexWindowZ", &V::textureIndexWindowZ},
    {"sizeTopY", &V::sizeTopY},
    {"textureIndexTopX", &V::textureIndexTopX},
    {"textureIndexTopZ", &V::textureIndexTopZ},
    {"textureIndexRoofX", &V::textureIndexRoofX},
    {"textureIndexRoofZ", &V::textureIndexRoofZ},
    {"sizeRoofY", &V::sizeRoofY},
    {"textureIndexRoofY", &V::textureIndexRoofY},
};

constexpr AttributeLine kSlopedLines[] = {
    {"sizeX", &V::sizeX},
    {"sizeZ", &V::sizeZ},
    {"sizeTopX", &V::sizeTopX},
    {"sizeTopZ", &V::sizeTopZ},
    {"sizeBottomY", &V::sizeBottomY},
    {"textureIndexBottomX", &V::textureIndexBottomX},
    {"textureIndexBottomZ", &V::textureIndexBottomZ},
    {"sizeWindowY", &V::sizeWindowY},
    {"textureIndexWindowX", &V::textureIndexWindowX},
    {"textureIndexWindowY", &V::textureIndexWindowY},
    {"textureIndexWindowZ", &V::textureIndexWindowZ},
    {"sizeTopY", &V::sizeTopY},
    {"textureIndexTopX", &V::textureIndexTopX},
    {"textureIndexTopZ", &V::textureIndexTopZ},
    {"textureIndexRoofX", &V::textureIndexRoofX},
    {"textureIndexRoofZ", &V::textureIndexRoofZ},
};

constexpr AttributeLine kPolyLines[] = {
    {"buildingSides", &V::buildingSides},
    {"smoothing", &V::smoothing},
    {"sizeX", &V::sizeX},
    {"sizeZ", &V::sizeZ},
    {"sizeBottomY", &V::sizeBottomY},
    {"textureIndexBottomX", &V::textureIndexBottomX},
    {"sizeWindowY", &V::sizeWindowY},
    {"textureIndexWindowX", &V::textureIndexWindowX},
    {"textureIndexWindowY", &V::textureIndexWindowY},
    {"sizeTopY", &V::sizeTopY},
    {"textureIndexTopX", &V::textureIndexTopX},
    {"sizeRoofY", &V::sizeRoofY},
    {"textureIndexRoofX", &V::textureIndexRoofX},
    {"textureIndexRoofZ", &V::textureIndexRoofZ},
    {"textureIndexRoofY", &V::textureIndexRoofY},
};

struct ShapeLines {
  std::string_view element;
  std::span<const AttributeLine> attributes;
};

ShapeLines LinesOf(Shape shape) {
  switch (shape) {
    case Shape::kNormal:
      return {"           <RectangularBuilding", std::span(kRectangularLines).first(15)};
    case Shape::kPeaked:
      return {"           <RectangularBuilding", kRectangularLines};
    case Shape::kSloped:
      return {"           <PyramidalBuilding", kSlopedLines};
    case Shape::kPoly:
      break;
  }
  return {"           <MultiSidedBuilding", kPolyLines};
}

Element ElementOf(Shape shape) {
  switch (shape) {
    case Shape::kNormal:
      return Element::kNormalBuilding;
    case Shape::kPeaked:
      return Element::kPeakedBuilding;
    case Shape::kSloped:
      return Element::kSlopedBuilding;
    case Shape::kPoly:
      break;
  }
  return Element::kPolyBuilding;
}

bool ShapeOf(std::string_view word, Shape* shape) {
  if (word == "NORMAL")
    *shape = Shape::kNormal;
  else if (word == "PEAKED")
    *shape = Shape::kPeaked;
  else if (word == "SLOPED")
    *shape = Shape::kSloped;
  else if (word == "POLY")
    *shape = Shape::kPoly;
  else
    return false;
  return true;
}

// Where a value read after a section word goes: a value of this building,
// or a texture index of the area, which the next building starts from.
struct Target {
  Target(ScannedText* view) : view(view) {}
  Target(KeptText* text) : text(text) {}
  void Set(ScannedText value) const {
    if (view)
      *view = value;
    else
      text->Assign(value);
  }
  ScannedText* view = nullptr;
  KeptText* text = nullptr;
};

// Reads the values after a section word into `targets`, in ascending order.
// A section word that does not occur leaves them as they are.
template <std::size_t N>
void ReadSection(const BuildingStatement& statement, BuildingStatement::SectionWord word,
                 const Target (&targets)[N]) {
  const auto values = statement.SectionValues<N>(word);
  if (!values) return;
  for (std::size_t k = 0; k < N; ++k) targets[k].Set((*values)[k]);
}

void ReadSections(const BuildingStatement& statement, Shape shape, Textures& textures,
                  ShapeValues& values, BuildingArea& area) {
  using S = BuildingStatement;
  if (shape == Shape::kPoly) {
    ReadSection(statement, S::kLevel1,
                {&textures.bottomTexture, &values.sizeBottomY, &area.textureIndexBottomX});
    ReadSection(statement, S::kLevel2,
                {&textures.windowTexture, &values.sizeWindowY, &area.textureIndexWindowX,
                 &area.textureIndexWindowY});
    ReadSection(statement, S::kLevel3,
                {&textures.topTexture, &values.sizeTopY, &area.textureIndexTopX});
    ReadSection(statement, S::kRoof,
                {&textures.roofTexture, &values.sizeRoofY, &area.textureIndexRoofX,
                 &area.textureIndexRoofZ});
    return;
  }
  ReadSection(statement, S::kLevel1,
              {&textures.bottomTexture, &values.sizeBottomY, &area.textureIndexBottomX,
               &area.textureIndexBottomZ});
  ReadSection(statement, S::kLevel2,
              {&textures.windowTexture, &values.sizeWindowY, &area.textureIndexWindowX,
               &area.textureIndexWindowY, &area.textureIndexWindowZ});
  ReadSection(
      statement, S::kLevel3,
      {&textures.topTexture, &values.sizeTopY, &area.textureIndexTopX, &area.textureIndexTopZ});
  if (shape == Shape::kPeaked) {
    ReadSection(statement, S::kRoof,
                {&textures.roofTexture, &area.textureIndexRoofX, &area.textureIndexRoofZ,
                 &values.sizeRoofY, &area.textureIndexRoofY});
  } else {
    ReadSection(statement, S::kRoof,
                {&textures.roofTexture, &area.textureIndexRoofX, &area.textureIndexRoofZ});
  }
}

// The fixed fields, in ascending order.
void ReadFootprint(const BuildingStatement& statement, Shape shape, ShapeValues& values) {
  switch (shape) {
    case Shape::kNormal:
    case Shape::kPeaked:
      values.roofType = shape == Shape::kNormal ? PlainText("FLAT") : PlainText("PEAKED");
      values.sizeX = statement.Field<2>();
      values.sizeZ = statement.Field<3>();
      break;
    case Shape::kSloped:
      values.sizeX = statement.Field<2>();
      values.sizeZ = statement.Field<3>();
      values.sizeTopX = statement.Field<4>();
      values.sizeTopZ = statement.Field<5>();
      break;
    case Shape::kPoly:
      values.buildingSides = statement.Field<2>();
      values.sizeX = statement.Field<3>();
      values.sizeZ = statement.Field<4>();
      break;
  }
}

void TakeTextureIndices(const BuildingArea& area, ShapeValues& values) {
  values.textureIndexBottomX = area.textureIndexBottomX.View();
  values.textureIndexBottomZ = area.textureIndexBottomZ.View();
  values.textureIndexWindowX = area.textureIndexWindowX.View();
  values.textureIndexWindowY = area.textureIndexWindowY.View();
  values.textureIndexWindowZ = area.textureIndexWindowZ.View();
  values.textureIndexTopX = area.textureIndexTopX.View();
  values.textureIndexTopZ = area.textureIndexTopZ.View();
  values.textureIndexRoofX = area.textureIndexRoofX.View();
  values.textureIndexRoofZ = area.textureIndexRoofZ.View();
  values.textureIndexRoofY = area.textureIndexRoofY.View();
}

void WriteShape(OutputXml& out, const ShapeLines& lines, const ShapeValues& values) {
  out.WriteXmlLine(Fixed(lines.element));
  const std::size_t count = lines.attributes.size();
  for (std::size_t i = 0; i < count; ++i) {
    const AttributeLine& line = lines.attributes[i];
    if (i + 1 < count)
      out.WriteXmlLine(Fixed(line.Start()), Value(values.*line.value, line.attribute), "\"");
    else
      out.WriteXmlLine(Fixed(line.Start()), Value(values.*line.value, line.attribute), "\"/>");
  }
}

}  // namespace

void WriteGenericBuilding(RunState& state) {
  const BuildingStatement& statement = state.building_statement;
  BuildingArea& area = state.building_area;
  Shape shape;
  if (!ShapeOf(statement.Field<1>().Text(), &shape)) {
    state.Passed(PassedOver::kUnknownShape, statement.Field<1>().Text());
    state.Converted(Element::kBuildingWithoutShape);
    return;
  }

  Textures textures;
  ShapeValues values;
  ReadFootprint(statement, shape, values);
  ReadSections(statement, shape, textures, values, area);
  TakeTextureIndices(area, values);

  OutputXml& out = state.output_xml;
  out.WriteXmlLine("     <GenericBuilding");
  out.WriteXmlLine("           scale=\"1\"");
  out.WriteXmlLine("           bottomTexture=\"", Value(textures.bottomTexture, "bottomTexture"),
                   "\"");
  out.WriteXmlLine("           roofTexture=\"", Value(textures.roofTexture, "roofTexture"), "\"");
  out.WriteXmlLine("           topTexture=\"", Value(textures.topTexture, "topTexture"), "\"");
  out.WriteXmlLine("           windowTexture=\"", Value(textures.windowTexture, "windowTexture"),
                   "\">");
  WriteShape(out, LinesOf(shape), values);
  out.WriteXmlLine("     </GenericBuilding>");
  state.Converted(ElementOf(shape));
}

}  // namespace ferry
