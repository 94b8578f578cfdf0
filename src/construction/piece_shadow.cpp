// MakePieceShadow (see piece_shadow.h). The six silhouettes are drawn by the software
// renderer onto white, exactly as they were once drawn onto the table every frame; how far
// each pixel went dark is the shadow's alpha there.
#include "construction/piece_shadow.h"

#include "engine/render/software_renderer.h"

namespace orvela {

namespace {

constexpr float kLayerAlpha = 0.07f;

}  // namespace

ImageRef MakePieceShadow(const TImage& piece) {
  if (piece.Empty() || piece.pixmaps.empty() || !piece.pixmaps[0]) return nullptr;
  const PixmapRef bgra = piece.pixmaps[0]->Convert(PF_BGRA8888);
  const int w = bgra->width, h = bgra->height;
  if (w <= 0 || h <= 0) return nullptr;
  SoftwareRenderer canvas(w + kShadowGrowth, h + kShadowGrowth);
  QuadDraw white;
  white.src_w = static_cast<float>(w + kShadowGrowth);
  white.src_h = static_cast<float>(h + kShadowGrowth);
  white.blend = 2;
  canvas.DrawQuad(white);
  const std::unique_ptr<Texture> texture = canvas.CreateTexture(bgra, false);
  for (int d = -2; d <= kShadowGrowth; ++d) {
    QuadDraw layer;
    layer.texture = texture.get();
    layer.src_w = static_cast<float>(w);
    layer.src_h = static_cast<float>(h);
    layer.ax = static_cast<float>(w + d) / static_cast<float>(w);
    layer.by = static_cast<float>(h + d) / static_cast<float>(h);
    layer.r = layer.g = layer.b = 0;
    layer.alpha = kLayerAlpha;
    layer.blend = 3;
    canvas.DrawQuad(layer);
  }
  auto shadow = TPixmap::Create(w + kShadowGrowth, h + kShadowGrowth, PF_BGRA8888, 4);
  for (int y = 0; y < shadow->height; ++y) {
    const uint32_t* lit = canvas.Canvas().Row32(y);
    uint32_t* out = shadow->Row32(y);
    for (int x = 0; x < shadow->width; ++x) out[x] = (255u - (lit[x] & 255u)) << 24;
  }
  return TImage::Load(shadow, 0);
}

}  // namespace orvela
