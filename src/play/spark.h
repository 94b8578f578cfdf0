// TSpark: short-lived glowing particles, drawn additively in tints, that pieces throw when
// they join or fly and that the credits throw as they move. One list holds the live sparks
// (newest first); UpdateAll moves and draws them once per frame. New sparks are throttled by
// the frame factor so that bursts cannot snowball on a slow machine.
#pragma once

#include <array>
#include <memory>

#include "construction/piece.h"
#include "engine/image/image.h"
#include "engine/object.h"

namespace orvela {

class TSpark : public TObject {
 public:
  float x = 0, y = 0;  // top-left of the image
  int r = 255, g = 255, b = 255;
  float scale = 1;
  float life = 0;      // frames left
  float lifetime = 0;  // frames at birth
  int mapa = 0;        // kept, no effect on drawing
  float vx = 0, vy = 0;
  ImageRef img;
  int blending = 1;  // 1: additive light, 2: alpha, other: the blend mode in force

  // A new spark; at a frame factor between 1 and 2 it lives half as long, at 2 or more it is
  // not listed (never drawn). Returned in every case.
  static std::shared_ptr<TSpark> Create(const ImageRef& img, int x, int y, float scale,
                                        int lifetime, int r, int g, int b, int blending, int mapa);
  void setVelocity(float new_vx, float new_vy) { vx = new_vx, vy = new_vy; }
  void Destroy();

  static int allDestroyed();
  static void destroyAll();
  // Moves and draws every live spark, fading each from 0.8 to nothing over its life, and
  // drops those whose life ran out. The drawing state is left as the last spark set it.
  static void UpdateAll();

  // The live sparks, newest first, and the particle image slots (0..2 used).
  static TList<TSpark>& List();
  static std::array<ImageRef, 5>& Images();
};

// Sparks thrown by pieces become TSparks with the particle image of that slot.
class ParticleSparkEmitter : public SparkEmitter {
 public:
  void Emit(int image, int x, int y, float scale, int lifetime, int r, int g, int b, int blending,
            int mapa, float vx, float vy) override;
};

// Loads the three particle images into slots 0..2 (filtered and mipmapped).
void LoadParticleImages();

}  // namespace orvela
