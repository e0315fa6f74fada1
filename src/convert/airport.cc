#include "convert/airport.h"

#include "convert/run_state.h"
#include "platform/file.h"
#include "sca/text.h"

namespace ferry {

namespace {

struct ComType {
  std::string_view sca;
  std::string_view com;
};

constexpr ComType kComTypes[] = {
    {"ATIS", "ATIS"}, {"CDEL", "CLEARANCE"},    {"CTAF", "CTAF"},      {"GNDCON", "GROUND"},
    {"CT", "TOWER"},  {"DEPCON", "DEPARTURE"},  {"APCON", "APPROACH"}, {"CENTER", "CENTER"},
    {"FSS", "FSS"},   {"MULTICOM", "MULTICOM"}, {"UNICOM", "UNICOM"},  {"AWOS", "AWOS"},
};

// A "NAMEENTRY(" line keeps the letter case of the file: it is split again
// from RawLine, and its key (field 1) is compared upper-cased.
void StoreNameEntry(RunState& state) {
  Fields& fields = state.fields;
  Tairport& airport = state.tairport;
  fields.SplitFields(state.input_sca.RawLine());
  const std::string key = UpperCase(fields.At(1));
  std::string* member = nullptr;
  if (key == "REGION")
    member = &airport.region;
  else if (key == "COUNTRY")
    member = &airport.country;
  else if (key == "STATE")
    member = &airport.state;
  else if (key == "CITY")
    member = &airport.city;
  else if (key == "AIRPORT")
    member = &airport.name;
  if (member) *member = fields.At(3);
}

void GatherLine(RunState& state) {
  InputSca& in = state.input_sca;
  Fields& fields = state.fields;
  Tairport& airport = state.tairport;
  if (CountWords(in.RawLine()) < 2) return;
  fields.SplitFields(in.CurrentLine());
  // Two words of nothing but control characters split into no field at all:
  // such a line is blank, not a statement.
  if (fields.Count() == 0) return;
  state.MarkStatement();
  const std::string& keyword = fields.At(0);
  if (keyword == "APLOCATION(") {
    airport.lat = ColonsToSpaces(fields.At(1));
    airport.lon = ColonsToSpaces(fields.At(2));
    airport.alt = fields.At(3);
  } else if (keyword == "ICAO_ID(") {
    airport.ident = fields.At(1);
  } else if (keyword == "FREQUENCY(" || keyword == "TOWER(") {
    state.airport_items.push_back({in.CurrentLine(), in.LineNumber()});
  } else if (keyword == "NAMEENTRY(") {
    StoreNameEntry(state);
  }
}

void WriteStartTag(RunState& state) {
  OutputXml& out = state.output_xml;
  const Tairport& airport = state.tairport;
  out.WriteXmlLine("    <Airport");
  if (!airport.region.empty()) out.WriteXmlLine("         region=\"", Value(airport.region), "\"");
  if (!airport.country.empty())
    out.WriteXmlLine("         country=\"", Value(airport.country), "\"");
  if (!airport.state.empty()) out.WriteXmlLine("         state=\"", Value(airport.state), "\"");
  if (!airport.city.empty()) out.WriteXmlLine("         city=\"", Value(airport.city), "\"");
  if (!airport.name.empty()) out.WriteXmlLine("         name=\"", Value(airport.name), "\"");
  out.WriteXmlLine("         lat=\"", Value(airport.lat), "\"");
  out.WriteXmlLine("         lon=\"", Value(airport.lon), "\"");
  out.WriteXmlLine("         alt=\"", Value(airport.alt), "\"");
  out.WriteXmlLine("         ident=\"", Value(airport.ident), "\">");
}

// A stored line with too few fields stops the run here, with the lines of
// its child written up to the first missing field.
void WriteChild(RunState& state, const AirportItem& item, const std::string& afd_path) {
  Fields& fields = state.fields;
  OutputXml& out = state.output_xml;
  state.MarkStatement(afd_path, item.line);
  fields.SplitFields(item.text);
  const std::string& keyword = fields.At(0);
  if (keyword == "TOWER(") {
    out.WriteXmlLine("         <Tower");
    out.WriteXmlLine("             lat=\"", Value(ColonsToSpaces(fields.At(1))), "\"");
    out.WriteXmlLine("             lon=\"", Value(ColonsToSpaces(fields.At(2))), "\"");
    out.WriteXmlLine("             alt=\"", Value(fields.At(3)), "\"/>");
  } else if (keyword == "FREQUENCY(") {
    const std::string_view type = ComTypeMap(fields.At(2));
    out.WriteXmlLine("         <Com");
    out.WriteXmlLine("             frequency=\"", Value(fields.At(1)), "\"");
    out.WriteXmlLine("             type=\"", Value(type), "\"/>");
  }
}

}  // namespace

std::string_view ComTypeMap(std::string_view sca_type) {
  for (const ComType& row : kComTypes) {
    if (row.sca == sca_type) return row.com;
  }
  return sca_type;
}

// The run's Tairport and AirportItems start empty, and this pass runs once
// a run: nothing is left to clear.
void ConvertAirport(RunState& state, const std::string& afd_path, const SignCalls& signs) {
  const std::string path = platform::FindCompanionFile(afd_path);
  if (path.empty()) return;

  InputSca& input = state.input_sca;
  input.Open(path);
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    GatherLine(state);
  }
  input.Close();

  WriteStartTag(state);
  for (const AirportItem& item : state.airport_items) WriteChild(state, item, path);
  ConvertTaxiwaySigns(state, signs);
  state.output_xml.WriteXmlLine("    </Airport>");
}

}  // namespace ferry
