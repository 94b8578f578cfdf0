// Random numbers: the generator's exact sequence (reference values computed separately from
// the algorithm's definition), the seed rules and the ranges.
#include <gtest/gtest.h>

#include <set>

#include "engine/random.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using RandomTest = HeadlessTest;

TEST_F(RandomTest, SequenceMatchesTheReferenceValues) {
  EXPECT_EQ(ParkMillerStep(4660), 224942860);
  EXPECT_EQ(ParkMillerStep(224942860), 539475828);
  EXPECT_EQ(ParkMillerStep(2147483646), 2147435376);  // 48271 · (−1) mod (2^31 − 1)
  EXPECT_EQ(RandomSeed(), 4660);                      // the start state
  EXPECT_DOUBLE_EQ(RandomUnit(), 0.4189887270692887);
  EXPECT_DOUBLE_EQ(RandomUnit(), 0.21256311710331344);
  EXPECT_DOUBLE_EQ(RandomUnit(), 0.694284713397524);
  EXPECT_DOUBLE_EQ(RandomUnit(), 0.1493624812093064);
  SeedRandom(12345);
  const int expected[] = {10, 79, 65, 50, 30, 86, 50, 94, 18, 33};
  for (int want : expected) EXPECT_EQ(RandomInt(0, 99), want);
  SeedRandom(777);
  const int reversed[] = {3, 3, 5, 5, 3, 4, 5, 6, 5, 3};
  for (int want : reversed) EXPECT_EQ(RandomInt(7, 3), want);
  SeedRandom(2024);
  EXPECT_FLOAT_EQ(RandomFloat(0, 1), 0.18198137300244166f);
  EXPECT_FLOAT_EQ(RandomFloat(10, 0), 5.506926513083219f);  // hi + u·(lo − hi)
}

TEST_F(RandomTest, SeedRules) {
  auto draws = [] {
    std::vector<int> v;
    for (int i = 0; i < 5; ++i) v.push_back(RandomInt(0, 1000000));
    return v;
  };
  SeedRandom(4660);
  const auto start = draws();
  SeedRandom(0);
  EXPECT_EQ(draws(), start);
  SeedRandom(2147483647);
  EXPECT_EQ(RandomSeed(), 4660);
  SeedRandom(-5);  // the top bit is cleared
  EXPECT_EQ(RandomSeed(), 2147483643);
  SeedRandom(static_cast<int>(0x80000000u));  // only the top bit: 0, so the start state
  EXPECT_EQ(RandomSeed(), 4660);
}

TEST_F(RandomTest, BothEndsAreInclusiveInEitherOrder) {
  for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomInt(5, 5), 5);
  std::set<int> forward, backward;
  for (int i = 0; i < 2000; ++i) {
    forward.insert(RandomInt(3, 7));
    backward.insert(RandomInt(7, 3));
    const float f = RandomFloat(-0.5f, 0.5f);
    EXPECT_GE(f, -0.5f);
    EXPECT_LT(f, 0.5f);
  }
  EXPECT_EQ(forward, (std::set<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(backward, forward);
  EXPECT_EQ(RandomInt(-3, -3), -3);
  const int wide = RandomInt(-2147483647, 2147483647);
  EXPECT_GE(wide, -2147483647);
}

}  // namespace
}  // namespace orvela
