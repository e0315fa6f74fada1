#include "convert/generic_buildings.h"

#include <string>
#include <string_view>

#include "app/conversion_run.h"

namespace ferry {

namespace {

enum class Shape { kNormal, kPeaked, kSloped, kPoly };

// The texture names and level heights of one building; all "0" at its start.
// They view entries of Fields, which stay unchanged while the building is
// written; only the texture indices outlive it, in BuildingArea.
struct BuildingValues {
  std::string_view bottomTexture = "0";
  std::string_view windowTexture = "0";
  std::string_view topTexture = "0";
  std::string_view roofTexture = "0";
  std::string_view sizeBottomY = "0";
  std::string_view sizeWindowY = "0";
  std::string_view sizeTopY = "0";
  std::string_view sizeRoofY = "0";
};

struct Footprint {
  std::string_view sizeX;
  std::string_view sizeZ;
  std::string_view sizeTopX;
  std::string_view sizeTopZ;
  std::string_view buildingSides;
};

// A value read from a section into either kind of target.
struct Target {
  Target(std::string_view* view) : view(view) {}
  Target(std::string* text) : text(text) {}
  void Set(const std::string& value) const {
    if (view)
      *view = value;
    else
      *text = value;
  }
  std::string_view* view = nullptr;
  std::string* text = nullptr;
};

bool ShapeOf(const std::string& word, Shape* shape) {
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

// Reads the values after a section word into `targets`, in ascending order.
// A section word that does not occur leaves them as they are.
void ReadSection(const Fields& fields, std::string_view word,
                 std::initializer_list<Target> targets) {
  long at = fields.FindField(word);
  if (at < 0) return;
  std::size_t i = static_cast<std::size_t>(at);
  for (const Target& target : targets) target.Set(fields.At(++i));
}

void ReadSections(const Fields& fields, Shape shape, BuildingValues& v, BuildingArea& a) {
  if (shape == Shape::kPoly) {
    ReadSection(fields, "LEVEL1", {&v.bottomTexture, &v.sizeBottomY, &a.textureIndexBottomX});
    ReadSection(fields, "LEVEL2",
                {&v.windowTexture, &v.sizeWindowY, &a.textureIndexWindowX, &a.textureIndexWindowY});
    ReadSection(fields, "LEVEL3", {&v.topTexture, &v.sizeTopY, &a.textureIndexTopX});
    ReadSection(fields, "ROOF",
                {&v.roofTexture, &v.sizeRoofY, &a.textureIndexRoofX, &a.textureIndexRoofZ});
    return;
  }
  ReadSection(fields, "LEVEL1",
              {&v.bottomTexture, &v.sizeBottomY, &a.textureIndexBottomX, &a.textureIndexBottomZ});
  ReadSection(fields, "LEVEL2",
              {&v.windowTexture, &v.sizeWindowY, &a.textureIndexWindowX, &a.textureIndexWindowY,
               &a.textureIndexWindowZ});
  ReadSection(fields, "LEVEL3",
              {&v.topTexture, &v.sizeTopY, &a.textureIndexTopX, &a.textureIndexTopZ});
  if (shape == Shape::kPeaked) {
    ReadSection(fields, "ROOF",
                {&v.roofTexture, &a.textureIndexRoofX, &a.textureIndexRoofZ, &v.sizeRoofY,
                 &a.textureIndexRoofY});
  } else {
    ReadSection(fields, "ROOF", {&v.roofTexture, &a.textureIndexRoofX, &a.textureIndexRoofZ});
  }
}

struct Attribute {
  std::string_view name;
  std::string_view value;
};

void WriteAttributes(OutputXml& out, std::initializer_list<Attribute> attributes) {
  constexpr std::string_view kEnd = "\"";
  constexpr std::string_view kLastEnd = "\"/>";
  std::size_t left = attributes.size();
  for (const Attribute& a : attributes) {
    out.WriteXmlLine({"                 ", a.name, "=\"", a.value, --left ? kEnd : kLastEnd});
  }
}

}  // namespace

void WriteGenericBuilding(ConversionRun& run) {
  const Fields& fields = run.fields;
  BuildingArea& a = run.building_area;
  BuildingValues v;
  Shape shape;
  if (!ShapeOf(fields.At(1), &shape)) return;

  Footprint f;
  switch (shape) {
    case Shape::kNormal:
    case Shape::kPeaked:
      f.sizeX = fields.At(2);
      f.sizeZ = fields.At(3);
      break;
    case Shape::kSloped:
      f.sizeX = fields.At(2);
      f.sizeZ = fields.At(3);
      f.sizeTopX = fields.At(4);
      f.sizeTopZ = fields.At(5);
      break;
    case Shape::kPoly:
      f.buildingSides = fields.At(2);
      f.sizeX = fields.At(3);
      f.sizeZ = fields.At(4);
      break;
  }
  ReadSections(fields, shape, v, a);

  OutputXml& out = run.output_xml;
  out.WriteXmlLine("     <GenericBuilding");
  out.WriteXmlLine("           scale=\"1\"");
  out.WriteXmlLine({"           bottomTexture=\"", v.bottomTexture, "\""});
  out.WriteXmlLine({"           roofTexture=\"", v.roofTexture, "\""});
  out.WriteXmlLine({"           topTexture=\"", v.topTexture, "\""});
  out.WriteXmlLine({"           windowTexture=\"", v.windowTexture, "\">"});
  switch (shape) {
    case Shape::kNormal:
      out.WriteXmlLine("           <RectangularBuilding");
      WriteAttributes(out, {{"roofType", "FLAT"},
                            {"sizeX", f.sizeX},
                            {"sizeZ", f.sizeZ},
                            {"sizeBottomY", v.sizeBottomY},
                            {"textureIndexBottomX", a.textureIndexBottomX},
                            {"textureIndexBottomZ", a.textureIndexBottomZ},
                            {"sizeWindowY", v.sizeWindowY},
                            {"textureIndexWindowX", a.textureIndexWindowX},
                            {"textureIndexWindowY", a.textureIndexWindowY},
                            {"textureIndexWindowZ", a.textureIndexWindowZ},
                            {"sizeTopY", v.sizeTopY},
                            {"textureIndexTopX", a.textureIndexTopX},
                            {"textureIndexTopZ", a.textureIndexTopZ},
                            {"textureIndexRoofX", a.textureIndexRoofX},
                            {"textureIndexRoofZ", a.textureIndexRoofZ}});
      break;
    case Shape::kPeaked:
      out.WriteXmlLine("           <RectangularBuilding");
      WriteAttributes(out, {{"roofType", "PEAKED"},
                            {"sizeX", f.sizeX},
                            {"sizeZ", f.sizeZ},
                            {"sizeBottomY", v.sizeBottomY},
                            {"textureIndexBottomX", a.textureIndexBottomX},
                            {"textureIndexBottomZ", a.textureIndexBottomZ},
                            {"sizeWindowY", v.sizeWindowY},
                            {"textureIndexWindowX", a.textureIndexWindowX},
                            {"textureIndexWindowY", a.textureIndexWindowY},
                            {"textureIndexWindowZ", a.textureIndexWindowZ},
                            {"sizeTopY", v.sizeTopY},
                            {"textureIndexTopX", a.textureIndexTopX},
                            {"textureIndexTopZ", a.textureIndexTopZ},
                            {"textureIndexRoofX", a.textureIndexRoofX},
                            {"textureIndexRoofZ", a.textureIndexRoofZ},
                            {"sizeRoofY", v.sizeRoofY},
                            {"textureIndexRoofY", a.textureIndexRoofY}});
      break;
    case Shape::kSloped:
      out.WriteXmlLine("           <PyramidalBuilding");
      WriteAttributes(out, {{"sizeX", f.sizeX},
                            {"sizeZ", f.sizeZ},
                            {"sizeTopX", f.sizeTopX},
                            {"sizeTopZ", f.sizeTopZ},
                            {"sizeBottomY", v.sizeBottomY},
                            {"textureIndexBottomX", a.textureIndexBottomX},
                            {"textureIndexBottomZ", a.textureIndexBottomZ},
                            {"sizeWindowY", v.sizeWindowY},
                            {"textureIndexWindowX", a.textureIndexWindowX},
                            {"textureIndexWindowY", a.textureIndexWindowY},
                            {"textureIndexWindowZ", a.textureIndexWindowZ},
                            {"sizeTopY", v.sizeTopY},
                            {"textureIndexTopX", a.textureIndexTopX},
                            {"textureIndexTopZ", a.textureIndexTopZ},
                            {"textureIndexRoofX", a.textureIndexRoofX},
                            {"textureIndexRoofZ", a.textureIndexRoofZ}});
      break;
    case Shape::kPoly:
      out.WriteXmlLine("           <MultiSidedBuilding");
      WriteAttributes(out, {{"buildingSides", f.buildingSides},
                            {"smoothing", "TRUE"},
                            {"sizeX", f.sizeX},
                            {"sizeZ", f.sizeZ},
                            {"sizeBottomY", v.sizeBottomY},
                            {"textureIndexBottomX", a.textureIndexBottomX},
                            {"sizeWindowY", v.sizeWindowY},
                            {"textureIndexWindowX", a.textureIndexWindowX},
                            {"textureIndexWindowY", a.textureIndexWindowY},
                            {"sizeTopY", v.sizeTopY},
                            {"textureIndexTopX", a.textureIndexTopX},
                            {"sizeRoofY", v.sizeRoofY},
                            {"textureIndexRoofX", a.textureIndexRoofX},
                            {"textureIndexRoofZ", a.textureIndexRoofZ},
                            {"textureIndexRoofY", a.textureIndexRoofY}});
      break;
  }
  out.WriteXmlLine("     </GenericBuilding>");
}

}  // namespace ferry
