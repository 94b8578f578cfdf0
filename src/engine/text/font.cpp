// TImageFont: FreeType rasterisation onto a glyph atlas, and the built-in pixel font.
#include "engine/text/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/files/files.h"
#include "engine/loading.h"
#include "engine/render/texture_cache.h"
#include "engine/text/builtin_font.h"

namespace orvela {

namespace {

constexpr int kAtlasWidth = 512;
constexpr int kAtlasMaxHeight = 4096;
constexpr int kPadding = 4;  // empty pixels around glyphs, kept clear for filtering

// One FreeType library for the whole program, kept alive by every face that uses it.
struct Library {
  FT_Library handle = nullptr;
  Library() {
    if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
  }
  ~Library() {
    if (handle) FT_Done_FreeType(handle);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

std::shared_ptr<Library> SharedLibrary() {
  static std::weak_ptr<Library> shared;
  auto library = shared.lock();
  if (!library) {
    library = std::make_shared<Library>();
    shared = library;
  }
  return library;
}

ImageRef NewAtlas(int height, bool smooth) {
  auto pixmap = TPixmap::Create(kAtlasWidth, height, PF_BGRA8888, 4);
  pixmap->ClearPixels(0x00FFFFFFu);  // transparent white: filtered edges stay white
  ImageRef atlas = TImage::Load(pixmap, smooth ? (IMG_FILTERED | IMG_MIPMAPPED) : 0);
  return atlas;
}

}  // namespace

struct TImageFont::FaceHandle {
  std::shared_ptr<Library> library;
  std::vector<uint8_t> file;  // FreeType reads the face from this memory
  FT_Face face = nullptr;
  ~FaceHandle() {
    if (face) FT_Done_Face(face);
  }
};

TImageFont::TImageFont() = default;
TImageFont::~TImageFont() = default;

FontRef TImageFont::Load(const std::string& path, int pixel_size, int style) {
  if (pixel_size <= 0 || pixel_size > 512) return nullptr;
  auto handle = std::make_unique<FaceHandle>();
  handle->library = SharedLibrary();
  if (!handle->library->handle || !ReadFileBytes(path, handle->file) || handle->file.empty()) {
    NoteFailedLoad(path);
    return nullptr;
  }
  if (FT_New_Memory_Face(handle->library->handle, handle->file.data(),
                         static_cast<FT_Long>(handle->file.size()), 0, &handle->face) != 0) {
    handle->face = nullptr;
    NoteFailedLoad(path);
    return nullptr;
  }
  if (FT_Set_Pixel_Sizes(handle->face, 0, static_cast<FT_UInt>(pixel_size)) != 0) {
    NoteFailedLoad(path);
    return nullptr;
  }
  auto font = std::make_shared<TImageFont>();
  const FT_Size_Metrics& metrics = handle->face->size->metrics;
  font->ascender_ = static_cast<int>((metrics.ascender + 32) >> 6);
  font->height_ = static_cast<int>((metrics.ascender - metrics.descender + 63) >> 6);
  font->pixel_size_ = pixel_size;
  font->face_ = std::move(handle);
  font->atlas_ = NewAtlas(256, (style & FONT_SMOOTH) != 0);
  for (char32_t c = 32; c < 127; ++c) font->FindGlyph(c);
  return font;
}

FontRef MakeBuiltInFont() {
  auto font = std::make_shared<TImageFont>();
  font->height_ = kBuiltInLineHeight;
  font->ascender_ = kBuiltInGlyphRows;
  font->pixel_size_ = kBuiltInLineHeight;
  font->atlas_ = NewAtlas(128, false);
  TPixmap& atlas = *font->atlas_->pixmaps[0];
  for (char32_t c = 32; c < 127; ++c) {
    const uint8_t* rows = BuiltInGlyphRows(c);
    Glyph glyph;
    glyph.advance = kBuiltInAdvance;
    glyph.offset_y = 1;
    if (c != ' ' &&
        font->Place(kBuiltInGlyphWidth, kBuiltInGlyphRows, &glyph.atlas_x, &glyph.atlas_y)) {
      glyph.width = kBuiltInGlyphWidth;
      glyph.height = kBuiltInGlyphRows;
      for (int y = 0; y < kBuiltInGlyphRows; ++y) {
        for (int x = 0; x < kBuiltInGlyphWidth; ++x) {
          const bool ink = (rows[y] >> (kBuiltInGlyphWidth - 1 - x)) & 1;
          atlas.WritePixel(glyph.atlas_x + x, glyph.atlas_y + y, ink ? 0xFFFFFFFFu : 0x00FFFFFFu);
        }
      }
    }
    font->glyphs_[c] = glyph;
  }
  return font;
}

FontRef TImageFont::CreateBlank(int line_height) {
  auto font = std::make_shared<TImageFont>();
  font->height_ = line_height;
  font->ascender_ = line_height;
  font->pixel_size_ = line_height;
  font->atlas_ = NewAtlas(16, false);
  return font;
}

void TImageFont::DefineGlyph(char32_t character, float advance) {
  Glyph glyph;
  glyph.advance = advance;
  glyphs_[character] = glyph;
  missing_.erase(character);
}

FontRef TImageFont::BuiltIn() {
  static const FontRef font = MakeBuiltInFont();
  return font;
}

bool TImageFont::Place(int w, int h, int* x, int* y) {
  const int need_w = w + kPadding, need_h = h + kPadding;
  if (need_w > kAtlasWidth) return false;
  if (shelf_x_ + need_w > kAtlasWidth) {
    shelf_y_ += shelf_h_;
    shelf_x_ = 0;
    shelf_h_ = 0;
  }
  TPixmap& current = *atlas_->pixmaps[0];
  if (shelf_y_ + need_h > current.height) {
    int height = current.height;
    while (shelf_y_ + need_h > height) height *= 2;
    if (height > kAtlasMaxHeight) return false;
    auto grown = TPixmap::Create(kAtlasWidth, height, PF_BGRA8888, 4);
    grown->ClearPixels(0x00FFFFFFu);
    grown->Paste(current, 0, 0);
    atlas_->pixmaps[0] = grown;
    atlas_->height = height;
  }
  *x = shelf_x_ + kPadding / 2;
  *y = shelf_y_ + kPadding / 2;
  shelf_x_ += need_w;
  shelf_h_ = std::max(shelf_h_, need_h);
  InvalidateFrame(*atlas_, 0);
  return true;
}

bool TImageFont::AddGlyph(char32_t character) {
  if (!face_ || !face_->face) return false;
  FT_Face face = face_->face;
  const FT_UInt index = FT_Get_Char_Index(face, character);
  if (index == 0) return false;
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  Glyph glyph;
  glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
  glyph.offset_x = static_cast<float>(slot->bitmap_left);
  glyph.offset_y = static_cast<float>(ascender_ - slot->bitmap_top);
  const int w = static_cast<int>(bitmap.width), h = static_cast<int>(bitmap.rows);
  if (w > 0 && h > 0 && Place(w, h, &glyph.atlas_x, &glyph.atlas_y)) {
    glyph.width = w;
    glyph.height = h;
    TPixmap& atlas = *atlas_->pixmaps[0];
    for (int y = 0; y < h; ++y) {
      const uint8_t* src = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      uint32_t* dst = atlas.Row32(glyph.atlas_y + y) + glyph.atlas_x;
      for (int x = 0; x < w; ++x) {
        uint32_t coverage;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
          coverage = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
        } else {
          coverage = src[x];
        }
        dst[x] = (coverage << 24) | 0xFFFFFFu;
      }
    }
  }
  glyphs_[character] = glyph;
  return true;
}

const Glyph* TImageFont::FindGlyph(char32_t character) {
  if (auto it = glyphs_.find(character); it != glyphs_.end()) return &it->second;
  if (missing_.count(character) != 0) return nullptr;
  if (!AddGlyph(character)) {
    missing_[character] = true;
    return nullptr;
  }
  return &glyphs_[character];
}

}  // namespace orvela
