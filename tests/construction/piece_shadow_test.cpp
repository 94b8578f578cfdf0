// The shadow image of a piece: one draw of it looks like the six grown silhouettes drawn one
// over another, on any table, for pieces of every shape.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "construction/cutter.h"
#include "construction/picture_sets.h"
#include "construction/piece_shadow.h"
#include "construction/shape_grid.h"
#include "engine/random.h"
#include "engine/render/software_renderer.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::SolidPixmap;

// A piece-like picture: opaque inside a rounded blob, the rim at alpha 0xEE, clear outside.
PixmapRef Blob(int w, int h) {
  auto blob = TPixmap::Create(w, h, PF_BGRA8888, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const float dx = (x + 0.5f - w / 2.0f) / (w / 2.0f), dy = (y + 0.5f - h / 2.0f) / (h / 2.0f);
      const float d = dx * dx + dy * dy;
      blob->Row32(y)[x] = d < 0.8f ? 0xFF40A060u : d < 1.0f ? 0xEE70C090u : 0;
    }
  }
  return blob;
}

TEST(PieceShadowTest, OneDrawMatchesTheSixLayersWithinRounding) {
  struct Case {
    const char* name;
    PixmapRef piece;
    uint32_t table;
  };
  const Case cases[] = {
      {"square on white", SolidPixmap(40, 30, 0xFFFFFFFFu), 0xFFFFFFFFu},
      {"blob on wood", Blob(57, 43), 0xFF8A5A2Eu},
      {"narrow blob on grey", Blob(9, 31), 0xFF808080u},
      {"blob on black", Blob(33, 33), 0xFF000000u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto image = TImage::Load(c.piece, IMG_MASKED);
    const ImageRef shadow = MakePieceShadow(*image);
    ASSERT_TRUE(shadow);
    EXPECT_EQ(shadow->width, c.piece->width + kShadowGrowth);
    EXPECT_EQ(shadow->height, c.piece->height + kShadowGrowth);

    const int w = c.piece->width, h = c.piece->height;
    SoftwareRenderer layers(w + 20, h + 20), single(w + 20, h + 20);
    for (SoftwareRenderer* r : {&layers, &single}) {
      QuadDraw table;
      table.src_w = static_cast<float>(w + 20), table.src_h = static_cast<float>(h + 20);
      table.r = (c.table >> 16) & 255, table.g = (c.table >> 8) & 255, table.b = c.table & 255;
      table.blend = SOLIDBLEND;
      r->DrawQuad(table);
    }
    const auto piece_texture = layers.CreateTexture(c.piece, false);
    for (int d = -2; d <= 3; ++d) {  // the way the shadow was drawn before it had an image
      QuadDraw q;
      q.texture = piece_texture.get();
      q.src_w = static_cast<float>(w), q.src_h = static_cast<float>(h);
      q.x = q.y = 7;
      q.ax = static_cast<float>(w + d) / w, q.by = static_cast<float>(h + d) / h;
      q.r = q.g = q.b = 0;
      q.alpha = 0.07f;
      q.blend = ALPHABLEND;
      layers.DrawQuad(q);
    }
    const auto shadow_texture = single.CreateTexture(shadow->pixmaps[0], false);
    QuadDraw q;
    q.texture = shadow_texture.get();
    q.src_w = static_cast<float>(shadow->width), q.src_h = static_cast<float>(shadow->height);
    q.x = q.y = 7;
    q.r = q.g = q.b = 0;
    q.blend = ALPHABLEND;
    single.DrawQuad(q);

    int worst = 0;
    for (int y = 0; y < h + 20; ++y) {
      for (int x = 0; x < w + 20; ++x) {
        const uint32_t a = layers.Canvas().Row32(y)[x], b = single.Canvas().Row32(y)[x];
        for (int shift : {0, 8, 16}) {
          worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 255) -
                                           static_cast<int>((b >> shift) & 255)));
        }
      }
    }
    EXPECT_LE(worst, 3);  // six roundings against one
  }
}

