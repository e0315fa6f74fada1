#include "convert/scenery_object.h"

#include "output/output_xml.h"

namespace ferry {

namespace {

// The same lines for texts to be tested (std::string_view) and scanned ones.
template <typename Text>
void WritePosition(OutputXml& out, Text lat, Text lon) {
  out.WriteXmlLine("    <SceneryObject");
  out.WriteXmlLine("       lat=\"", Value(lat, "lat"), "\"");
  out.WriteXmlLine("       lon=\"", Value(lon, "lon"), "\"");
}

template <typename Text>
void WriteAttitude(OutputXml& out, Text alt, Text heading, std::string_view altitude_is_agl) {
  out.WriteXmlLine("       alt=\"", Value(alt, "alt"), "\"");
  out.WriteXmlLine("       pitch=\"0\"");
  out.WriteXmlLine("       bank=\"0\"");
  out.WriteXmlLine("       heading=\"", Value(heading, "heading"), "\"");
  out.WriteXmlLine("       altitudeIsAgl=\"", Fixed(altitude_is_agl), "\"");
}

}  // namespace

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
  out.WriteXmlLine("       imageComplexity=\"", Fixed(image_complexity), "\">");
}

void WriteSceneryObjectEnd(OutputXml& out) {
  out.WriteXmlLine("    </SceneryObject>");
}

}  // namespace ferry
