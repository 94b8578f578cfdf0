// TMemo.
#include "ui/memo.h"

#include "engine/engine.h"
#include "engine/text/utf8.h"
#include "ui/bitmap_font.h"

namespace orvela {

MemoRef CreateMemo(const Ref<TObject>& font, const std::string& text, const DimRef& dim,
                   int wordwrap, float alpha) {
  auto memo = std::make_shared<TMemo>();
  memo->font = font;
  memo->text = text;
  memo->dim = dim;
  memo->wordwrap = wordwrap;
  memo->alpha = alpha;
  return memo;
}

int TMemo::Draw() {
  if (!visible || !dim) return 0;
  const int left = static_cast<int>(dim->Left());
  const float right = dim->Right();
  int a = left;
  int b = static_cast<int>(dim->Top());
  if (auto image_font = std::dynamic_pointer_cast<TImageFont>(font)) {
    SetAlpha(alpha);
    SetDrawFont(image_font);
    SetDrawScale(dim->scalex, dim->scaley);
    for (char32_t c : DecodeUtf8(text)) {
      const std::string character = EncodeUtf8(c);
      const int w = StringWidth(character);
      if (wordwrap == 1 && right < static_cast<float>(a + w)) {
        a = left;
        b += StringHeight();
      }
      DrawString(character, static_cast<float>(a), static_cast<float>(b));
      a += w;
    }
    SetAlpha(1);
    SetDrawScale(1, 1);
  } else if (auto bitmap = std::dynamic_pointer_cast<TFont>(font)) {
    for (char32_t c : DecodeUtf8(text)) {
      auto letter = bitmap->GetLetter(EncodeUtf8(c));
      if (!letter || !letter->dim) continue;
      if (wordwrap == 1 && right < static_cast<float>(a) + letter->dim->width) {
        a = left;
        b = static_cast<int>(static_cast<float>(b) + letter->dim->height);
      }
      letter->alpha = alpha;
      letter->dim->scalex = dim->scalex;
      letter->dim->scaley = dim->scaley;
      letter->dim->x = static_cast<float>(a);
      letter->dim->y = static_cast<float>(b);
      letter->Draw();
      a = static_cast<int>(static_cast<float>(a) + letter->dim->width);
    }
  }
  return 0;
}

}  // namespace orvela
