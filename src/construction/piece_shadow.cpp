// MakePieceShadow (see piece_shadow.h). The six silhouettes darken a white canvas exactly as
// the software renderer once drew them onto the table every frame: the same covered spans, the
// same nearest texels, the same rounding; how far each pixel went dark is the shadow's alpha
// there. Rows of the piece are taken as runs of equal alpha, and a span of a silhouette that is
// not turned or mirrored darkens whole runs at a time instead of looking up every texel.
#include "construction/piece_shadow.h"

#include <algorithm>
#include <vector>

#include "engine/render/software_renderer.h"

namespace orvela {

namespace {

constexpr float kLayerAlpha = 0.07f;

// Texels from … to − 1 of a row, whose alpha leaves keep / 255 of the light under them.
struct AlphaRun {
  int from, to;
  uint16_t keep;
};

// How a pixel darkens under a texel: as the renderer blends black at the layer alpha, in
// 16 bits (lit · keep + 128 + its 256th part stays below 65536).
inline uint8_t Darkened(uint8_t lit, uint16_t keep) {
  const uint16_t x = static_cast<uint16_t>(lit * keep + 128);
  return static_cast<uint8_t>((x + (x >> 8)) >> 8);
}

// Sixteen pixels at a time, for the vector unit; the last block is darkened whole and only
// its first pixels kept, so the buffer has room for sixteen more pixels past every span.
void Darken(uint8_t* lit, int count, uint16_t keep) {
  for (int i = 0; i < count; i += 16) {
    const int left = count - i;
    for (int k = 0; k < 16; ++k) {
      const uint8_t was = lit[i + k];
      lit[i + k] = k < left ? Darkened(was, keep) : was;
    }
  }
}

// The end of the run of texels from x on whose alpha is that of row[x].
int RunEnd(const uint32_t* row, int x, int width) {
  const uint32_t alpha = row[x] & 0xFF000000u;
  int end = x + 1;
  while (end + 8 <= width) {  // eight at a time while they all match
    uint32_t differ = 0;
    for (int k = 0; k < 8; ++k) differ |= (row[end + k] & 0xFF000000u) ^ alpha;
    if (differ != 0) break;
    end += 8;
  }
  while (end < width && (row[end] & 0xFF000000u) == alpha) ++end;
  return end;
}

// The shadow's pixels: black, as opaque as the canvas went dark.
void ShadowRow(const uint8_t* __restrict lit, uint32_t* __restrict out, int count) {
  auto pixel = [](uint8_t light) { return static_cast<uint32_t>(255 - light) << 24; };
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    for (int k = 0; k < 16; ++k) out[x + k] = pixel(lit[x + k]);
  }
  for (; x < count; ++x) out[x] = pixel(lit[x]);
}

}  // namespace

ImageRef MakePieceShadow(const TImage& piece) {
  if (piece.Empty() || piece.pixmaps.empty() || !piece.pixmaps[0]) return nullptr;
  PixmapRef converted;
  const TPixmap* image = piece.pixmaps[0].get();
  if (image->format != PF_BGRA8888) {
    converted = image->Convert(PF_BGRA8888);
    image = converted.get();
  }
  const int w = image->width, h = image->height;
  if (w <= 0 || h <= 0) return nullptr;
  const int canvas_w = w + kShadowGrowth, canvas_h = h + kShadowGrowth;
  const uint32_t layer_alpha = AlphaByte(kLayerAlpha);
  auto keep_under = [&](uint32_t texel) {
    return static_cast<uint16_t>(255 - Div255((texel >> 24) * layer_alpha));
  };

  // Every row of the piece as its runs that darken at all.
  std::vector<AlphaRun> runs;
  std::vector<size_t> row_runs(static_cast<size_t>(h) + 1);
  for (int y = 0; y < h; ++y) {
    row_runs[static_cast<size_t>(y)] = runs.size();
    const uint32_t* row = image->Row32(y);
    for (int x = 0; x < w;) {
      const int end = RunEnd(row, x, w);
      const uint16_t keep = keep_under(row[x]);
      if (keep != 255) runs.push_back({x, end, keep});
      x = end;
    }
  }
  row_runs[static_cast<size_t>(h)] = runs.size();

  // The light left on the white canvas, one byte a pixel (red, green and blue stay equal).
  std::vector<uint8_t> lit(static_cast<size_t>(canvas_w) * static_cast<size_t>(canvas_h) + 16, 255);
  std::vector<int> reach(static_cast<size_t>(w) + 1);
  int reach_first = -1, reach_count = -1;
  int32_t reach_fu = 0, reach_du = 0;
  for (int d = -2; d <= kShadowGrowth; ++d) {
    QuadDraw layer;
    layer.src_w = static_cast<float>(w);
    layer.src_h = static_cast<float>(h);
    layer.ax = static_cast<float>(w + d) / static_cast<float>(w);
    layer.by = static_cast<float>(h + d) / static_cast<float>(h);
    ForEachQuadSpan(layer, canvas_w, canvas_h, [&](const QuadSpan& s) {
      uint8_t* out = &lit[static_cast<size_t>(s.y) * static_cast<size_t>(canvas_w) +
                          static_cast<size_t>(s.first)];
      if (s.dv == 0 && s.du > 0) {
        // One texel row, its columns rising along the span: the texels x … of a run cover the
        // span's pixels from reach[x], the first whose texel column is x or more, on. Every
        // row of a layer has the same columns; reach is worked out again only if they change.
        if (s.first != reach_first || s.count != reach_count || s.fu != reach_fu ||
            s.du != reach_du) {
          reach_first = s.first, reach_count = s.count, reach_fu = s.fu, reach_du = s.du;
          int x = 0;
          for (int i = 0; i < s.count; ++i) {
            const int column = std::clamp((s.fu + i * s.du) >> 16, 0, w - 1);
            while (x <= column) reach[static_cast<size_t>(x++)] = i;
          }
          while (x <= w) reach[static_cast<size_t>(x++)] = s.count;
        }
        const int ty = std::clamp(s.fv >> 16, 0, h - 1);
        for (size_t k = row_runs[static_cast<size_t>(ty)];
             k < row_runs[static_cast<size_t>(ty) + 1]; ++k) {
          const AlphaRun& run = runs[k];
          const int from = reach[static_cast<size_t>(run.from)];
          const int to = reach[static_cast<size_t>(run.to)];
          if (to > from) Darken(out + from, to - from, run.keep);
        }
        return;
      }
      int32_t fu = s.fu, fv = s.fv;
      for (int i = 0; i < s.count; ++i, fu += s.du, fv += s.dv) {
        const int tx = std::clamp(fu >> 16, 0, w - 1), ty = std::clamp(fv >> 16, 0, h - 1);
        const uint16_t keep = keep_under(image->Row32(ty)[tx]);
        if (keep != 255) out[i] = Darkened(out[i], keep);
      }
    });
  }

  auto shadow = TPixmap::Create(canvas_w, canvas_h, PF_BGRA8888, 4);
  for (int y = 0; y < canvas_h; ++y) {
    ShadowRow(&lit[static_cast<size_t>(y) * static_cast<size_t>(canvas_w)], shadow->Row32(y),
              canvas_w);
  }
  return TImage::Load(shadow, 0);
}

}  // namespace orvela
