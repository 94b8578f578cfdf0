// TFont, the toolkit's bitmap font, and TLetter, one of its glyphs: a font cut at load time
// from one picture holding rows of glyphs. Building reads only pixel buffers; drawing uses the
// engine's image drawing and leaves the colour alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/image/image.h"
#include "engine/loading.h"
#include "engine/object.h"
#include "ui/dim.h"

namespace orvela {

class TLetter : public TObject {
 public:
  std::string text;  // one character (UTF-8)
  DimRef dim;        // width = glyph width, height = row height, origin 0, scale 1
  ImageRef image;    // the glyph
  float alpha = 1.0f;

  // Draws frame 0 at (dim.Left(), dim.Top()) with the letter's alpha and its rectangle's
  // scale; the global alpha and scale are restored afterwards.
  int Draw();
};

class TFont : public TObject {
 public:
  TList<TLetter> letters;  // in glyph order; the generated space letter last
  std::string text;        // the characters of the glyphs, in glyph order
  float Size = 0;          // height of one glyph row, also the line height

  // The first letter whose text equals the character exactly; otherwise the space letter
  // added last (null only for a font that has none).
  std::shared_ptr<TLetter> GetLetter(const std::string& character) const;
  // The alpha byte of a packed 0xAARRGGBB pixel.
  static uint8_t alpha(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }
};

using FontObjRef = std::shared_ptr<TFont>;

// Cuts a font from a picture (a TPixmap, or a path loaded as a pixel buffer) of rows of
// `size` pixels: each run of inked columns (alpha above 0) within a row is one glyph, taking
// the next character of `characters` in reading order. A glyph still open at the right edge
// of a row is dropped; glyphs beyond the given characters are ignored. A space letter half a
// row wide comes last.
FontObjRef CreateBitmapFont(const Source& image, const std::string& characters, float size);

}  // namespace orvela
