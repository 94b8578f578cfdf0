// TText: one line of text at a placement rectangle, drawn with an engine image font
// (TImageFont) or the toolkit's bitmap font (TFont); and DrawAtDim, the helper that draws an
// image, a pixel buffer or a text at a rectangle. Only the engine's drawing services are used.
#pragma once

#include <memory>
#include <string>

#include "engine/object.h"
#include "ui/color.h"
#include "ui/dim.h"

namespace orvela {

class TText : public TObject {
 public:
  // A text with those values; a given rectangle is kept (shared) and gets the origin and the
  // offsets passed here.
  static std::shared_ptr<TText> Create(const std::string& text, const DimRef& dim,
                                       const Ref<TObject>& font, float alpha, int origin,
                                       float xoffset, float yoffset);

  std::string text;
  DimRef dim = std::make_shared<TDim>();        // its Left, Top and scale place the text
  ColorRef color = TColor::Create(0x00FFFFFF);  // used with an image font only
  Ref<TObject> font;  // a TImageFont or a TFont; anything else draws nothing
  int visible = 1;
  float alpha = 0;

  // With an image font: StringWidth / StringHeight of the engine's current font (select the
  // text's font first). With a bitmap font: the sum of the letter widths / the row height.
  float width() const;
  float height() const;
  // Draws the text (nothing without a rectangle or when not visible). An image font draws in
  // the text's colour and leaves colour white and scale 1 × 1 with the alpha restored; a
  // bitmap font leaves the colour alone.
  int Draw();
};

using TextRef = std::shared_ptr<TText>;

TextRef CreateText(const std::string& text, const DimRef& dim, const Ref<TObject>& font,
                   float alpha, int origin, float xoffset, float yoffset);

// Draws the object at the rectangle: a TImage frame at (Left, Top), a TPixmap at the
// truncated point, a TText by itself (its own rectangle). Anything else, null included, and a
// missing rectangle draw nothing. Returns 0.
int DrawAtDim(const Ref<TObject>& object, const DimRef& dim, int frame);

}  // namespace orvela
