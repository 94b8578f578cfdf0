// MakePieceShadow (see piece_shadow.h). The six silhouettes darken a white canvas exactly as
// the software renderer once drew them onto the table every frame: the same covered spans, the
// same nearest texels, the same rounding; how far each pixel went dark is the shadow's alpha
// there. Rows of the piece are taken as runs of equal alpha, and a span of a silhouette that is
// not turned or mirrored darkens whole runs at a time instead of looking up every texel; a
// canvas row that must come out as the one above is copied.
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
  bool operator==(const AlphaRun&) const = default;
};

// How a pixel darkens under a texel: as the renderer blends black at the layer alpha,
// t = lit · keep + 128 (below 65536) and (t + t / 256) / 256 in whole numbers, which is
// t · 257 / 65536: the high half of a 16-bit product.
inline uint8_t Darkened(uint8_t lit, uint16_t keep) {
  const uint16_t t = static_cast<uint16_t>(lit * keep + 128);
  return static_cast<uint8_t>((static_cast<uint32_t>(t) * 257u) >> 16);
}

// Sixteen pixels at a time, for the vector unit; a last block that is not full is darkened
// whole and only its first pixels kept, so the buffer has room for sixteen more pixels past
// every span.
void Darken(uint8_t* lit, int count, uint16_t keep) {
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    for (int k = 0; k < 16; ++k) lit[i + k] = Darkened(lit[i + k], keep);
  }
  if (i == count) return;
  const uint8_t left = static_cast<uint8_t>(count - i);
  for (uint8_t k = 0; k < 16; ++k) {
    const uint8_t was = lit[i + k];
    lit[i + k] = k < left ? Darkened(was, keep) : was;
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

constexpr size_t kLayers = kShadowGrowth + 3;  // grown by −2 … kShadowGrowth pixels

// The texel a 16.16 coordinate falls on, kept within a side of size texels.
inline size_t Clamped(int32_t fixed, int size) {
  return static_cast<size_t>(std::clamp(fixed >> 16, 0, size - 1));
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

  // Texel rows whose runs are those of the row above share its mark: same runs, same mark.
  std::vector<int> same_as(static_cast<size_t>(h));
  for (size_t y = 0; y < static_cast<size_t>(h); ++y) {
    same_as[y] = static_cast<int>(y);
    if (y == 0 || row_runs[y + 1] - row_runs[y] != row_runs[y] - row_runs[y - 1]) continue;
    if (std::equal(runs.begin() + static_cast<ptrdiff_t>(row_runs[y]),
                   runs.begin() + static_cast<ptrdiff_t>(row_runs[y + 1]),
                   runs.begin() + static_cast<ptrdiff_t>(row_runs[y - 1]))) {
      same_as[y] = same_as[y - 1];
    }
  }

  // The six silhouettes' spans, by canvas row (a span of no pixels where a layer has none).
  std::vector<QuadSpan> spans(static_cast<size_t>(kLayers) * static_cast<size_t>(canvas_h));
  for (int d = -2; d <= kShadowGrowth; ++d) {
    QuadDraw layer;
    layer.src_w = static_cast<float>(w);
    layer.src_h = static_cast<float>(h);
    layer.ax = static_cast<float>(w + d) / static_cast<float>(w);
    layer.by = static_cast<float>(h + d) / static_cast<float>(h);
    ForEachQuadSpan(layer, canvas_w, canvas_h, [&](const QuadSpan& span) {
      spans[static_cast<size_t>(span.y) * kLayers + static_cast<size_t>(d + 2)] = span;
    });
  }
  auto plain = [](const QuadSpan& span) { return span.dv == 0 && span.du > 0; };
  // Two canvas rows come out alike when every layer covers the same pixels of both with the
  // same texel columns, from texel rows that have the same runs.
  auto alike = [&](int a, int b) {
    for (size_t k = 0; k < kLayers; ++k) {
      const QuadSpan& s = spans[static_cast<size_t>(a) * kLayers + k];
      const QuadSpan& t = spans[static_cast<size_t>(b) * kLayers + k];
      if (s.count != t.count ||
          (s.count > 0 &&
           (!plain(s) || !plain(t) || s.first != t.first || s.fu != t.fu || s.du != t.du ||
            same_as[Clamped(s.fv, h)] != same_as[Clamped(t.fv, h)]))) {
        return false;
      }
    }
    return true;
  };

  // The light left on the white canvas, one byte a pixel (red, green and blue stay equal),
  // row by row, darkened by the six layers in their order.
  std::vector<uint8_t> lit(static_cast<size_t>(canvas_w) + 16);
  std::vector<int> reach(static_cast<size_t>(kLayers) * (static_cast<size_t>(w) + 1));
  std::vector<QuadSpan> reach_of(kLayers);  // the span each layer's reach was worked out for
  auto shadow = TPixmap::CreateForOverwrite(canvas_w, canvas_h);
  for (int y = 0; y < canvas_h; ++y) {
    if (y > 0 && alike(y, y - 1)) {
      std::copy_n(shadow->Row32(y - 1), canvas_w, shadow->Row32(y));
      continue;
    }
    std::fill(lit.begin(), lit.end(), 255);
    for (size_t k = 0; k < kLayers; ++k) {
      const QuadSpan& span = spans[static_cast<size_t>(y) * kLayers + k];
      if (span.count == 0) continue;
      uint8_t* out = &lit[static_cast<size_t>(span.first)];
      if (plain(span)) {
        // One texel row, its columns rising along the span: the texels x … of a run cover
        // the span's pixels from reach[x], the first whose texel column is x or more, on.
        // Every row of a layer has the same columns, so reach is worked out again only if
        // they change.
        int* layer_reach = &reach[k * (static_cast<size_t>(w) + 1)];
        QuadSpan& known = reach_of[k];
        if (span.first != known.first || span.count != known.count || span.fu != known.fu ||
            span.du != known.du) {
          known = span;
          int x = 0;
          for (int i = 0; i < span.count; ++i) {
            const int column = std::clamp((span.fu + i * span.du) >> 16, 0, w - 1);
            while (x <= column) layer_reach[x++] = i;
          }
          while (x <= w) layer_reach[x++] = span.count;
        }
        const size_t ty = Clamped(span.fv, h);
        for (size_t r = row_runs[ty]; r < row_runs[ty + 1]; ++r) {
          const int from = layer_reach[runs[r].from], to = layer_reach[runs[r].to];
          if (to > from) Darken(out + from, to - from, runs[r].keep);
        }
        continue;
      }
      int32_t fu = span.fu, fv = span.fv;
      for (int i = 0; i < span.count; ++i, fu += span.du, fv += span.dv) {
        const uint16_t keep = keep_under(image->Row32(Clamped(fv, h))[Clamped(fu, w)]);
        if (keep != 255) out[i] = Darkened(out[i], keep);
      }
    }
    ShadowRow(lit.data(), shadow->Row32(y), canvas_w);
  }
  return TImage::Load(shadow, 0);
}

}  // namespace orvela
