#include "convert/exclusions.h"

#include "convert/keyword_spelling.h"
#include "convert/run_state.h"
#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

// Fields 2 to 5 are converted first, so a short line stops before any of its
// lines is written. Field 5 is the minimum longitude, field 4 the maximum.
void ConvertExclusion(RunState& state) {
  Fields& fields = state.fields;
  fields.SplitFields(state.input_sca.CurrentLine(), 6);  // no field past 5 is read
  for (std::size_t i = 2; i <= 5; ++i) ColonsToSpacesInPlace(fields.Mutable(i));

  OutputXml& out = state.output_xml;
  out.WriteXmlLine("    <ExclusionRectangle");
  out.WriteXmlLine("        latitudeMinimum=\"", Value(fields.Text(2), "latitudeMinimum"), "\"");
  out.WriteXmlLine("        latitudeMaximum=\"", Value(fields.Text(3), "latitudeMaximum"), "\"");
  out.WriteXmlLine("        longitudeMinimum=\"", Value(fields.Text(5), "longitudeMinimum"), "\"");
  out.WriteXmlLine("        longitudeMaximum=\"", Value(fields.Text(4), "longitudeMaximum"), "\"");
  const std::string_view flags = fields.Text(1);
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
  state.Converted(Element::kExclusionRectangle);
}

}  // namespace

void ConvertExclusions(RunState& state, const std::string& path) {
  const std::string found = platform::FindCompanionFile(path);
  if (found.empty()) {
    state.MarkStatement(path, 0);
    return state.Passed(PassedOver::kCompanionNotFound, path);
  }
  InputSca& input = state.input_sca;
  input.Open(found);
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    const bool statement = input.FirstWordIs("EXCLUDE(");
    if (!statement && !state.Reporting()) continue;
    state.MarkStatement();
    if (!statement) {
      NoteMisspeltKeyword(state, kExclusionKeywords);
      continue;
    }
    ConvertExclusion(state);
  }
  input.Close();
}

}  // namespace ferry