// The shadow as it was first made: the six silhouettes drawn by the software renderer onto a
// white canvas, the shadow's alpha how far each pixel went dark.
PixmapRef DrawnShadow(const PixmapRef& piece) {
  const int w = piece->width, h = piece->height;
  SoftwareRenderer canvas(w + kShadowGrowth, h + kShadowGrowth);
  QuadDraw white;
  white.src_w = static_cast<float>(w + kShadowGrowth);
  white.src_h = static_cast<float>(h + kShadowGrowth);
  white.blend = SOLIDBLEND;
  canvas.DrawQuad(white);
  const auto texture = canvas.CreateTexture(piece, false);
  for (int d = -2; d <= kShadowGrowth; ++d) {
    QuadDraw layer;
    layer.texture = texture.get();
    layer.src_w = static_cast<float>(w), layer.src_h = static_cast<float>(h);
    layer.ax = static_cast<float>(w + d) / w, layer.by = static_cast<float>(h + d) / h;
    layer.r = layer.g = layer.b = 0;
    layer.alpha = 0.07f;
    layer.blend = ALPHABLEND;
    canvas.DrawQuad(layer);
  }
  auto shadow = TPixmap::Create(w + kShadowGrowth, h + kShadowGrowth, PF_BGRA8888, 4);
  for (int y = 0; y < shadow->height; ++y) {
    for (int x = 0; x < shadow->width; ++x) {
      shadow->Row32(y)[x] = (255u - (canvas.Canvas().Row32(y)[x] & 255u)) << 24;
    }
  }
  return shadow;
}

// Where the two differ, as text; empty when they are the same.
std::string FirstDifference(const TPixmap& got, const TPixmap& want) {
  if (got.width != want.width || got.height != want.height) return "sizes differ";
  for (int y = 0; y < want.height; ++y) {
    for (int x = 0; x < want.width; ++x) {
      if (got.ReadPixel(x, y) != want.ReadPixel(x, y)) {
        return std::to_string(x) + "," + std::to_string(y) + ": " +
               std::to_string(got.ReadPixel(x, y) >> 24) + " against " +
               std::to_string(want.ReadPixel(x, y) >> 24);
      }
    }
  }
  return "";
}

using PieceShadowExactTest = testing::HeadlessTest;  // a real cut needs the engine

TEST_F(PieceShadowExactTest, IsTheSixLayersExactlyAsTheRendererDrawsThem) {
  // Shapes with rims, tiny images whose smallest silhouettes shrink to nothing or turn round,
  // every alpha in turn, and the pieces of a real cut.
  std::vector<PixmapRef> pieces = {SolidPixmap(40, 30, 0xFFFFFFFFu),
                                   Blob(57, 43),
                                   Blob(9, 31),
                                   SolidPixmap(1, 1, 0xFF000000u),
                                   SolidPixmap(2, 2, 0xEE102030u),
                                   SolidPixmap(1, 6, 0xFF808080u),
                                   Blob(3, 2)};
  auto ramp = TPixmap::Create(37, 23, PF_BGRA8888, 4);
  for (int y = 0; y < ramp->height; ++y) {
    for (int x = 0; x < ramp->width; ++x) ramp->Row32(y)[x] = ((x * 7 + y * 11) % 256u) << 24;
  }
  pieces.push_back(ramp);
  SeedRandom(5);
  const PictureSet& set = kPictureSets[3];
  TKreatorKlockow grid;
  grid.KSZTALT = set.ksztalt;
  grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows), 640, 480, 0, 0);
  TRozcinacz cutter;
  ASSERT_TRUE(cutter.setup(set.url, grid.drawOn(640, 480), grid.drawOn(640, 480)));
  cutter.potnij(640, 480, 0, 0, 0);
  for (const auto& piece : cutter.listaPomocnicza) pieces.push_back(piece->img->pixmaps[0]);
  for (size_t k = 0; k < pieces.size(); ++k) {
    const ImageRef shadow = MakePieceShadow(*TImage::Load(pieces[k], IMG_MASKED));
    ASSERT_TRUE(shadow);
    EXPECT_EQ(FirstDifference(*shadow->pixmaps[0], *DrawnShadow(pieces[k])), "") << "piece " << k;
  }
}

TEST(PieceShadowTest, NoShadowForAnEmptyImage) {
  EXPECT_FALSE(MakePieceShadow(TImage{}));
}

}  // namespace
}  // namespace orvela
