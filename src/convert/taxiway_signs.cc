#include "convert/taxiway_signs.h"

#include "convert/run_state.h"
#include "sca/text.h"

namespace ferry {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr std::int32_t kDefaultSize = 2;

// Fields are read in the order 1 (upper-cased split), then 2, 3, 5, 7 of the
// split of RawLine, and 2, 3, 6, 8 while the lines go out.
void ConvertSign(RunState& state) {
  Fields& fields = state.fields;
  // No field past 8 is read, and whether there is a field 5 is the same.
  fields.SplitFields(state.input_sca.Line(), 9);
  ColonsToSpacesInPlace(fields.Mutable(2));
  ColonsToSpacesInPlace(fields.Mutable(3));
  std::int32_t size = kDefaultSize;
  if (fields.Count() > 5) size = ParseSignSize(fields.Text(5)).value_or(kDefaultSize);
  const std::string label = SignLabel(fields.Text(7));

  OutputXml& out = state.output_xml;
  out.WriteXmlLine("    <TaxiwaySign");
  out.WriteXmlLine("       lat=\"", Value(fields.Text(2), "lat"), "\"");
  out.WriteXmlLine("       lon=\"", Value(fields.Text(3), "lon"), "\"");
  out.WriteXmlLine("       heading=\"", Value(fields.Text(6), "heading"), "\"");
  out.WriteXmlLine("       label=\"", Value(label, "label"), "\"");
  out.WriteXmlLine("       size=\"SIZE", Value(std::to_string(size), "size"), "\"");
  const std::string_view justification = fields.Text(8);
  const bool right = !justification.empty() && UpperChar(justification[0]) == 'R';
  if (right)
    out.WriteXmlLine("       justification=\"RIGHT\"/>");
  else
    out.WriteXmlLine("       justification=\"LEFT\"/>");
  state.Converted(Element::kTaxiwaySign);
}

}  // namespace

std::optional<std::int32_t> ParseSignSize(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string_view rest = text.substr(i);

  bool hex = false;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    hex = true;
    rest.remove_prefix(1);
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    hex = true;
    rest.remove_prefix(2);
  }
  if (rest.empty()) return std::nullopt;

  std::uint64_t value = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (char c : rest) {
    int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value > limit) return std::nullopt;
  }
  // Negated as unsigned, in 32 bits: "-$80000000" stays -2147483648.
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

std::string SignLabel(std::string_view text) {
  std::string label;
  label.reserve(text.size());
  bool lower_next = false;
  for (char c : text) {
    if (c == '@') {
      lower_next = true;
    } else if (lower_next) {
      label += LowerChar(c);
      lower_next = false;
    } else {
      label += c;
    }
  }
  return label;
}

void ConvertTaxiwaySigns(RunState& state, const SignCalls& calls) {
  // A block that the writer thread failed to write stops the run before
  // this pass opens its file.
  state.output_xml.AwaitWrites();
  InputSca& input = state.input_sca;
  input.Open(calls.source_path);
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    if (!input.FirstWordIs("MACRO(")) continue;
    state.MarkStatement();
    // Only field 1 is read from the upper-cased line, and a sign is split
    // again from RawLine.
    state.fields.SplitUpperCased(input.TrimmedLine(), 2);
    if (ContainsText(state.fields.Text(1), calls.api_text)) ConvertSign(state);
  }
  input.Close();
}

}  // namespace ferry
