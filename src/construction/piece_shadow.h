// The soft shadow under a lifted piece, made once per piece: six black silhouettes of the
// piece grown by −2 … 3 pixels (each scaled from the same top-left corner) at 7 % opacity,
// flattened into one image whose alpha is what the six together cover.
#pragma once

#include "engine/image/image.h"

namespace orvela {

// How many pixels the largest silhouette adds to the piece's width and height.
inline constexpr int kShadowGrowth = 3;

// The shadow image of a piece image (black, alpha only), kShadowGrowth pixels wider and
// higher than the piece; null for a missing or empty image.
ImageRef MakePieceShadow(const TImage& piece);

}  // namespace orvela
