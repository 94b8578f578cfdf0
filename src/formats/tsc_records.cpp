// Token kind names, the reader's error text and the case rule of names (see tsc_records.h).
#include "formats/tsc_records.h"

#include "engine/runtime_error.h"

namespace orvela {

std::string TSCTokenKindName(int32_t id) {
  switch (id) {
    case TSC_OPEN_BRACE:
      return "{";
    case TSC_CLOSE_BRACE:
      return "}";
    case TSC_HASH:
      return "#";
    case TSC_SEMICOLON:
      return ";";
    case TSC_COMMA:
      return ",";
    case TSC_EQUALS:
      return "=";
    case TSC_STRING:
      return "String";
    case TSC_NUMBER:
      return "Number";
    case TSC_IDENT:
      return "Ident";
    case TSC_DEFINE:
      return "Define";
    default:
      return "Unknown";
  }
}

void RaiseTSCError(const std::string& message, int32_t line, int32_t character) {
  RaiseRuntimeError("ERROR: " + message + " at line " + std::to_string(line) + ", character " +
                    std::to_string(character));
}

std::string TSCFoldedName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = TSCLowerAscii(c);
  return folded;
}

}  // namespace orvela
