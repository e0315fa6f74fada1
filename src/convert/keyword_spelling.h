// Lines whose first word is almost a keyword: "MACRO(XMLOBJ.API", "ADVBLDG("
// followed by a tab, a keyword in double quotes. They convert to nothing,
// and their author most likely meant them to.
#pragma once

#include <span>
#include <string_view>

namespace ferry {

class RunState;

// The keywords of the source file and of the exclusion file.
inline constexpr std::string_view kSourceKeywords[] = {
    "MACRO(", "AREA(", "ENDA", "IFVARRANGE(", "REFPOINT(", "ROTATEDCALL(", "ADVBLDG("};
inline constexpr std::string_view kExclusionKeywords[] = {"EXCLUDE("};
inline constexpr std::string_view kAfdKeywords[] = {"APLOCATION(", "ICAO_ID(", "FREQUENCY(",
                                                    "TOWER(", "NAMEENTRY("};

// Whether `word` begins with one of the keywords, after any double quotes,
// without being it.
bool IsMisspeltKeyword(std::string_view word, std::span<const std::string_view> keywords);

// Tells the report of the current line when its first word is a misspelt
// keyword.
void NoteMisspeltKeyword(RunState& state, std::span<const std::string_view> keywords);

}  // namespace ferry
