// The offscreen rasteriser. A quad covers the canvas pixels whose centres map inside its texel
// rectangle; texels are sampled at the mapped point (nearest, or bilinear between the four
// nearest texel centres, clamped to the rectangle) and blended by the blend table:
//   1 masked: written solid when texel alpha · alpha >= 0.5     2 solid: replaces
//   3 alpha: s·a + d·(1 − a)     4 light: s·a + d     5 shade: s·d     other: as 2
// where s is the texel times the colour and a the texel alpha times the current alpha.
#include "engine/render/software_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvela {

namespace {

struct SoftwareTexture : Texture {
  PixmapRef pixels;
  bool filtered = false;
  uint64_t target_of = 0;  // the serial of the renderer it is a target of; 0 for images
};

constexpr uint32_t kLow = 0x00FF00FFu;  // red and blue lanes of a pixel

// Both lanes (red and blue, or alpha and green) of lane-packed products divided by 255.
inline uint32_t Div255Lanes(uint32_t x) {
  x += 0x00800080u;
  return ((x + ((x >> 8) & kLow)) >> 8) & kLow;
}

struct Blender {
  uint32_t tr, tg, tb;  // colour, 0..255
  bool white;           // colour is (255, 255, 255)
  uint32_t alpha255;    // current alpha, 0..255
  uint32_t threshold;   // mode 1: texel alpha needed to pass (256 = never)
  int mode;
};

inline uint32_t Tinted(const Blender& bl, uint32_t texel) {
  if (bl.white) return texel & 0xFFFFFFu;
  const uint32_t r = Div255(((texel >> 16) & 255) * bl.tr);
  const uint32_t g = Div255(((texel >> 8) & 255) * bl.tg);
  const uint32_t b = Div255((texel & 255) * bl.tb);
  return (r << 16) | (g << 8) | b;
}

template <int kMode>
inline void BlendPixel(const Blender& bl, uint32_t texel, uint32_t& dst) {
  if constexpr (kMode == 1) {
    if ((texel >> 24) >= bl.threshold) dst = 0xFF000000u | Tinted(bl, texel);
  } else if constexpr (kMode == 3) {
    const uint32_t a = Div255((texel >> 24) * bl.alpha255);
    if (a == 0) return;
    const uint32_t s = Tinted(bl, texel);
    if (a == 255) {
      dst = 0xFF000000u | s;
      return;
    }
    const uint32_t na = 255 - a;
    const uint32_t rb = Div255Lanes((s & kLow) * a + (dst & kLow) * na);
    const uint32_t g = Div255Lanes(((s >> 8) & 255) * a + ((dst >> 8) & 255) * na);
    dst = 0xFF000000u | rb | (g << 8);
  } else if constexpr (kMode == 4) {
    const uint32_t a = Div255((texel >> 24) * bl.alpha255);
    if (a == 0) return;
    const uint32_t s = Tinted(bl, texel);
    const uint32_t r = std::min(255u, ((dst >> 16) & 255) + Div255(((s >> 16) & 255) * a));
    const uint32_t g = std::min(255u, ((dst >> 8) & 255) + Div255(((s >> 8) & 255) * a));
    const uint32_t b = std::min(255u, (dst & 255) + Div255((s & 255) * a));
    dst = 0xFF000000u | (r << 16) | (g << 8) | b;
  } else if constexpr (kMode == 5) {
    const uint32_t s = Tinted(bl, texel);
    const uint32_t r = Div255(((s >> 16) & 255) * ((dst >> 16) & 255));
    const uint32_t g = Div255(((s >> 8) & 255) * ((dst >> 8) & 255));
    const uint32_t b = Div255((s & 255) * (dst & 255));
    dst = 0xFF000000u | (r << 16) | (g << 8) | b;
  } else {
    dst = 0xFF000000u | Tinted(bl, texel);
  }
}

Blender MakeBlender(uint8_t r, uint8_t g, uint8_t b, float alpha, int blend) {
  Blender bl;
  bl.tr = r, bl.tg = g, bl.tb = b;
  bl.white = r == 255 && g == 255 && b == 255;
  bl.alpha255 = AlphaByte(alpha);
  bl.threshold = MaskThreshold(alpha);
  bl.mode = (blend >= 1 && blend <= 5) ? blend : 2;
  return bl;
}

// The texel rectangle a quad samples from, in whole texels.
struct SampleArea {
  const TPixmap* pixels = nullptr;     // null: solid white
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive bounds
};

// The four texels around a sampling point (clamped to the area) and the point's weights.
struct Neighbourhood {
  uint32_t p00, p10, p01, p11;
  uint32_t wx, wy;  // 0..255 towards the right and lower texels
};

inline Neighbourhood FourTexels(const SampleArea& area, int32_t fu, int32_t fv) {
  fu -= 32768, fv -= 32768;  // sample between the four nearest texel centres
  const int tx = fu >> 16, ty = fv >> 16;
  const int tx0 = std::clamp(tx, area.x0, area.x1), tx1 = std::clamp(tx + 1, area.x0, area.x1);
  const uint32_t* row0 = area.pixels->Row32(std::clamp(ty, area.y0, area.y1));
  const uint32_t* row1 = area.pixels->Row32(std::clamp(ty + 1, area.y0, area.y1));
  return {row0[tx0],
          row0[tx1],
          row1[tx0],
          row1[tx1],
          (static_cast<uint32_t>(fu) >> 8) & 255,
          (static_cast<uint32_t>(fv) >> 8) & 255};
}

inline uint32_t Bilinear(const SampleArea& area, int32_t fu, int32_t fv) {
  const auto [p00, p10, p01, p11, wx, wy] = FourTexels(area, fu, fv);
  if ((wx | wy) == 0) return p00;
  const uint32_t w00 = ((256 - wx) * (256 - wy)) >> 8;
  const uint32_t w10 = (wx * (256 - wy)) >> 8;
  const uint32_t w01 = ((256 - wx) * wy) >> 8;
  const uint32_t w11 = 256 - w00 - w10 - w01;
  const uint32_t rb =
      (p00 & kLow) * w00 + (p10 & kLow) * w10 + (p01 & kLow) * w01 + (p11 & kLow) * w11;
  const uint32_t ag = ((p00 >> 8) & kLow) * w00 + ((p10 >> 8) & kLow) * w10 +
                      ((p01 >> 8) & kLow) * w01 + ((p11 >> 8) & kLow) * w11;
  return ((rb >> 8) & kLow) | (ag & ~kLow);
}

inline uint32_t Nearest(const SampleArea& area, int32_t fu, int32_t fv) {
  const int tx = std::clamp(fu >> 16, area.x0, area.x1);
  const int ty = std::clamp(fv >> 16, area.y0, area.y1);
  return area.pixels->Row32(ty)[tx];
}

template <int kMode, int kSample>  // kSample: 0 solid, 1 nearest, 2 bilinear
void Span(const Blender& bl, const SampleArea& area, uint32_t* dst, int count, int32_t fu,
          int32_t fv, int32_t du, int32_t dv) {
  for (int i = 0; i < count; ++i, fu += du, fv += dv) {
    uint32_t texel;
    if constexpr (kSample == 0) {
      texel = 0xFFFFFFFFu;
    } else if constexpr (kSample == 1) {
      texel = Nearest(area, fu, fv);
    } else {
      texel = Bilinear(area, fu, fv);
    }
    BlendPixel<kMode>(bl, texel, dst[i]);
  }
}

// Alpha blending in black (the pieces' shadows, the game's most frequent draw): only the
// texel alpha matters, and the destination is darkened by it.
inline uint32_t BilinearAlpha(const SampleArea& area, int32_t fu, int32_t fv) {
  const auto [p00, p10, p01, p11, wx, wy] = FourTexels(area, fu, fv);
  const uint32_t top = (p00 >> 24) * (256 - wx) + (p10 >> 24) * wx;
  const uint32_t bottom = (p01 >> 24) * (256 - wx) + (p11 >> 24) * wx;
  return (top * (256 - wy) + bottom * wy) >> 16;
}

template <int kSample>
void DarkenSpan(const Blender& bl, const SampleArea& area, uint32_t* dst, int count, int32_t fu,
                int32_t fv, int32_t du, int32_t dv) {
  auto darken = [&](int i, uint32_t texel_alpha) {
    const uint32_t a = Div255(texel_alpha * bl.alpha255);
    if (a == 0) return;
    const uint32_t na = 255 - a, d = dst[i];
    dst[i] = 0xFF000000u | Div255Lanes((d & kLow) * na) | (Div255Lanes(((d >> 8) & 255) * na) << 8);
  };
  if (kSample == 2 && dv == 0) {
    // Unrotated: the two texel rows and their weight are the same along the whole span.
    const int32_t gv = fv - 32768;
    const uint32_t wy = (static_cast<uint32_t>(gv) >> 8) & 255;
    const uint32_t* row0 = area.pixels->Row32(std::clamp(gv >> 16, area.y0, area.y1));
    const uint32_t* row1 = area.pixels->Row32(std::clamp((gv >> 16) + 1, area.y0, area.y1));
    for (int i = 0; i < count; ++i, fu += du) {
      const int32_t gu = fu - 32768;
      const uint32_t wx = (static_cast<uint32_t>(gu) >> 8) & 255;
      const int tx0 = std::clamp(gu >> 16, area.x0, area.x1);
      const int tx1 = std::clamp((gu >> 16) + 1, area.x0, area.x1);
      const uint32_t top = (row0[tx0] >> 24) * (256 - wx) + (row0[tx1] >> 24) * wx;
      const uint32_t bottom = (row1[tx0] >> 24) * (256 - wx) + (row1[tx1] >> 24) * wx;
      darken(i, (top * (256 - wy) + bottom * wy) >> 16);
    }
    return;
  }
  for (int i = 0; i < count; ++i, fu += du, fv += dv) {
    darken(i, kSample == 1 ? Nearest(area, fu, fv) >> 24 : BilinearAlpha(area, fu, fv));
  }
}

using SpanFn = void (*)(const Blender&, const SampleArea&, uint32_t*, int, int32_t, int32_t,
                        int32_t, int32_t);

template <int kMode>
SpanFn PickSample(int sample) {
  switch (sample) {
    case 0:
      return &Span<kMode, 0>;
    case 1:
      return &Span<kMode, 1>;
    default:
      return &Span<kMode, 2>;
  }
}

SpanFn PickSpan(const Blender& bl, int sample) {
  if (bl.mode == 3 && sample > 0 && bl.tr == 0 && bl.tg == 0 && bl.tb == 0) {
    return sample == 1 ? &DarkenSpan<1> : &DarkenSpan<2>;
  }
  switch (bl.mode) {
    case 1:
      return PickSample<1>(sample);
    case 3:
      return PickSample<3>(sample);
    case 4:
      return PickSample<4>(sample);
    case 5:
      return PickSample<5>(sample);
    default:
      return PickSample<2>(sample);
  }
}

}  // namespace

