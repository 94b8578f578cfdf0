// What the construction draws, against the pictures in tests/reference/: the shape grid's
// mask in every cut style, and the pieces the cutter makes of a small picture, with their lit
// and shaded rims. Both are exact: the cut must not change by a single pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/random.h"
#include "support/headless.h"
#include "support/reference_image.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::MatchesReference;

constexpr int kWidth = 180, kHeight = 120;  // a 3 × 2 grid of 60-pixel cells
constexpr int kGap = 4;                     // between the pictures of a sheet

// A mask of the small grid in one cut style, from a fixed seed.
PixmapRef SmallMask(int style, TKreatorKlockow& grid) {
  SeedRandom(21);
  grid.KSZTALT = style;
  grid.createGrid(3, 2, kWidth, kHeight, 0, 0);
  return grid.drawOn(kWidth, kHeight);
}

// The pictures side by side, top-aligned, on transparent black.
PixmapRef Sheet(const std::vector<PixmapRef>& pictures) {
  int width = 0, height = 0;
  for (const PixmapRef& p : pictures) {
    width += p->width + kGap;
    height = std::max(height, p->height);
  }
  PixmapRef sheet = TPixmap::Create(width - kGap, height, PF_BGRA8888);
  int x = 0;
  for (const PixmapRef& p : pictures) {
    sheet->Paste(*p, x, 0);
    x += p->width + kGap;
  }
  return sheet;
}

using ConstructionReferenceTest = HeadlessTest;

TEST_F(ConstructionReferenceTest, TheMaskOfEveryCutStyle) {
  std::vector<PixmapRef> masks;
  for (int style : {CUT_CLASSIC, CUT_ARC, CUT_ZIGZAG, CUT_TOOTH, CUT_BUMP, CUT_MIXED}) {
    TKreatorKlockow grid;
    masks.push_back(SmallMask(style, grid));
  }
  EXPECT_TRUE(MatchesReference(*Sheet(masks), "shape-grid-masks"));
}

TEST_F(ConstructionReferenceTest, CutPiecesWithTheirLitAndShadedRims) {
  const PixmapRef picture = testing::GradientPixmap(kWidth, kHeight);
  for (const auto& [style, name] :
       {std::pair{CUT_CLASSIC, "cut-pieces-classic"}, std::pair{CUT_ZIGZAG, "cut-pieces-zigzag"}}) {
    TKreatorKlockow grid;
    const PixmapRef a = SmallMask(style, grid), b = grid.drawOn(kWidth, kHeight);
    TRozcinacz cutter;
    ASSERT_TRUE(cutter.setup(picture, a, b));
    ASSERT_EQ(cutter.potnij(kWidth, kHeight, 0, grid._skokX, grid._skokY), 6);
    std::vector<PixmapRef> pieces;
    for (const Ref<TPuzel>& piece : cutter.listaPomocnicza)
      pieces.push_back(piece->img->pixmaps[0]);
    EXPECT_TRUE(MatchesReference(*Sheet(pieces), name));
  }
}

}  // namespace
}  // namespace orvela
