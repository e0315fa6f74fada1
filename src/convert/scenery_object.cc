#include "convert/scenery_object.h"

#include "output/output_xml.h"

namespace ferry {

namespace {

// The same lines for texts to be tested (std::string_view) and scanned
// ones, and to the document line by line, or counted and then copied in one
// piece (LineSize, DirectLines).
template <typename Out, typename Text>
void WritePosition(Out& out, Text lat, Text lon) {
  out.WriteXmlLine("    <SceneryObject");
  out.WriteXmlLine("       lat=\"", Value(lat, "lat"), "\"");
  out.WriteXmlLine("       lon=\"", Value(lon, "lon"), "\"");
}

template <typename Out, typename Text>
void WriteAttitude(Out& out, Text alt, Text heading, std::string_view altitude_is_agl) {
  out.WriteXmlLine("       alt=\"", Value(alt, "alt"), "\"");
  out.WriteXmlLine("       pitch=\"0\"");
  out.WriteXmlLine("       bank=\"0\"");
  out.WriteXmlLine("       heading=\"", Value(heading, "heading"), "\"");
  out.WriteXmlLine("       altitudeIsAgl=\"", Fixed(altitude_is_agl), "\"");
}

template <typename Out>
void WriteComplexity(Out& out, std::string_view image_complexity) {
  out.WriteXmlLine("       imageComplexity=\"", Fixed(image_complexity), "\">");
}

template <typename Out>
void WriteStart(Out& out, ScannedText lat, ScannedText lon, ScannedText alt, ScannedText heading,
                std::string_view altitude_is_agl, std::string_view image_complexity) {
  WritePosition(out, lat, lon);
  WriteAttitude(out, alt, heading, altitude_is_agl);
  WriteComplexity(out, image_complexity);
}

// The bytes that lines take, with their CR LF.
struct LineSize {
  template <typename... Pieces>
  void WriteXmlLine(const Pieces&... pieces) {
    bytes += OutputXml::LineSize(pieces...);
  }
  std::size_t bytes = 0;
};

// Lines copied to `at`, which has room for them; their values are plain, so
// the document carries them as they are.
struct DirectLines {
  template <typename... Pieces>
  void WriteXmlLine(const Pieces&... pieces) {
    at = OutputXml::PutLine(at, pieces...);
  }
  char* at;
};

}  // namespace

bool WriteSceneryObjectStartDirectly(OutputXml& out, ScannedText lat, ScannedText lon,
                                     ScannedText alt, ScannedText heading,
                                     std::string_view altitude_is_agl,
                                     std::string_view image_complexity) {
  if (!lat.Plain() || !lon.Plain() || !alt.Plain() || !heading.Plain()) return false;
  LineSize size;
  WriteStart(size, lat, lon, alt, heading, altitude_is_agl, image_complexity);
  char* at = out.BeginDirect(size.bytes);
  if (!at) return false;
  DirectLines lines{at};
  WriteStart(lines, lat, lon, alt, heading, altitude_is_agl, image_complexity);
  out.EndDirect(lines.at);
  return true;
}

void WriteSceneryObjectPosition(OutputXml& out, std::string_view lat, std::string_view lon) {
  WritePosition(out, lat, lon);
}

void WriteSceneryObjectPosition(OutputXml& out, ScannedText lat, ScannedText lon) {
  WritePosition(out, lat, lon);
}

void WriteSceneryObjectAttitude(OutputXml& out, std::string_view alt, std::string_view heading,
                                std::string_view altitude_is_agl) {
  WriteAttitude(out, alt, heading, altitude_is_agl);
}

void WriteSceneryObjectAttitude(OutputXml& out, ScannedText alt, ScannedText heading,
                                std::string_view altitude_is_agl) {
  WriteAttitude(out, alt, heading, altitude_is_agl);
}

void WriteSceneryObjectComplexity(OutputXml& out, std::string_view image_complexity) {
  WriteComplexity(out, image_complexity);
}

void WriteSceneryObjectEnd(OutputXml& out) {
  out.WriteXmlLine("    </SceneryObject>");
}

}  // namespace ferry