SoftwareRenderer::SoftwareRenderer(int width, int height) {
  Resize(width, height);
}

void SoftwareRenderer::Resize(int width, int height) {
  canvas_ = TPixmap::Create(std::max(1, width), std::max(1, height), PF_BGRA8888, 4);
  dest_ = canvas_;
  Clear();
}

std::unique_ptr<Texture> SoftwareRenderer::CreateTexture(const PixmapRef& bgra, bool filtered) {
  auto texture = std::make_unique<SoftwareTexture>();
  texture->pixels = bgra->format == PF_BGRA8888 ? bgra : bgra->Convert(PF_BGRA8888);
  texture->width = texture->pixels->width;
  texture->height = texture->pixels->height;
  texture->filtered = filtered;
  return texture;
}

void SoftwareRenderer::Clear() {
  dest_->ClearPixels(0xFF000000u);
}

std::unique_ptr<Texture> SoftwareRenderer::CreateTarget(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  auto texture = std::make_unique<SoftwareTexture>();
  texture->pixels = TPixmap::Create(width, height, PF_BGRA8888, 4);
  texture->pixels->ClearPixels(0xFF000000u);
  texture->width = width;
  texture->height = height;
  texture->target_of = Serial();
  return texture;
}

bool SoftwareRenderer::SetTarget(Texture* target) {
  if (!target) {
    dest_ = canvas_;
    return true;
  }
  auto* texture = static_cast<SoftwareTexture*>(target);
  if (texture->target_of != Serial()) return false;
  dest_ = texture->pixels;
  return true;
}

