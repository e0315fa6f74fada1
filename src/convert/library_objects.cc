#include "convert/library_objects.h"

#include "convert/run_state.h"
#include "convert/scenery_object.h"
#include "sca/text.h"

namespace ferry {

std::string_view LibraryComplexity(char density) {
  switch (density) {
    case '1':
      return "VERY_SPARSE";
    case '2':
      return "SPARSE";
    case '3':
      return "NORMAL";
    case '4':
      return "DENSE";
    case '5':
    case '6':
      return "VERY_DENSE";
    default:
      return "NORMAL";
  }
}

// Fields are read in the order 1, 2, 3, then 2, 3, 12, 6, 13, 7, 5 while the
// lines go out: a short statement stops with exactly the lines before its
// first missing field written.
void ConvertLibraryObject(RunState& state, std::string_view library_api_text) {
  const InputSca& input = state.input_sca;
  if (!input.FirstWordIs("MACRO(")) return;
  Fields& fields = state.fields;
  // No field past 13 is read: the rest of a long call is neither split nor
  // upper-cased.
  fields.SplitUpperCased(input.TrimmedLine(), 14);
  if (!ContainsText(fields.Text(1), library_api_text)) return state.MacroCall(fields.Text(1));
  fields.ColonsToSpaces(2);
  fields.ColonsToSpaces(3);

  OutputXml& out = state.output_xml;
  WriteSceneryObjectPosition(out, fields.Text(2), fields.Text(3));
  const bool on_ground = fields.Text(12) == "0";
  WriteSceneryObjectAttitude(out, on_ground ? "0" : fields.Text(12), fields.Text(6),
                             on_ground ? "TRUE" : "FALSE");
  const std::string_view density = fields.Text(13);
  // An empty density (a quoted empty text) counts as any other character.
  WriteSceneryObjectComplexity(out, LibraryComplexity(density.empty() ? '\0' : density[0]));
  out.WriteXmlLine("            \t<LibraryObject name=\"",
                   Value(fields.Text(7), "LibraryObject name"), "\" scale=\"",
                   Value(fields.Text(5), "scale"), "\"/>");
  WriteSceneryObjectEnd(out);
  state.Converted(Element::kLibraryObject);
}

}  // namespace ferry
