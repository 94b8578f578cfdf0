// A still layer: the still part of a screen (its background and whatever rests on it) drawn
// once into an offscreen canvas of the renderer and shown every frame with one solid copy,
// until its content changes. The owner decides when the content changed by comparing a
// signature of what the layer shows: a layer drawn under another signature is stale.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/render/renderer.h"

namespace orvela {

class StillLayer {
 public:
  StillLayer() = default;
  ~StillLayer();
  StillLayer(const StillLayer&) = delete;
  StillLayer& operator=(const StillLayer&) = delete;

  // Whether the layer holds a picture drawn under this signature for the current renderer.
  bool Holds(uint64_t signature) const;
  // Starts drawing the layer's picture anew (the draws that follow land in it, cleared to
  // black first). False when the renderer cannot draw offscreen: the caller then draws
  // straight to the canvas as before, every frame.
  bool Begin();
  // Ends drawing; the picture is now held under the signature.
  void End(uint64_t signature);
  // Copies the held picture onto the canvas, solid and untransformed at (0, 0).
  void Show() const;
  // Forgets the picture (the next Holds is false).
  void Forget();
  // How many times the picture has been drawn anew.
  long Redraws() const { return redraws_; }

 private:
  std::unique_ptr<Texture> target_;
  uint64_t renderer_serial_ = 0;  // the renderer the target belongs to
  uint64_t signature_ = 0;
  bool held_ = false;
  bool drawing_ = false;
  long redraws_ = 0;
};

// Whether still layers are used (on by default). Off, every layer refuses to hold a picture
// and its owner draws everything every frame: tests compare the two pictures.
void AllowStillLayers(bool allowed);

// Folds one value into a signature (FNV-1a over its bytes).
inline uint64_t MixSignature(uint64_t signature, uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    signature ^= (value >> (8 * i)) & 0xFFu;
    signature *= 0x100000001B3ull;
  }
  return signature;
}
inline constexpr uint64_t kEmptySignature = 0xCBF29CE484222325ull;

}  // namespace orvela