void SoftwareRenderer::DrawQuad(const QuadDraw& q) {
  const Blender bl = MakeBlender(q.r, q.g, q.b, q.alpha, q.blend);
  if (bl.mode == 1 && bl.threshold > 255) return;
  if ((bl.mode == 3 || bl.mode == 4) && bl.alpha255 == 0) return;

  SampleArea area;
  int sample = 0;
  if (q.texture) {
    const auto* texture = static_cast<const SoftwareTexture*>(q.texture);
    area.pixels = texture->pixels.get();
    area.x0 = std::clamp(static_cast<int>(std::floor(q.src_x)), 0, texture->width - 1);
    area.y0 = std::clamp(static_cast<int>(std::floor(q.src_y)), 0, texture->height - 1);
    area.x1 =
        std::clamp(static_cast<int>(std::ceil(q.src_x + q.src_w)) - 1, area.x0, texture->width - 1);
    area.y1 = std::clamp(static_cast<int>(std::ceil(q.src_y + q.src_h)) - 1, area.y0,
                         texture->height - 1);
    sample = texture->filtered ? 2 : 1;
  }
  const SpanFn span = PickSpan(bl, sample);
  ForEachQuadSpan(q, dest_->width, dest_->height, [&](const QuadSpan& s) {
    span(bl, area, dest_->Row32(s.y) + s.first, s.count, s.fu, s.fv, s.du, s.dv);
  });
}

