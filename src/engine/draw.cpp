// Drawing state and drawing services: everything becomes quads and pixel lists for the
// current renderer. Scale and rotation form one matrix, applied around the image handle:
// a point (u, v) from the handle lands on (x + u·ix + v·iy, y + u·jx + v·jy).
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/render/raster.h"
#include "engine/render/texture_cache.h"

namespace orvela {

namespace {

DrawState& State() {
  return Engine().draw;
}

void UpdateMatrix(DrawState& s) {
  const double r = s.rotation * std::numbers::pi / 180.0;
  const float c = static_cast<float>(std::cos(r)), n = static_cast<float>(std::sin(r));
  s.ix = c * s.scale_x;
  s.iy = -n * s.scale_y;
  s.jx = n * s.scale_x;
  s.jy = c * s.scale_y;
}

uint8_t Channel(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

void Tint(const DrawState& s, QuadDraw& q) {
  q.r = Channel(s.red);
  q.g = Channel(s.green);
  q.b = Channel(s.blue);
  q.alpha = s.alpha;
  q.blend = s.blend;
}

// Canvas pixels covered by one texel along the matrix axes (the smaller of the two).
float TexelScale(const DrawState& s) {
  return std::min(std::hypot(s.ix, s.jx), std::hypot(s.iy, s.jy));
}

}  // namespace

// ---- Drawing state ---------------------------------------------------------------------

void SetColor(int red, int green, int blue) {
  DrawState& s = State();
  s.red = red, s.green = green, s.blue = blue;
}

void GetColor(int* red, int* green, int* blue) {
  const DrawState& s = State();
  if (red) *red = s.red;
  if (green) *green = s.green;
  if (blue) *blue = s.blue;
}

void SetAlpha(float alpha) {
  State().alpha = alpha;
}
float GetAlpha() {
  return State().alpha;
}
void SetBlend(int mode) {
  State().blend = mode;
}
int GetBlend() {
  return State().blend;
}

void SetDrawScale(float sx, float sy) {
  DrawState& s = State();
  s.scale_x = sx, s.scale_y = sy;
  UpdateMatrix(s);
}

std::pair<float, float> GetDrawScale() {
  return {State().scale_x, State().scale_y};
}

void SetRotation(float degrees) {
  DrawState& s = State();
  s.rotation = degrees;
  UpdateMatrix(s);
}

float GetRotation() {
  return State().rotation;
}

void SetDrawTransform(float rotation, float sx, float sy) {
  DrawState& s = State();
  s.rotation = rotation, s.scale_x = sx, s.scale_y = sy;
  UpdateMatrix(s);
}

void SetDrawFont(const FontRef& font) {
  State().font = font;
}

FontRef GetDrawFont() {
  const DrawState& s = State();
  return s.font ? s.font : TImageFont::BuiltIn();
}

void SetOrigin(float x, float y) {
  State().origin_x = x, State().origin_y = y;
}
void SetHandle(float x, float y) {
  State().handle_x = x, State().handle_y = y;
}

// ---- Drawing ---------------------------------------------------------------------------

void DrawImageFrame(const ImageRef& image, float x, float y, int frame) {
  Renderer* renderer = CurrentRenderer();
  if (!renderer || !image || image->Empty()) return;
  const DrawState& s = State();
  if (!DrawsAnything(s.alpha, s.blend)) return;
  const TextureChoice choice = FrameTexture(*image, frame, *renderer, TexelScale(s));
  if (!choice.texture) return;
  const float u = -image->handle_x, v = -image->handle_y;
  QuadDraw q;
  q.texture = choice.texture;
  q.src_w = static_cast<float>(choice.texture->width);
  q.src_h = static_cast<float>(choice.texture->height);
  q.x = x + s.origin_x + u * s.ix + v * s.iy;
  q.y = y + s.origin_y + u * s.jx + v * s.jy;
  q.ax = s.ix * choice.factor_x, q.ay = s.jx * choice.factor_x;
  q.bx = s.iy * choice.factor_y, q.by = s.jy * choice.factor_y;
  Tint(s, q);
  renderer->DrawQuad(q);
}

void DrawString(const std::string& text, float x, float y) {
  Renderer* renderer = CurrentRenderer();
  if (!renderer || text.empty()) return;
  const DrawState& s = State();
  if (!DrawsAnything(s.alpha, s.blend)) return;
  const FontRef font = GetDrawFont();
  // Look every glyph up first: a glyph rasterised on first use may grow the atlas.
  std::vector<const Glyph*> glyphs;
  for (char32_t c : DecodeUtf8(text)) glyphs.push_back(font->FindGlyph(c));
  const ImageRef& atlas = font->Atlas();
  const TextureChoice choice =
      atlas ? FrameTexture(*atlas, 0, *renderer, TexelScale(s)) : TextureChoice{};
  float pen_x = x + s.origin_x, pen_y = y + s.origin_y;
  QuadDraw q;
  q.texture = choice.texture;
  q.ax = s.ix * choice.factor_x, q.ay = s.jx * choice.factor_x;
  q.bx = s.iy * choice.factor_y, q.by = s.jy * choice.factor_y;
  Tint(s, q);
  for (const Glyph* g : glyphs) {
    if (!g) continue;  // characters without a glyph are skipped
    if (g->width > 0 && g->height > 0 && choice.texture) {
      q.src_x = static_cast<float>(g->atlas_x) / choice.factor_x;
      q.src_y = static_cast<float>(g->atlas_y) / choice.factor_y;
      q.src_w = static_cast<float>(g->width) / choice.factor_x;
      q.src_h = static_cast<float>(g->height) / choice.factor_y;
      q.x = pen_x + g->offset_x * s.ix + g->offset_y * s.iy;
      q.y = pen_y + g->offset_x * s.jx + g->offset_y * s.jy;
      renderer->DrawQuad(q);
    }
    pen_x += g->advance * s.ix;
    pen_y += g->advance * s.jx;
  }
}

int StringWidth(const std::string& text) {
  const FontRef font = GetDrawFont();
  int width = 0;
  for (char32_t c : DecodeUtf8(text)) {
    if (const Glyph* g = font->FindGlyph(c)) {
      width = static_cast<int>(static_cast<float>(width) + g->advance);
    }
  }
  return width;
}

int StringHeight() {
  return GetDrawFont()->Height();
}

void DrawRect(float x, float y, float width, float height) {
  Renderer* renderer = CurrentRenderer();
  if (!renderer || width == 0 || height == 0) return;
  const DrawState& s = State();
  if (!DrawsAnything(s.alpha, s.blend)) return;
  // A negative size extends the rectangle to the left or up from the drawing point.
  float u = -s.handle_x, v = -s.handle_y;
  if (width < 0) u += width, width = -width;
  if (height < 0) v += height, height = -height;
  QuadDraw q;
  q.src_w = width;
  q.src_h = height;
  q.x = x + s.origin_x + u * s.ix + v * s.iy;
  q.y = y + s.origin_y + u * s.jx + v * s.jy;
  q.ax = s.ix, q.ay = s.jx, q.bx = s.iy, q.by = s.jy;
  Tint(s, q);
  renderer->DrawQuad(q);
}

void DrawLine(float x1, float y1, float x2, float y2, int last_pixel) {
  Renderer* renderer = CurrentRenderer();
  if (!renderer) return;
  const DrawState& s = State();
  if (!DrawsAnything(s.alpha, s.blend)) return;
  const float hx = -s.handle_x, hy = -s.handle_y;
  const float bx = x1 + s.origin_x, by = y1 + s.origin_y;
  const float sx = bx + hx * s.ix + hy * s.iy, sy = by + hx * s.jx + hy * s.jy;
  const float du = x2 - x1 + hx, dv = y2 - y1 + hy;
  const float ex = bx + du * s.ix + dv * s.iy, ey = by + du * s.jx + dv * s.jy;
  std::vector<PixelPoint> points;
  ForEachLinePixel(static_cast<int>(std::floor(sx)), static_cast<int>(std::floor(sy)),
                   static_cast<int>(std::floor(ex)), static_cast<int>(std::floor(ey)),
                   last_pixel != 0, [&points](int x, int y) {
                     points.push_back({x, y});
                   });
  if (points.empty()) return;
  renderer->DrawPoints(points, Channel(s.red), Channel(s.green), Channel(s.blue), s.alpha, s.blend);
}

void DrawPixmap(const TPixmap& pixmap, int x, int y) {
  if (Renderer* renderer = CurrentRenderer(); renderer && !pixmap.Empty()) {
    renderer->DrawPixmap(pixmap, x, y);
  }
}

PixmapRef GrabPixmap(int x, int y, int width, int height) {
  Renderer* renderer = CurrentRenderer();
  if (!renderer || width <= 0 || height <= 0) return TPixmap::Create(0, 0);
  renderer->Flush();
  return renderer->ReadPixels(x, y, width, height);
}

}  // namespace orvela
