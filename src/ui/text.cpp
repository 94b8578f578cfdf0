// TText and DrawAtDim.
#include "ui/text.h"

#include "engine/engine.h"
#include "engine/text/utf8.h"
#include "ui/bitmap_font.h"

namespace orvela {

TextRef TText::Create(const std::string& text, const DimRef& dim, const Ref<TObject>& font,
                      float alpha, int origin, float xoffset, float yoffset) {
  auto t = std::make_shared<TText>();
  t->text = text;
  t->dim = dim;
  t->font = font;
  t->alpha = alpha;
  if (dim) {
    dim->origin = origin;
    dim->xoffset = xoffset;
    dim->yoffset = yoffset;
  }
  return t;
}

TextRef CreateText(const std::string& text, const DimRef& dim, const Ref<TObject>& font,
                   float alpha, int origin, float xoffset, float yoffset) {
  return TText::Create(text, dim, font, alpha, origin, xoffset, yoffset);
}

float TText::width() const {
  if (std::dynamic_pointer_cast<TImageFont>(font)) return static_cast<float>(StringWidth(text));
  if (auto bitmap = std::dynamic_pointer_cast<TFont>(font)) {
    float sum = 0;
    for (char32_t c : DecodeUtf8(text)) {
      if (auto letter = bitmap->GetLetter(EncodeUtf8(c)); letter && letter->dim) {
        sum += letter->dim->width;
      }
    }
    return sum;
  }
  return 0;
}

float TText::height() const {
  if (std::dynamic_pointer_cast<TImageFont>(font)) return static_cast<float>(StringHeight());
  if (auto bitmap = std::dynamic_pointer_cast<TFont>(font)) return bitmap->Size;
  return 0;
}

int TText::Draw() {
  if (!visible || !dim) return 0;
  if (auto image_font = std::dynamic_pointer_cast<TImageFont>(font)) {
    const float saved_alpha = GetAlpha();
    SetAlpha(alpha);
    SetDrawFont(image_font);
    if (color) SetColor(color->r, color->g, color->b);
    SetDrawScale(dim->scalex, dim->scaley);
    DrawString(text, dim->Left(), dim->Top());
    SetAlpha(saved_alpha);
    SetColor(255, 255, 255);
    SetDrawScale(1, 1);
  } else if (auto bitmap = std::dynamic_pointer_cast<TFont>(font)) {
    const float left = dim->Left(), top = dim->Top();
    float advance = 0;
    for (char32_t c : DecodeUtf8(text)) {
      auto letter = bitmap->GetLetter(EncodeUtf8(c));
      if (!letter || !letter->dim) continue;
      letter->alpha = alpha;
      letter->dim->scalex = dim->scalex;
      letter->dim->scaley = dim->scaley;
      letter->dim->x = left + advance;
      letter->dim->y = top;
      letter->Draw();
      // The unscaled width: a scaled text keeps its letter spacing while each glyph grows
      // about its own centre.
      advance = static_cast<float>(static_cast<int>(advance + letter->dim->width));
    }
  }
  return 0;
}

int DrawAtDim(const Ref<TObject>& object, const DimRef& dim, int frame) {
  if (!object) return 0;
  if (auto text = std::dynamic_pointer_cast<TText>(object)) return text->Draw();
  if (!dim) return 0;
  if (auto image = std::dynamic_pointer_cast<TImage>(object)) {
    DrawImageFrame(image, dim->Left(), dim->Top(), frame);
  } else if (auto pixmap = std::dynamic_pointer_cast<TPixmap>(object)) {
    DrawPixmap(*pixmap, static_cast<int>(dim->Left()), static_cast<int>(dim->Top()));
  }
  return 0;
}

}  // namespace orvela