void SoftwareRenderer::DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g,
                                  uint8_t b, float alpha, int blend) {
  const Blender bl = MakeBlender(r, g, b, alpha, blend);
  const SpanFn span = PickSpan(bl, 0);
  const SampleArea area;
  for (const PixelPoint& p : points) {
    if (p.x < 0 || p.y < 0 || p.x >= dest_->width || p.y >= dest_->height) continue;
    span(bl, area, dest_->Row32(p.y) + p.x, 1, 0, 0, 0, 0);
  }
}

void SoftwareRenderer::DrawPixmap(const TPixmap& pixmap, int x, int y) {
  auto opaque = pixmap.Convert(PF_BGRA8888);
  for (int row = 0; row < opaque->height; ++row) {
    uint32_t* p = opaque->Row32(row);
    for (int col = 0; col < opaque->width; ++col) p[col] |= 0xFF000000u;
  }
  dest_->Paste(*opaque, x, y);
}

PixmapRef SoftwareRenderer::ReadPixels(int x, int y, int w, int h) {
  auto out = TPixmap::Create(w, h, PF_BGRA8888, 4);
  out->Paste(*dest_->Window(x, y, w, h), std::max(0, -x), std::max(0, -y));
  return out;
}

std::unique_ptr<Texture> NullRenderer::CreateTexture(const PixmapRef& bgra, bool) {
  auto texture = std::make_unique<Texture>();
  texture->width = bgra->width;
  texture->height = bgra->height;
  return texture;
}

PixmapRef NullRenderer::ReadPixels(int, int, int w, int h) {
  return TPixmap::Create(w, h, PF_BGRA8888, 4);
}

}  // namespace orvela
