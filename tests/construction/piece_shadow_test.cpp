// The shadow image of a piece: one draw of it looks like the six grown silhouettes drawn one
// over another, on any table, for pieces of every shape.
#include <gtest/gtest.h>

#include <cstdlib>

#include "construction/piece_shadow.h"
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

TEST(PieceShadowTest, NoShadowForAnEmptyImage) {
  EXPECT_FALSE(MakePieceShadow(TImage{}));
}

}  // namespace
}  // namespace orvela
