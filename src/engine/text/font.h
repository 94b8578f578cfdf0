// TImageFont: a TrueType font rasterised by FreeType at one pixel size into glyph images
// packed on one atlas picture, plus the engine's built-in pixel font used when no font is
// selected. Glyphs outside the preloaded Latin range are rasterised when first asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/image/image.h"
#include "engine/object.h"

namespace orvela {

enum FontStyle : int {
  FONT_SMOOTH = 4,  // filtered and mipmapped glyphs: smooth when scaled
};

struct Glyph {
  int atlas_x = 0, atlas_y = 0;      // the glyph picture on the atlas
  int width = 0, height = 0;         // 0 × 0 for blank glyphs such as the space
  float offset_x = 0, offset_y = 0;  // its top-left within the line box, from the pen
  float advance = 0;                 // pen movement after the glyph
};

class TImageFont : public TObject {
 public:
  // Loads a TrueType/OpenType file at a pixel size; null when it cannot be read.
  static std::shared_ptr<TImageFont> Load(const std::string& path, int pixel_size, int style = 0);
  // The engine's built-in font (one shared instance).
  static std::shared_ptr<TImageFont> BuiltIn();
  // A font without glyphs whose metrics are given glyph by glyph (DefineGlyph): for layout
  // code that needs exact, known measurements.
  static std::shared_ptr<TImageFont> CreateBlank(int line_height);
  // Gives a character a blank glyph (no picture) with that advance.
  void DefineGlyph(char32_t character, float advance);

  TImageFont();
  ~TImageFont() override;
  TImageFont(const TImageFont&) = delete;
  TImageFont& operator=(const TImageFont&) = delete;

  int Height() const { return height_; }  // line height in pixels
  int PixelSize() const { return pixel_size_; }
  // The glyph of a character, or null when the font has none.
  const Glyph* FindGlyph(char32_t character);

  // The atlas picture holding every glyph rasterised so far; its cache is rebuilt when
  // new glyphs were added.
  const ImageRef& Atlas() const { return atlas_; }

 private:
  struct FaceHandle;
  bool AddGlyph(char32_t character);
  bool Place(int w, int h, int* x, int* y);

  std::unique_ptr<FaceHandle> face_;
  std::unordered_map<char32_t, Glyph> glyphs_;
  std::unordered_map<char32_t, bool> missing_;
  ImageRef atlas_;
  int shelf_x_ = 0, shelf_y_ = 0, shelf_h_ = 0;
  int height_ = 0;
  int ascender_ = 0;
  int pixel_size_ = 0;

  friend std::shared_ptr<TImageFont> MakeBuiltInFont();
};

using FontRef = std::shared_ptr<TImageFont>;

}  // namespace orvela
