#include "convert/scenery_object.h"

#include "output/output_xml.h"

namespace ferry {

void WriteSceneryObjectPosition(OutputXml& out, std::string_view lat, std::string_view lon) {
  out.WriteXmlLine("    <SceneryObject");
  out.WriteXmlLine("       lat=\"", Value(lat, "lat"), "\"");
  out.WriteXmlLine("       lon=\"", Value(lon, "lon"), "\"");
}

void WriteSceneryObjectAttitude(OutputXml& out, std::string_view alt, std::string_view heading,
                                std::string_view altitude_is_agl) {
  out.WriteXmlLine("       alt=\"", Value(alt, "alt"), "\"");
  out.WriteXmlLine("       pitch=\"0\"");
  out.WriteXmlLine("       bank=\"0\"");
  out.WriteXmlLine("       heading=\"", Value(heading, "heading"), "\"");
  out.WriteXmlLine("       altitudeIsAgl=\"", Fixed(altitude_is_agl), "\"");
}

void WriteSceneryObjectComplexity(OutputXml& out, std::string_view image_complexity) {
  out.WriteXmlLine("       imageComplexity=\"", Fixed(image_complexity), "\">");
}

void WriteSceneryObjectEnd(OutputXml& out) {
  out.WriteXmlLine("    </SceneryObject>");
}

}  // namespace ferry
