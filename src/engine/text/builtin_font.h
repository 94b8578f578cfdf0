// Glyph rows of the engine's built-in pixel font.
#pragma once

#include <cstdint>

namespace orvela {

constexpr int kBuiltInGlyphWidth = 5;
constexpr int kBuiltInGlyphRows = 8;
constexpr int kBuiltInAdvance = 6;
constexpr int kBuiltInLineHeight = 10;

// Eight rows of five bits for a printable ASCII character, else null.
const uint8_t* BuiltInGlyphRows(char32_t character);

}  // namespace orvela
