// Random numbers.
#include "engine/random.h"

#include "engine/context.h"

namespace orvela {

namespace {
constexpr int32_t kModulus = 2147483647;
constexpr int32_t kStart = 4660;
}  // namespace

int32_t ParkMillerStep(int32_t s) {
  // 48271 · s mod (2^31 − 1) = 48271 · (s mod q) − r · (s div q), q = 44488, r = 3399.
  s = 48271 * (s % 44488) - 3399 * (s / 44488);
  if (s < 0) s += kModulus;
  return s;
}

void SeedRandom(int seed) {
  int32_t state = static_cast<int32_t>(static_cast<uint32_t>(seed) & 0x7FFFFFFFu);
  if (state == 0 || state == kModulus) state = kStart;
  Engine().random_state = state;
}

int RandomSeed() {
  return Engine().random_state;
}

double RandomUnit() {
  int32_t& state = Engine().random_state;
  const int32_t s1 = ParkMillerStep(state);
  const int32_t s2 = ParkMillerStep(s1);
  state = s2;
  return ((s1 & 0x1FFFFFFC) + (s2 & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
}

float RandomFloat(float lo, float hi) {
  const double u = RandomUnit();
  if (hi > lo) return static_cast<float>(lo + u * (static_cast<double>(hi) - lo));
  return static_cast<float>(hi + u * (static_cast<double>(lo) - hi));
}

int RandomInt(int lo, int hi) {
  const double u = RandomUnit();
  const int64_t d = static_cast<int64_t>(hi) - lo;
  if (d > 0) return static_cast<int>(lo + static_cast<int64_t>(u * static_cast<double>(d + 1)));
  return static_cast<int>(hi + static_cast<int64_t>(u * static_cast<double>(1 - d)));
}

}  // namespace orvela
