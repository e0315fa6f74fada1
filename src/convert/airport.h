// Airport facilities: the "_AFD.SCA" companion becomes one Airport element
// with its Tower and Com children and, inside it, the taxiway signs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/taxiway_signs.h"

namespace ferry {

class RunState;

// The airport's header values, each named after the attribute it feeds.
struct Tairport {
  std::string ident;
  std::string region;
  std::string country;
  std::string state;
  std::string city;
  std::string name;
  std::string lat;
  std::string lon;
  std::string alt;
  // The lines of the AFD file that gave the values, for diagnostics.
  struct {
    long ident = 0, region = 0, country = 0, state = 0, city = 0, name = 0, location = 0;
  } lines;
};

// A stored "TOWER(" or "FREQUENCY(" line (trimmed and upper-cased), with its
// line number for diagnostics.
struct AirportItem {
  std::string text;
  long line = 0;
};
using AirportItems = std::vector<AirportItem>;

// The Com type written for an SCA frequency type; the type itself when no
// row of the table names it.
std::string_view ComTypeMap(std::string_view sca_type);

// The airport pass over the AFD file at `afd_path`, with the taxiway signs
// inside the element; a missing AFD file writes nothing.
void ConvertAirport(RunState& state, const std::string& afd_path, const SignCalls& signs);

}  // namespace ferry
