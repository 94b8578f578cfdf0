// Serial numbers of renderers and the masked-drawing threshold they share.
#include "engine/render/renderer.h"

#include <algorithm>
#include <cmath>

namespace orvela {

namespace {
uint64_t next_serial = 1;
uint64_t next_texture = 1;
}  // namespace

Renderer::Renderer() : serial_(next_serial++) {}
Texture::Texture() : number_(next_texture++) {}

namespace {

// The alpha clamped to 0 … 1, with anything below 1/255 (NaN included) as 0: a fade that
// float rounding left a hair above 0 is a finished fade.
float UsableAlpha(float alpha) {
  return alpha >= 1.0f / 255.0f ? std::min(alpha, 1.0f) : 0.0f;
}

}  // namespace

uint8_t AlphaByte(float alpha) {
  return static_cast<uint8_t>(std::lround(UsableAlpha(alpha) * 255.0f));
}

bool DrawsAnything(float alpha, int blend) {
  if (blend == 1) return MaskThreshold(alpha) <= 255;
  if (blend == 3 || blend == 4) return AlphaByte(alpha) > 0;
  return true;
}

uint32_t MaskThreshold(float alpha) {
  const float a = UsableAlpha(alpha);
  if (a == 0) return 256;
  // From 1/255 on, 127.5 / a is at most 32513.
  uint32_t t = static_cast<uint32_t>(std::ceil(127.5f / a));
  while (t > 0 && static_cast<float>(t - 1) * a >= 127.5f) --t;
  while (t <= 255 && static_cast<float>(t) * a < 127.5f) ++t;
  return std::min(t, 256u);
}

}  // namespace orvela
