#include "convert/exclusions.h"

#include "convert/run_state.h"
#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

// Fields 2 to 5 are converted first, so a short line stops before any of its
// lines is written. Field 5 is the minimum longitude, field 4 the maximum.
void ConvertExclusion(RunState& state) {
  Fields& fields = state.fields;
  fields.SplitFields(state.input_sca.CurrentLine());
  for (std::size_t i = 2; i <= 5; ++i) ColonsToSpacesInPlace(fields.Mutable(i));

  OutputXml& out = state.output_xml;
  out.WriteXmlLine("    <ExclusionRectangle");
  out.WriteXmlLine("        latitudeMinimum=\"", Value(fields.At(2)), "\"");
  out.WriteXmlLine("        latitudeMaximum=\"", Value(fields.At(3)), "\"");
  out.WriteXmlLine("        longitudeMinimum=\"", Value(fields.At(5)), "\"");
  out.WriteXmlLine("        longitudeMaximum=\"", Value(fields.At(4)), "\"");
  const std::string& flags = fields.At(1);
  if (flags == "F") {
    out.WriteXmlLine("        excludeAllObjects=\"TRUE\"");
  } else {
    out.WriteXmlLine("        excludeAllObjects=\"FALSE\"");
    // The low four bits of the first character select the kinds; an empty
    // field selects none.
    const unsigned bits = flags.empty() ? 0u : static_cast<unsigned char>(flags[0]) & 0x0Fu;
    if (bits & 8) out.WriteXmlLine("        excludeBeaconObjects=\"TRUE\"");
    if (bits & 4) out.WriteXmlLine("        excludeTaxiwaySignObjects=\"TRUE\"");
    if (bits & 2) out.WriteXmlLine("        excludeLibraryObjects=\"TRUE\"");
    if (bits & 1) out.WriteXmlLine("        excludeGenericBuildingObjects=\"TRUE\"");
  }
  out.WriteXmlLine("    />");
}

}  // namespace

void ConvertExclusions(RunState& state, const std::string& path) {
  const std::string found = platform::FindCompanionFile(path);
  if (found.empty()) return;
  InputSca& input = state.input_sca;
  input.Open(found);
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    if (FirstWord(input.CurrentLine()) != "EXCLUDE(") continue;
    state.MarkStatement();
    ConvertExclusion(state);
  }
  input.Close();
}

}  // namespace ferry
