#include "convert/airport.h"

#include "app/conversion_run.h"
#include "app/file_names.h"
#include "convert/taxiway_signs.h"
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
void StoreNameEntry(ConversionRun& run) {
  Fields& fields = run.fields;
  Tairport& airport = run.tairport;
  fields.SplitFields(run.input_sca.RawLine());
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

void GatherLine(ConversionRun& run) {
  InputSca& in = run.input_sca;
  Fields& fields = run.fields;
  Tairport& airport = run.tairport;
  if (CountWords(in.RawLine()) < 2) return;
  fields.SplitFields(in.CurrentLine());
  // Two words of nothing but control characters split into no field at all:
  // such a line is blank, not a statement.
  if (fields.Count() == 0) return;
  run.MarkStatement();
  const std::string& keyword = fields.At(0);
  if (keyword == "APLOCATION(") {
    airport.lat = ColonsToSpaces(fields.At(1));
    airport.lon = ColonsToSpaces(fields.At(2));
    airport.alt = fields.At(3);
  } else if (keyword == "ICAO_ID(") {
    airport.ident = fields.At(1);
  } else if (keyword == "FREQUENCY(" || keyword == "TOWER(") {
    run.airport_items.push_back({in.CurrentLine(), in.LineNumber()});
  } else if (keyword == "NAMEENTRY(") {
    StoreNameEntry(run);
  }
}

void WriteStartTag(ConversionRun& run) {
  OutputXml& out = run.output_xml;
  const Tairport& airport = run.tairport;
  out.WriteXmlLine("    <Airport");
  if (!airport.region.empty()) out.WriteXmlLine({"         region=\"", airport.region, "\""});
  if (!airport.country.empty()) out.WriteXmlLine({"         country=\"", airport.country, "\""});
  if (!airport.state.empty()) out.WriteXmlLine({"         state=\"", airport.state, "\""});
  if (!airport.city.empty()) out.WriteXmlLine({"         city=\"", airport.city, "\""});
  if (!airport.name.empty()) out.WriteXmlLine({"         name=\"", airport.name, "\""});
  out.WriteXmlLine({"         lat=\"", airport.lat, "\""});
  out.WriteXmlLine({"         lon=\"", airport.lon, "\""});
  out.WriteXmlLine({"         alt=\"", airport.alt, "\""});
  out.WriteXmlLine({"         ident=\"", airport.ident, "\">"});
}

// A stored line with too few fields stops the run here, with the lines of
// its child written up to the first missing field.
void WriteChild(ConversionRun& run, const AirportItem& item, const std::string& afd_path) {
  Fields& fields = run.fields;
  OutputXml& out = run.output_xml;
  run.statement = {afd_path, item.line};
  fields.SplitFields(item.text);
  const std::string& keyword = fields.At(0);
  if (keyword == "TOWER(") {
    out.WriteXmlLine("         <Tower");
    out.WriteXmlLine({"             lat=\"", ColonsToSpaces(fields.At(1)), "\""});
    out.WriteXmlLine({"             lon=\"", ColonsToSpaces(fields.At(2)), "\""});
    out.WriteXmlLine({"             alt=\"", fields.At(3), "\"/>"});
  } else if (keyword == "FREQUENCY(") {
    const std::string_view type = ComTypeMap(fields.At(2));
    out.WriteXmlLine("         <Com");
    out.WriteXmlLine({"             frequency=\"", fields.At(1), "\""});
    out.WriteXmlLine({"             type=\"", type, "\"/>"});
  }
}

}  // namespace

std::string_view ComTypeMap(std::string_view sca_type) {
  for (const ComType& row : kComTypes) {
    if (row.sca == sca_type) return row.com;
  }
  return sca_type;
}

void ConvertAirport(ConversionRun& run) {
  Tairport& airport = run.tairport;
  run.airport_items.clear();
  airport.region.clear();
  airport.country.clear();
  airport.state.clear();
  airport.city.clear();
  airport.name.clear();
  const std::string path = platform::FindCompanionFile(AfdFilePath(run.settings.source_path));
  if (path.empty()) return;

  run.input_sca.Open(path);
  while (!run.input_sca.AtInputEnd()) {
    run.input_sca.ReadSourceLine();
    GatherLine(run);
  }
  run.input_sca.Close();

  WriteStartTag(run);
  for (const AirportItem& item : run.airport_items) WriteChild(run, item, path);
  ConvertTaxiwaySigns(run);
  run.output_xml.WriteXmlLine("    </Airport>");
}

}  // namespace ferry
