// The SceneryObject wrapper that library objects and buildings share. Its
// start tag is written in three steps, because a library object reads some
// of its fields only after the first lines are out, and a statement that
// lacks them must stop with exactly those lines written.
#pragma once

#include <string_view>

#include "output/plain_text.h"

namespace ferry {

class OutputXml;

// Lines 1 to 3: the tag's opening, lat and lon.
void WriteSceneryObjectPosition(OutputXml& out, std::string_view lat, std::string_view lon);
// The same with scanned values: a plain one is not tested again.
void WriteSceneryObjectPosition(OutputXml& out, ScannedText lat, ScannedText lon);
// Lines 4 to 8: alt, pitch, bank, heading and altitudeIsAgl.
void WriteSceneryObjectAttitude(OutputXml& out, std::string_view alt, std::string_view heading,
                                std::string_view altitude_is_agl);
void WriteSceneryObjectAttitude(OutputXml& out, ScannedText alt, ScannedText heading,
                                std::string_view altitude_is_agl);
// Line 9, which ends the start tag.
void WriteSceneryObjectComplexity(OutputXml& out, std::string_view image_complexity);
void WriteSceneryObjectEnd(OutputXml& out);

// Lines 1 to 9 at once, with one test for room, when every value is plain
// (output/plain_text.h), no report is attached and they fit into what is
// left of the output buffer (OutputXml::BeginDirect); false, having written
// nothing, when not: then they are written with the three writers above.
bool WriteSceneryObjectStartDirectly(OutputXml& out, ScannedText lat, ScannedText lon,
                                     ScannedText alt, ScannedText heading,
                                     std::string_view altitude_is_agl,
                                     std::string_view image_complexity);

}  // namespace ferry
