// Taxiway signs: the second pass over the source file, inside the Airport
// element, turning "MACRO(" calls of the taxiway-sign API file into
// TaxiwaySign elements. Values keep the letter case of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ferry {

class RunState;

// A signed 32-bit integer in decimal or with a "$", "x", "X", "0x" or "0X"
// hexadecimal prefix, after optional leading spaces and a sign; nothing may
// follow it. Hexadecimal values up to FFFFFFFF wrap to 32 bits.
std::optional<std::int32_t> ParseSignSize(std::string_view text);

// Drops each "@" and lower-cases the character after it.
std::string SignLabel(std::string_view text);

// What the taxiway-sign pass reads: the source file once more, and in it the
// calls whose macro file name holds `api_text` (upper-cased).
struct SignCalls {
  std::string source_path;
  std::string api_text;
};

void ConvertTaxiwaySigns(RunState& state, const SignCalls& calls);

}  // namespace ferry
