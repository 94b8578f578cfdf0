// A lifted piece and a lifted group as the play screen draws them, shadow and all, against
// pictures in tests/reference/: real cut pieces are picked up with a click, carried onto a
// plain table and held until their shadows have fully risen. Two steps either way are allowed:
// the shadow is six faint layers, each rounded, and may be drawn another way as long as it
// looks the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "construction/shape_grid.h"
#include "engine/random.h"
#include "play/play_support.h"
#include "play/spark.h"
#include "support/reference_image.h"

namespace orvela {
namespace {

using testing::MatchesReference;
using testing::PlayTest;
using testing::ScreenCrop;

class LiftedReferenceTest : public PlayTest {
 protected:
  LiftedReferenceTest() : PlayTest(/*draws_pixels=*/true) {
    // A 3 × 2 classic cut of a small picture, its pieces spread over a plain table.
    SeedRandom(21);
    TKreatorKlockow grid;
    grid.KSZTALT = CUT_CLASSIC;
    grid.createGrid(3, 2, 180, 120, 0, 0);
    EXPECT_TRUE(services.cutter.setup(testing::GradientPixmap(180, 120), grid.drawOn(180, 120),
                                      grid.drawOn(180, 120)));
    services.cutter.potnij(180, 120, 0, grid._skokX, grid._skokY);
    play->belka = TImage::Load(testing::SolidPixmap(800, 600, 0xFF5A7A6Eu), 0);
    play->listaPuzzli.Clear();
    play->listaPomocnicza.Clear();
    int i = 0;
    for (const Ref<TPuzel>& piece : services.cutter.listaPomocnicza) {
      piece->x = static_cast<float>(60 + 110 * i++);
      piece->y = 480;
      play->listaPuzzli.AddLast(piece);
      play->listaPomocnicza.AddLast(piece);
    }
  }

  // Clicks the middle of the piece to pick up what lies there, carries it to (300, 250),
  // waits for the shadow and compares the rectangle round the carried pieces (grown by the
  // shadow's reach).
  void LiftAndCompare(const TPuzel& at, const std::string& name) {
    const int x = static_cast<int>(at.x) + at.img->width / 2;
    const int y = static_cast<int>(at.y) + at.img->height / 2;
    RunPlay([&](int frame) {
      if (frame == kIn) Press(x, y);
      if (frame == kIn + 1) Release();
      if (frame == kIn + 2) MoveTo(300, 250);
      if (frame < kIn + 40) return;
      ASSERT_TRUE(play->puzel) << "nothing was picked up at (" << x << ", " << y << ")";
      int left = 800, top = 600, right = 0, bottom = 0;
      for (const Ref<TPuzel>& piece : play->listaPomocnicza) {
        if (piece->_shadowAlpha == 0) continue;  // not carried
        EXPECT_EQ(piece->_shadowAlpha, 1);
        left = std::min(left, static_cast<int>(piece->x));
        top = std::min(top, static_cast<int>(piece->y));
        right = std::max(right, static_cast<int>(piece->x) + piece->img->width);
        bottom = std::max(bottom, static_cast<int>(piece->y) + piece->img->height);
      }
      EXPECT_TRUE(MatchesReference(
          *ScreenCrop(canvas(), left - 6, top - 6, right - left + 14, bottom - top + 16), name, 2));
      StopPlay();
    });
  }

  static constexpr int kIn = kFadedIn;
};

TEST_F(LiftedReferenceTest, ALiftedPieceCastsItsShadow) {
  LiftAndCompare(*play->listaPomocnicza.First(), "lifted-piece");
}

TEST_F(LiftedReferenceTest, ALiftedGroupCastsTheShadowsOfAllItsPieces) {
  // The first piece and its first neighbour joined, as a drop beside it joins them.
  const Ref<TPuzel> first = play->listaPomocnicza.First();
  const Ref<TPuzel> neighbour = first->_sasiedzi.First()->puzel.lock();
  ASSERT_TRUE(neighbour);
  PlaceBeside(neighbour, first);
  Drop(neighbour);
  ASSERT_TRUE(GroupOf(first->id));
  TSpark::destroyAll();
  LiftAndCompare(*first, "lifted-group");
}

}  // namespace
}  // namespace orvela
