#include "convert/generic_buildings.h"

#include <array>
#include <string>
#include <string_view>

#include "app/conversion_run.h"

namespace ferry {

namespace {

enum class Shape { kNormal, kPeaked, kSloped, kPoly };

// The texture names and level heights of one building; all "0" at its start.
// They view items of the BuildingStatement, which stays unchanged while the
// building is written; only the texture indices outlive it, in BuildingArea.
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
void ReadSection(const BuildingStatement& fields, std::string_view word,
                 std::initializer_list<Target> targets) {
  long at = fields.FindSection(word);
  if (at < 0) return;
  std::size_t i = static_cast<std::size_t>(at);
  for (const Target& target : targets) target.Set(fields.At(++i));
}

void ReadSections(const BuildingStatement& fields, Shape shape, BuildingValues& v,
                  BuildingArea& a) {
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

// The attribute lines of a shape's element, in their order; the last one
// closes the element.
class AttributeList {
 public:
  void Add(std::string_view name, std::string_view value) { items_[count_++] = {name, value}; }
  void Write(OutputXml& out) const {
    for (std::size_t i = 0; i < count_; ++i) {
      out.WriteXmlLine({"                 ", items_[i].name, "=\"", items_[i].value,
                        i + 1 < count_ ? "\"" : "\"/>"});
    }
  }

 private:
  std::array<Attribute, 17> items_;
  std::size_t count_ = 0;
};

// The shapes share one order of attributes; POLY leaves out the Z indices of
// its levels, and the roof differs: POLY gives its height before the roof
// indices, PEAKED after them.
AttributeList ShapeAttributes(Shape shape, const Footprint& f, const BuildingValues& v,
                              const BuildingArea& a) {
  const bool poly = shape == Shape::kPoly;
  AttributeList list;
  switch (shape) {
    case Shape::kNormal:
      list.Add("roofType", "FLAT");
      break;
    case Shape::kPeaked:
      list.Add("roofType", "PEAKED");
      break;
    case Shape::kSloped:
      break;
    case Shape::kPoly:
      list.Add("buildingSides", f.buildingSides);
      list.Add("smoothing", "TRUE");
      break;
  }
  list.Add("sizeX", f.sizeX);
  list.Add("sizeZ", f.sizeZ);
  if (shape == Shape::kSloped) {
    list.Add("sizeTopX", f.sizeTopX);
    list.Add("sizeTopZ", f.sizeTopZ);
  }
  list.Add("sizeBottomY", v.sizeBottomY);
  list.Add("textureIndexBottomX", a.textureIndexBottomX);
  if (!poly) list.Add("textureIndexBottomZ", a.textureIndexBottomZ);
  list.Add("sizeWindowY", v.sizeWindowY);
  list.Add("textureIndexWindowX", a.textureIndexWindowX);
  list.Add("textureIndexWindowY", a.textureIndexWindowY);
  if (!poly) list.Add("textureIndexWindowZ", a.textureIndexWindowZ);
  list.Add("sizeTopY", v.sizeTopY);
  list.Add("textureIndexTopX", a.textureIndexTopX);
  if (!poly) list.Add("textureIndexTopZ", a.textureIndexTopZ);
  if (poly) list.Add("sizeRoofY", v.sizeRoofY);
  list.Add("textureIndexRoofX", a.textureIndexRoofX);
  list.Add("textureIndexRoofZ", a.textureIndexRoofZ);
  if (shape == Shape::kPeaked) list.Add("sizeRoofY", v.sizeRoofY);
  if (shape == Shape::kPeaked || poly) list.Add("textureIndexRoofY", a.textureIndexRoofY);
  return list;
}

std::string_view ShapeElement(Shape shape) {
  switch (shape) {
    case Shape::kSloped:
      return "           <PyramidalBuilding";
    case Shape::kPoly:
      return "           <MultiSidedBuilding";
    default:
      return "           <RectangularBuilding";
  }
}

}  // namespace

void WriteGenericBuilding(ConversionRun& run) {
  const BuildingStatement& fields = run.building_statement;
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
  out.WriteXmlLine(ShapeElement(shape));
  ShapeAttributes(shape, f, v, a).Write(out);
  out.WriteXmlLine("     </GenericBuilding>");
}

}  // namespace ferry
