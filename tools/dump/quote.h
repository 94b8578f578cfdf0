// Shared by the dump tools: a text in double quotes with its invisible and quoting characters
// escaped, so empty texts, spaces and line breaks show in the listing.
#pragma once

#include <cstdio>
#include <string>

namespace orvela::dump {

inline std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
          char code[8];
          std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(c));
          out += code;
        } else {
          out.push_back(c);  // UTF-8 bytes of other characters pass as they are
        }
    }
  }
  return out + "\"";
}

}  // namespace orvela::dump
