// ScopedDrawFont: selects a widget's own image font for the span of a measurement or drawing
// and puts back the font that was in force. Text measurements of the engine read the current
// font, so a widget that measures with its own font selects it through this.
#pragma once

#include <memory>

#include "engine/engine.h"
#include "engine/object.h"

namespace orvela {

class ScopedDrawFont {
 public:
  // Selects the font when it is a TImageFont; anything else leaves the current font in force.
  explicit ScopedDrawFont(const Ref<TObject>& font) : saved_(GetDrawFont()) {
    if (auto image_font = std::dynamic_pointer_cast<TImageFont>(font)) SetDrawFont(image_font);
  }
  ~ScopedDrawFont() { SetDrawFont(saved_); }
  ScopedDrawFont(const ScopedDrawFont&) = delete;
  ScopedDrawFont& operator=(const ScopedDrawFont&) = delete;

 private:
  FontRef saved_;
};

}  // namespace orvela
