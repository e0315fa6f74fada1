// RunReport: what a run tells about its work, for a front end that asks.
//
// The engine calls it where it already decides: an element written, a line
// passed over, a value written. It formats nothing, and the document's bytes
// never depend on it; a run without a report holds a null pointer.
#pragma once

#include <string>
#include <string_view>

#include "output/value_check.h"

namespace ferry {

// Where a statement begins: its file and line.
struct StatementPlace {
  std::string file;
  long line = 0;
};

enum class Element {
  kLibraryObject,
  kBuildingArea,
  kNormalBuilding,
  kPeakedBuilding,
  kSlopedBuilding,
  kPolyBuilding,
  kBuildingWithoutShape,
  kExclusionRectangle,
  kAirport,
  kTower,
  kCom,
  kTaxiwaySign,
};
inline constexpr int kElementKinds = 12;

// Lines that convert to nothing, though their author may have meant them to.
enum class PassedOver {
  kUnknownMacroFile,           // detail: the macro file
  kSignCallWithoutAirport,     // detail: the macro file
  kAreaStatementBuildingsOff,  // detail: the keyword
  kBuildingOutsideArea,        // detail: the keyword
  kUnknownShape,               // detail: the shape word; written without a shape
  kLikelyTypo,                 // detail: the first word
  kUnknownAfdKeyword,          // detail: the keyword
  kUnknownNameKey,             // detail: the key
  kCompanionNotFound,          // detail: the path looked for
  kBuildingBeforeRefpoint,     // detail: empty
};
inline constexpr int kPassedOverKinds = 10;

class RunReport {
 public:
  virtual ~RunReport() = default;
  // An element whose last line is written, or a building area opened.
  virtual void Converted(Element element) = 0;
  virtual void Passed(PassedOver what, std::string_view detail, const StatementPlace& place) = 0;
  // A "MACRO(" call that is no library object: a taxiway sign, or nothing.
  virtual void MacroCall(std::string_view macro_file, const StatementPlace& place) = 0;
  // A value from an input file, written into `attribute`.
  virtual void WroteValue(const AttributeKey& attribute, std::string_view value,
                          const StatementPlace& place) = 0;
};

}  // namespace ferry
