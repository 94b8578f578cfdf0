// The game's four picture sets cut into exactly rows × columns pieces whatever the random cut
// lines: no two pieces run into each other, and no sliver between two close lines becomes a
// piece the player could never place.
#include <gtest/gtest.h>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/random.h"
#include "shell/set_chooser.h"
#include "support/headless.h"

namespace orvela {
namespace {

class PictureSetCutTest : public testing::HeadlessTest,
                          public ::testing::WithParamInterface<int> {};

// The sanitizer build runs slower by a large factor: it checks fewer cuts.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSeeds = 150;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSeeds = 150;
#else
constexpr int kSeeds = 1000;
#endif
#else
constexpr int kSeeds = 1000;
#endif

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
