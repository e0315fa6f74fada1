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
  const std::string& line = state.input_sca.CurrentLine();
  if (FirstWord(line) != "MACRO(") return;
  Fields& fields = state.fields;
  fields.SplitFields(line);
  if (!ContainsText(fields.At(1), library_api_text)) return state.MacroCall(fields.At(1));
  ColonsToSpacesInPlace(fields.Mutable(2));
  ColonsToSpacesInPlace(fields.Mutable(3));

  OutputXml& out = state.output_xml;
  WriteSceneryObjectPosition(out, fields.At(2), fields.At(3));
  const bool on_ground = fields.At(12) == "0";
  WriteSceneryObjectAttitude(out, on_ground ? "0" : fields.At(12), fields.At(6),
                             on_ground ? "TRUE" : "FALSE");
  const std::string& density = fields.At(13);
  // An empty density (a quoted empty text) counts as any other character.
  WriteSceneryObjectComplexity(out, LibraryComplexity(density.empty() ? '\0' : density[0]));
  out.WriteXmlLine("            \t<LibraryObject name=\"",
                   Value(fields.At(7), "LibraryObject name"), "\" scale=\"",
                   Value(fields.At(5), "scale"), "\"/>");
  WriteSceneryObjectEnd(out);
  state.Converted(Element::kLibraryObject);
}

}  // namespace ferry
