#include "convert/airport.h"

#include "convert/keyword_spelling.h"
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
  fields.SplitFields(state.input_sca.Line(), 4);  // no field past 3 is read
  const std::string key = UpperCase(fields.Text(1));
  std::string* member = nullptr;
  long* line = nullptr;
  if (key == "REGION") {
    member = &airport.region;
    line = &airport.lines.region;
  } else if (key == "COUNTRY") {
    member = &airport.country;
    line = &airport.lines.country;
  } else if (key == "STATE") {
    member = &airport.state;
    line = &airport.lines.state;
  } else if (key == "CITY") {
    member = &airport.city;
    line = &airport.lines.city;
  } else if (key == "AIRPORT") {
    member = &airport.name;
    line = &airport.lines.name;
  }
  if (!member) return state.Passed(PassedOver::kUnknownNameKey, key);
  *member = fields.Text(3);
  *line = state.input_sca.LineNumber();
}

// A field 0 that is none of the keywords: a statement Ferry does not
// convert ("RUNWAY("), or a keyword misspelt ("TOWER(N47").
void NoteOtherKeyword(RunState& state, std::string_view keyword) {
  if (IsMisspeltKeyword(keyword, kAfdKeywords))
    state.Passed(PassedOver::kLikelyTypo, keyword);
  else if (keyword.ends_with('('))
    state.Passed(PassedOver::kUnknownAfdKeyword, keyword);
}

void GatherLine(RunState& state) {
  InputSca& in = state.input_sca;
  Fields& fields = state.fields;
  Tairport& airport = state.tairport;
  if (CountWords(in.Line()) < 2) return;
  fields.SplitFields(in.CurrentLine(), 4);  // no field past 3 is read
  // Two words of nothing but control characters split into no field at all:
  // such a line is blank, not a statement.
  if (fields.Count() == 0) return;
  state.MarkStatement();
  const std::string_view keyword = fields.Text(0);
  if (keyword == "APLOCATION(") {
    airport.lat = ColonsToSpaces(fields.Text(1));
    airport.lon = ColonsToSpaces(fields.Text(2));
    airport.alt = fields.Text(3);
    airport.lines.location = in.LineNumber();
  } else if (keyword == "ICAO_ID(") {
    airport.ident = fields.Text(1);
    airport.lines.ident = in.LineNumber();
  } else if (keyword == "FREQUENCY(" || keyword == "TOWER(") {
    state.airport_items.push_back({in.CurrentLine(), in.LineNumber()});
  } else if (keyword == "NAMEENTRY(") {
    StoreNameEntry(state);
  } else if (state.Reporting()) {
    NoteOtherKeyword(state, keyword);
  }
}

// Each value is written at the line that gave it, for diagnostics.
void WriteStartTag(RunState& state, const std::string& afd_path) {
  OutputXml& out = state.output_xml;
  const Tairport& airport = state.tairport;
  const auto at = [&](long line) { state.MarkStatement(afd_path, line); };
  out.WriteXmlLine("    <Airport");
  const struct {
    const std::string& value;
    long line;
    std::string_view start;
    AttributeKey attribute;
  } names[] = {
      {airport.region, airport.lines.region, "         region=\"", "region"},
      {airport.country, airport.lines.country, "         country=\"", "country"},
      {airport.state, airport.lines.state, "         state=\"", "state"},
      {airport.city, airport.lines.city, "         city=\"", "city"},
      {airport.name, airport.lines.name, "         name=\"", "name"},
  };
  for (const auto& name : names) {
    if (name.value.empty()) continue;
    at(name.line);
    out.WriteXmlLine(Fixed(name.start), Value(name.value, name.attribute), "\"");
  }
  at(airport.lines.location);
  out.WriteXmlLine("         lat=\"", Value(airport.lat, "lat"), "\"");
  out.WriteXmlLine("         lon=\"", Value(airport.lon, "lon"), "\"");
  out.WriteXmlLine("         alt=\"", Value(airport.alt, "alt"), "\"");
  at(airport.lines.ident);
  out.WriteXmlLine("         ident=\"", Value(airport.ident, "ident"), "\">");
}

// A stored line with too few fields stops the run here, with the lines of
// its child written up to the first missing field.
void WriteChild(RunState& state, const AirportItem& item, const std::string& afd_path) {
  Fields& fields = state.fields;
  OutputXml& out = state.output_xml;
  state.MarkStatement(afd_path, item.line);
  fields.SplitFields(item.text, 4);  // no field past 3 is read
  const std::string_view keyword = fields.Text(0);
  if (keyword == "TOWER(") {
    out.WriteXmlLine("         <Tower");
    out.WriteXmlLine("             lat=\"", Value(ColonsToSpaces(fields.Text(1)), "lat"), "\"");
    out.WriteXmlLine("             lon=\"", Value(ColonsToSpaces(fields.Text(2)), "lon"), "\"");
    out.WriteXmlLine("             alt=\"", Value(fields.Text(3), "alt"), "\"/>");
    state.Converted(Element::kTower);
  } else if (keyword == "FREQUENCY(") {
    const std::string_view type = ComTypeMap(fields.Text(2));
    out.WriteXmlLine("         <Com");
    out.WriteXmlLine("             frequency=\"", Value(fields.Text(1), "frequency"), "\"");
    out.WriteXmlLine("             type=\"", Value(type, "type"), "\"/>");
    state.Converted(Element::kCom);
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
  if (path.empty()) {
    state.MarkStatement(afd_path, 0);
    return state.Passed(PassedOver::kCompanionNotFound, afd_path);
  }

  InputSca& input = state.input_sca;
  input.Open(path);
  while (!input.AtInputEnd()) {
    input.ReadSourceLine();
    GatherLine(state);
  }
  input.Close();

  WriteStartTag(state, path);
  for (const AirportItem& item : state.airport_items) WriteChild(state, item, path);
  ConvertTaxiwaySigns(state, signs);
  state.output_xml.WriteXmlLine("    </Airport>");
  state.Converted(Element::kAirport);
}

}  // namespace ferry
