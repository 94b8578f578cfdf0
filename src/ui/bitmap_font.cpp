// TFont and TLetter: the glyph scan of a bitmap-font picture and letter drawing.
#include "ui/bitmap_font.h"

#include <cmath>
#include <vector>

#include "engine/engine.h"
#include "engine/text/utf8.h"

namespace orvela {

int TLetter::Draw() {
  if (!dim) return 0;
  const float saved_alpha = GetAlpha();
  const auto [saved_sx, saved_sy] = GetDrawScale();
  SetAlpha(alpha);
  SetDrawScale(dim->scalex, dim->scaley);
  DrawImageFrame(image, dim->Left(), dim->Top(), 0);
  SetAlpha(saved_alpha);
  SetDrawScale(saved_sx, saved_sy);
  return 0;
}

std::shared_ptr<TLetter> TFont::GetLetter(const std::string& character) const {
  for (const auto& letter : letters) {
    if (letter->text == character) return letter;
  }
  // The space is looked for from the end, so the generated space letter wins over a " "
  // glyph of the picture.
  for (auto it = letters.end(); it != letters.begin();) {
    --it;
    if ((*it)->text == " ") return *it;
  }
  return nullptr;
}

namespace {

std::shared_ptr<TLetter> MakeLetter(std::string text, const PixmapRef& pixels, float width,
                                    float height) {
  auto letter = std::make_shared<TLetter>();
  letter->text = std::move(text);
  letter->image = TImage::Load(pixels, -1);
  letter->dim = TDim::Create(0, 0, width, height, 0, 1, 1, 0);
  return letter;
}

}  // namespace

FontObjRef CreateBitmapFont(const Source& image, const std::string& characters, float size) {
  auto font = std::make_shared<TFont>();
  font->text = characters;
  font->Size = size;
  const std::u32string chars = DecodeUtf8(characters);
  size_t next_char = 0;

  PixmapRef picture = PixmapOf(image);
  // A row must be at least one pixel high, or the row count would not be finite.
  if (picture && !picture->Empty() && size >= 1) {
    const TPixmap& p = *picture;
    const int row_lines = static_cast<int>(size);
    const int rows = static_cast<int>(static_cast<float>(p.height) / size - 1) + 1;
    std::vector<int> lines(row_lines);
    for (int j = 0; j < rows; ++j) {
      for (int l = 0; l < row_lines; ++l) {
        lines[l] = static_cast<int>(static_cast<float>(l) + size * static_cast<float>(j));
      }
      auto inked = [&](int column) {
        for (int line : lines) {
          if (TFont::alpha(p.ReadPixel(column, line)) > 0) return true;
        }
        return false;
      };
      // Each row starts afresh: a glyph still open at a row's right edge is dropped (it has
      // no closing column), and the next row does not continue it.
      bool was_inked = false;
      int start = 0;
      for (int k = 0; k < p.width; ++k) {
        const bool now_inked = inked(k);
        if (now_inked && !was_inked) start = k;
        if (!now_inked && was_inked) {
          if (next_char < chars.size()) {
            const int w = k - start;
            PixmapRef glyph = TPixmap::Create(w, row_lines, PF_RGBA8888, 4);
            for (int l = 0; l < row_lines; ++l) {
              for (int i = 0; i < w; ++i) glyph->WritePixel(i, l, p.ReadPixel(start + i, lines[l]));
            }
            font->letters.AddLast(
                MakeLetter(EncodeUtf8(chars[next_char]), glyph, static_cast<float>(w), size));
            ++next_char;
          }
        }
        was_inked = now_inked;
      }
    }
  }

  // The space: fully transparent, half a row wide.
  const int space_w = size >= 2 ? static_cast<int>(size / 2) : 0;
  const int space_h = size >= 1 ? static_cast<int>(size) : 0;
  PixmapRef blank = TPixmap::Create(space_w, space_h, PF_RGBA8888, 4);
  font->letters.AddLast(MakeLetter(" ", blank, size / 2, size));
  return font;
}

}  // namespace orvela
