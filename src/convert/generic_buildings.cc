#include "convert/generic_buildings.h"

#include <cstring>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/copy_bytes.h"
#include "convert/run_state.h"

namespace ferry {

namespace {

enum class Shape { kNormal, kPeaked, kSloped, kPoly };

// Every value the attribute lines of a shape may carry, with whether it is
// plain. The texture names, heights and footprint view items of the
// BuildingStatement, which stays unchanged while the building is written;
// the texture indices view the area's, which outlive the building.
struct ShapeValues {
  // The texture names of the GenericBuilding start tag; all "0" unless a
  // section gives them.
  ScannedText bottomTexture = PlainText("0");
  ScannedText windowTexture = PlainText("0");
  ScannedText topTexture = PlainText("0");
  ScannedText roofTexture = PlainText("0");
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

// An attribute line's text up to its value is formed when the program is
// compiled: the indentation, the name and ="; it is copied in one piece.
struct AttributeLine {
  consteval AttributeLine(const char* name, ScannedText ShapeValues::*value, int indent = 17)
      : attribute(name), value(value) {
    for (int i = 0; i < indent; ++i) start[start_size++] = ' ';
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

// The texture names of the GenericBuilding start tag; the last one ends it.
constexpr AttributeLine kTextureLines[] = {
    {"bottomTexture", &V::bottomTexture, 11},
    {"roofTexture", &V::roofTexture, 11},
    {"topTexture", &V::topTexture, 11},
    {"windowTexture", &V::windowTexture, 11},
};

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

// A line without a value, formed when the program is compiled, with its
// CR LF: copied in one piece of the array's size.
struct FixedLine {
  consteval FixedLine(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) line[size++] = *c;
    line[size] = '\r';
    line[size + 1] = '\n';
  }
  // The line without its CR LF.
  std::string_view Text() const { return {line, size}; }

  char line[40] = {};
  std::size_t size = 0;
};

constexpr FixedLine kRectangularElement = "           <RectangularBuilding";
constexpr FixedLine kPyramidalElement = "           <PyramidalBuilding";
constexpr FixedLine kMultiSidedElement = "           <MultiSidedBuilding";

struct ShapeLines {
  const FixedLine& element;
  std::span<const AttributeLine> attributes;
};

ShapeLines LinesOf(Shape shape) {
  switch (shape) {
    case Shape::kNormal:
      return {kRectangularElement, std::span(kRectangularLines).first(15)};
    case Shape::kPeaked:
      return {kRectangularElement, kRectangularLines};
    case Shape::kSloped:
      return {kPyramidalElement, kSlopedLines};
    case Shape::kPoly:
      break;
  }
  return {kMultiSidedElement, kPolyLines};
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
void Set(ScannedText* target, ScannedText value) {
  *target = value;
}
void Set(KeptText* target, ScannedText value) {
  target->Assign(value);
}

// Reads the values after a section word into `targets`, in ascending order.
// A section word that does not occur leaves them as they are.
template <typename... Targets>
void ReadSection(const BuildingStatement& statement, BuildingStatement::SectionWord word,
                 Targets... targets) {
  const ScannedText* values = statement.SectionValues<sizeof...(Targets)>(word);
  if (!values) return;
  (Set(targets, *values++), ...);
}

void ReadSections(const BuildingStatement& statement, Shape shape, ShapeValues& values,
                  BuildingArea& area) {
  using S = BuildingStatement;
  if (shape == Shape::kPoly) {
    ReadSection(statement, S::kLevel1, &values.bottomTexture, &values.sizeBottomY,
                &area.textureIndexBottomX);
    ReadSection(statement, S::kLevel2, &values.windowTexture, &values.sizeWindowY,
                &area.textureIndexWindowX, &area.textureIndexWindowY);
    ReadSection(statement, S::kLevel3, &values.topTexture, &values.sizeTopY,
                &area.textureIndexTopX);
    ReadSection(statement, S::kRoof, &values.roofTexture, &values.sizeRoofY,
                &area.textureIndexRoofX, &area.textureIndexRoofZ);
    return;
  }
  ReadSection(statement, S::kLevel1, &values.bottomTexture, &values.sizeBottomY,
              &area.textureIndexBottomX, &area.textureIndexBottomZ);
  ReadSection(statement, S::kLevel2, &values.windowTexture, &values.sizeWindowY,
              &area.textureIndexWindowX, &area.textureIndexWindowY, &area.textureIndexWindowZ);
  ReadSection(statement, S::kLevel3, &values.topTexture, &values.sizeTopY, &area.textureIndexTopX,
              &area.textureIndexTopZ);
  if (shape == Shape::kPeaked) {
    ReadSection(statement, S::kRoof, &values.roofTexture, &area.textureIndexRoofX,
                &area.textureIndexRoofZ, &values.sizeRoofY, &area.textureIndexRoofY);
  } else {
    ReadSection(statement, S::kRoof, &values.roofTexture, &area.textureIndexRoofX,
                &area.textureIndexRoofZ);
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

// Line by line, the last line of `lines` ending in `close`: a value that is
// not plain is tested (and may be rewritten), and a line that does not fit
// sends the buffer out first.
template <std::size_t N>
void WriteAttributes(OutputXml& out, std::span<const AttributeLine> lines,
                     const ShapeValues& values, const char (&close)[N]) {
  const std::size_t count = lines.size();
  for (std::size_t i = 0; i < count; ++i) {
    const AttributeLine& line = lines[i];
    if (i + 1 < count)
      out.WriteXmlLine(Fixed(line.Start()), Value(values.*line.value, line.attribute), "\"");
    else
      out.WriteXmlLine(Fixed(line.Start()), Value(values.*line.value, line.attribute), close);
  }
}

void WriteLineByLine(OutputXml& out, const ShapeLines& lines, const ShapeValues& values) {
  out.WriteXmlLine("     <GenericBuilding");
  out.WriteXmlLine("           scale=\"1\"");
  WriteAttributes(out, kTextureLines, values, "\">");
  out.WriteXmlLine(Fixed(lines.element.Text()));
  WriteAttributes(out, lines.attributes, values, "\"/>");
  out.WriteXmlLine("     </GenericBuilding>");
}

// The end of an attribute line, in a piece of eight bytes.
struct LineEnd {
  char bytes[8];
  std::size_t size;
};
constexpr LineEnd kQuoteEnd = {"\"\r\n", 3};

// Puts the attribute lines at `at`, copying each start and end whole (the
// bytes past them are written over by the next piece), and gives their end.
char* PutAttributes(char* at, std::span<const AttributeLine> lines, const ShapeValues& values,
                    const LineEnd& close) {
  const std::size_t count = lines.size();
  for (std::size_t i = 0; i < count; ++i) {
    const AttributeLine& line = lines[i];
    std::memcpy(at, line.start, sizeof line.start);
    at += line.start_size;
    const std::string_view value = (values.*line.value).Text();
    at = CopyBytes(at, value.data(), value.size());
    const LineEnd& end = i + 1 < count ? kQuoteEnd : close;
    std::memcpy(at, end.bytes, sizeof end.bytes);
    at += end.size;
  }
  return at;
}

// The bytes the lines' values take, or nothing when one of them is not plain.
std::optional<std::size_t> PlainSize(std::span<const AttributeLine> lines,
                                     const ShapeValues& values) {
  std::size_t size = 0;
  for (const AttributeLine& line : lines) {
    const ScannedText value = values.*line.value;
    if (!value.Plain()) return std::nullopt;
    size += value.Text().size();
  }
  return size;
}

// The whole element with one test for room, when every value is plain and
// it fits into what is left of the buffer (and no report is attached);
// false, having written nothing, when not.
bool WriteDirectly(OutputXml& out, const ShapeLines& lines, const ShapeValues& values) {
  constexpr std::string_view kHead = "     <GenericBuilding\r\n           scale=\"1\"\r\n";
  constexpr std::string_view kEnd = "     </GenericBuilding>\r\n";
  constexpr LineEnd kTagEnd = {"\">\r\n", 4};
  constexpr LineEnd kElementEnd = {"\"/>\r\n", 5};
  const std::optional<std::size_t> textures = PlainSize(kTextureLines, values);
  if (!textures) return false;
  const std::optional<std::size_t> attributes = PlainSize(lines.attributes, values);
  if (!attributes) return false;
  // What is copied, pieces whole: at most this.
  constexpr std::size_t kLineRoom = sizeof AttributeLine::start + sizeof LineEnd::bytes;
  const std::size_t room = kHead.size() + sizeof FixedLine::line + kEnd.size() +
                           (std::size(kTextureLines) + lines.attributes.size()) * kLineRoom +
                           *textures + *attributes;
  char* at = out.BeginDirect(room);
  if (!at) return false;
  at = CopyBytes(at, kHead.data(), kHead.size());
  at = PutAttributes(at, kTextureLines, values, kTagEnd);
  std::memcpy(at, lines.element.line, sizeof lines.element.line);
  at += lines.element.size + 2;
  at = PutAttributes(at, lines.attributes, values, kElementEnd);
  at = CopyBytes(at, kEnd.data(), kEnd.size());
  out.EndDirect(at);
  return true;
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

  ShapeValues values;
  ReadFootprint(statement, shape, values);
  ReadSections(statement, shape, values, area);
  TakeTextureIndices(area, values);

  OutputXml& out = state.output_xml;
  const ShapeLines lines = LinesOf(shape);
  if (!WriteDirectly(out, lines, values)) WriteLineByLine(out, lines, values);
  state.Converted(ElementOf(shape));
}

}  // namespace ferry
