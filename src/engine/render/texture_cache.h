// Backend textures of image frames: made once per frame from its pixel buffer (with reduced
// copies for mipmapped images) and reused until the renderer changes.
#pragma once

#include "engine/image/image.h"
#include "engine/render/renderer.h"

namespace orvela {

struct TextureChoice {
  const Texture* texture = nullptr;
  float factor_x = 1, factor_y = 1;  // full-size texels per texel of the chosen level
};

// The texture to draw a frame with when one texel of the full-size frame covers `scale`
// canvas pixels (mipmapped images pick a reduced copy below 1). Null texture for a missing
// frame or an empty image.
TextureChoice FrameTexture(TImage& image, int frame, Renderer& renderer, float scale);

// Forgets the textures of a frame, so the next draw makes them again from the pixel buffer.
void InvalidateFrame(TImage& image, int frame);

// Copies colour into fully transparent pixels from their visible neighbours, so that bilinear
// filtering does not darken the rims of cut-out shapes. Alpha is untouched.
void BleedTransparentEdges(TPixmap& bgra);

// A half-size copy (2 × 2 box filter weighted by alpha), at least 1 × 1.
PixmapRef HalveBgra(const TPixmap& bgra);

}  // namespace orvela
