// Backend textures of image frames.
#include "engine/render/texture_cache.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvela {

void BleedTransparentEdges(TPixmap& bgra) {
  if (bgra.Empty() || bgra.format != PF_BGRA8888) return;
  const int w = bgra.width, h = bgra.height;
  // known: pixels whose colour may be sampled (visible ones, then those filled so far).
  std::vector<uint8_t> known(static_cast<size_t>(w) * h);
  bool any_hidden = false;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = bgra.Row32(y);
    for (int x = 0; x < w; ++x) {
      known[static_cast<size_t>(y) * w + x] = (row[x] >> 24) != 0;
      any_hidden = any_hidden || (row[x] >> 24) == 0;
    }
  }
  if (!any_hidden) return;
  // Two passes reach two pixels out from every visible pixel, enough for bilinear sampling
  // of the level itself and of its first reduced copy.
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < h; ++y) {
      uint32_t* row = bgra.Row32(y);
      for (int x = 0; x < w; ++x) {
        if (known[static_cast<size_t>(y) * w + x]) continue;
        int sum_r = 0, sum_g = 0, sum_b = 0, n = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          const int yy = y + dy;
          if (yy < 0 || yy >= h) continue;
          const uint32_t* srow = bgra.Row32(yy);
          for (int dx = -1; dx <= 1; ++dx) {
            const int xx = x + dx;
            if (xx < 0 || xx >= w || !known[static_cast<size_t>(yy) * w + xx]) continue;
            const uint32_t p = srow[xx];
            sum_r += (p >> 16) & 255, sum_g += (p >> 8) & 255, sum_b += p & 255, ++n;
          }
        }
        if (n > 0) {
          row[x] = (row[x] & 0xFF000000u) | (static_cast<uint32_t>(sum_r / n) << 16) |
                   (static_cast<uint32_t>(sum_g / n) << 8) | static_cast<uint32_t>(sum_b / n);
          next[static_cast<size_t>(y) * w + x] = 1;
        }
      }
    }
    known.swap(next);
  }
}

PixmapRef HalveBgra(const TPixmap& src) {
  const int w = std::max(1, src.width / 2), h = std::max(1, src.height / 2);
  auto half = TPixmap::Create(w, h, PF_BGRA8888, 4);
  for (int y = 0; y < h; ++y) {
    uint32_t* out = half->Row32(y);
    for (int x = 0; x < w; ++x) {
      uint32_t sa = 0, sr = 0, sg = 0, sb = 0, cr = 0, cg = 0, cb = 0;
      int n = 0;
      for (int dy = 0; dy < 2; ++dy) {
        const int yy = std::min(src.height - 1, y * 2 + dy);
        for (int dx = 0; dx < 2; ++dx) {
          const int xx = std::min(src.width - 1, x * 2 + dx);
          const uint32_t p = src.Row32(yy)[xx];
          const uint32_t a = p >> 24;
          sa += a;
          sr += ((p >> 16) & 255) * a, sg += ((p >> 8) & 255) * a, sb += (p & 255) * a;
          cr += (p >> 16) & 255, cg += (p >> 8) & 255, cb += p & 255;
          ++n;
        }
      }
      uint32_t r, g, b;
      if (sa > 0) {
        r = (sr + sa / 2) / sa, g = (sg + sa / 2) / sa, b = (sb + sa / 2) / sa;
      } else {
        r = cr / n, g = cg / n, b = cb / n;
      }
      out[x] = ((sa / n) << 24) | (r << 16) | (g << 8) | b;
    }
  }
  return half;
}

namespace {

void BuildFrame(TImage& image, int frame, Renderer& renderer) {
  ImageFrameCache& cache = image.frames[frame];
  cache.levels.clear();
  const PixmapRef& source = image.pixmaps[frame];
  if (!source || source->Empty()) return;
  const bool filtered = (image.flags & IMG_FILTERED) != 0;
  PixmapRef level = source->Convert(PF_BGRA8888);  // a private copy: later edits don't leak
  if (filtered) BleedTransparentEdges(*level);
  cache.levels.push_back(renderer.CreateTexture(level, filtered));
  if ((image.flags & IMG_MIPMAPPED) != 0) {
    while (level->width > 1 || level->height > 1) {
      level = HalveBgra(*level);
      cache.levels.push_back(renderer.CreateTexture(level, filtered));
    }
  }
  cache.renderer_id = renderer.Serial();
}

}  // namespace

TextureChoice FrameTexture(TImage& image, int frame, Renderer& renderer, float scale) {
  TextureChoice choice;
  if (frame < 0 || frame >= image.FrameCount() || image.Empty()) return choice;
  if (image.frames.size() != image.pixmaps.size()) image.frames.resize(image.pixmaps.size());
  ImageFrameCache& cache = image.frames[frame];
  if (cache.renderer_id != renderer.Serial() || cache.levels.empty()) {
    BuildFrame(image, frame, renderer);
  }
  if (cache.levels.empty()) return choice;
  size_t level = 0;
  if (cache.levels.size() > 1 && scale > 0 && scale < 1) {
    level = static_cast<size_t>(std::floor(std::log2(1.0f / scale)));
    level = std::min(level, cache.levels.size() - 1);
  }
  const Texture* texture = cache.levels[level].get();
  const Texture* base = cache.levels[0].get();
  choice.texture = texture;
  choice.factor_x = static_cast<float>(base->width) / static_cast<float>(texture->width);
  choice.factor_y = static_cast<float>(base->height) / static_cast<float>(texture->height);
  return choice;
}

void InvalidateFrame(TImage& image, int frame) {
  if (frame < 0 || frame >= static_cast<int>(image.frames.size())) return;
  image.frames[frame].renderer_id = 0;
}

}  // namespace orvela
