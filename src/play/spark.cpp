// TSpark.
#include "play/spark.h"

#include "engine/engine.h"
#include "ui/delta_time.h"

namespace orvela {

TList<TSpark>& TSpark::List() {
  static TList<TSpark> sparks;
  return sparks;
}

std::array<ImageRef, 5>& TSpark::Images() {
  static std::array<ImageRef, 5> images;
  return images;
}

void LoadParticleImages() {
  for (int i = 0; i < 3; ++i) {
    TSpark::Images()[i] = TImage::Load("gfx/particle/" + std::to_string(i + 1) + ".png",
                                       IMG_FILTERED | IMG_MIPMAPPED);
  }
}

void ParticleSparkEmitter::Emit(int image, int x, int y, float scale, int lifetime, int r, int g,
                                int b, int blending, int mapa, float vx, float vy) {
  const ImageRef& picture = image >= 0 && image < 5 ? TSpark::Images()[image] : nullptr;
  TSpark::Create(picture, x, y, scale, lifetime, r, g, b, blending, mapa)->setVelocity(vx, vy);
}

std::shared_ptr<TSpark> TSpark::Create(const ImageRef& img, int x, int y, float scale, int lifetime,
                                       int r, int g, int b, int blending, int mapa) {
  auto spark = std::make_shared<TSpark>();
  spark->img = img;
  spark->x = static_cast<float>(x);
  spark->y = static_cast<float>(y);
  spark->scale = scale;
  spark->lifetime = static_cast<float>(lifetime);
  spark->life = spark->lifetime;
  spark->r = r, spark->g = g, spark->b = b;
  spark->blending = blending;
  spark->mapa = mapa;
  const float d = FrameFactor();
  if (d > 1 && d < 2) {
    spark->life /= 2;
    spark->lifetime /= 2;
    List().AddFirst(spark);
  } else if (d <= 1) {
    List().AddFirst(spark);
  }
  return spark;
}

void TSpark::Destroy() {
  auto& sparks = List();
  for (auto it = sparks.begin(); it != sparks.end(); ++it) {
    if (it->get() == this) {
      sparks.erase(it);
      return;
    }
  }
}

int TSpark::allDestroyed() {
  return List().IsEmpty() ? 1 : 0;
}
void TSpark::destroyAll() {
  List().Clear();
}

void TSpark::UpdateAll() {
  auto& sparks = List();
  for (auto it = sparks.begin(); it != sparks.end();) {
    TSpark& s = **it;
    s.x += s.vx;
    s.y += s.vy;
    if (s.blending == 1) SetBlend(LIGHTBLEND);
    if (s.blending == 2) SetBlend(ALPHABLEND);
    SetAlpha(s.life / s.lifetime - 0.2f);
    SetColor(s.r, s.g, s.b);
    SetDrawScale(s.scale, s.scale);
    DrawImageFrame(s.img, s.x, s.y, 0);
    s.life -= 1;
    it = s.life < 1 ? sparks.erase(it) : std::next(it);
  }
}

}  // namespace orvela
