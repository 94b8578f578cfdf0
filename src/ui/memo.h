// TMemo: a block of text that, with word wrap on, goes to a new line whenever the next
// character would cross the right edge of its rectangle (lines break between any two
// characters). Drawn with an engine image font or a bitmap font; only engine drawing is used.
#pragma once

#include <memory>
#include <string>

#include "engine/object.h"
#include "ui/dim.h"

namespace orvela {

class TMemo : public TObject {
 public:
  std::string text;
  DimRef dim;         // the box: its left and right edges bound the lines
  int wordwrap = 0;   // 1 = break lines at the right edge
  Ref<TObject> font;  // a TImageFont or a TFont; anything else draws nothing
  float alpha = 0;
  int visible = 1;

  // Draws the text from the box's top-left (nothing without a box or when not visible). An
  // image font leaves alpha 1 and scale 1 × 1 afterwards; the colour is never changed.
  int Draw();
  int State() { return 0; }
};

using MemoRef = std::shared_ptr<TMemo>;

MemoRef CreateMemo(const Ref<TObject>& font, const std::string& text, const DimRef& dim,
                   int wordwrap, float alpha);

}  // namespace orvela
