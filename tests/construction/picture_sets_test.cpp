// The game's four picture sets cut into exactly rows × columns pieces whatever the random cut
// lines: no two pieces run into each other, and no sliver between two close lines becomes a
// piece the player could never place. The unit suite checks a few fixed seeds per set; the long
// run (the same file built with ORVELA_PICTURE_SET_SEEDS=1000, label "long") checks a thousand.
#include <gtest/gtest.h>

#include <algorithm>

#include "construction/cutter.h"
#include "construction/picture_sets.h"
#include "construction/shape_grid.h"
#include "engine/random.h"
#include "support/headless.h"

namespace orvela {
namespace {

class PictureSetCutTest : public testing::HeadlessTest,
                          public ::testing::WithParamInterface<int> {};

#ifndef ORVELA_PICTURE_SET_SEEDS
#define ORVELA_PICTURE_SET_SEEDS 5
#endif

// The sanitizer build runs slower by a large factor: its long run checks fewer cuts.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif
constexpr int kSeeds =
    kSanitized ? std::min(ORVELA_PICTURE_SET_SEEDS, 150) : ORVELA_PICTURE_SET_SEEDS;

TEST_P(PictureSetCutTest, EverySeedGivesRowsTimesColumnsPieces) {
  const PictureSet& set = kPictureSets[GetParam()];
  const PixmapRef picture = LoadPixmapFile(set.url);
  ASSERT_TRUE(picture);
  const int w = picture->width, h = picture->height;
  for (int seed = 0; seed < kSeeds; ++seed) {
    SeedRandom(seed);
    TKreatorKlockow grid;
    grid.KSZTALT = set.ksztalt;
    grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows),
                    static_cast<float>(w), static_cast<float>(h), 0, 0);
    const PixmapRef mask = grid.drawOn(w, h);
    ASSERT_EQ(TRozcinacz::PieceSeeds(*mask, w, h).size(), static_cast<size_t>(set.rows * set.cols))
        << set.url << ", seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(GameSets, PictureSetCutTest, ::testing::Range(0, 4));

}  // namespace
}  // namespace orvela
