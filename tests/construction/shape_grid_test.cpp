// The shape grid: grid points and their truncation, which cut lines exist, curve flattening,
// the style geometry, and the mask the cutter relies on (pure white lines on pure black,
// 8-connected, the border inside on the top and left only).
#include <gtest/gtest.h>

#include <set>

#include "construction/shape_grid.h"
#include "engine/random.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using ShapeGridTest = HeadlessTest;

TEST_F(ShapeGridTest, GridPointsAndCellSizesAreTruncated) {
  TKreatorKlockow k;
  k.KSZTALT = CUT_CLASSIC;
  k.createGrid(6, 5, 640, 480, 0, 0);
  EXPECT_EQ(k._skokX, 106);
  EXPECT_EQ(k._skokY, 96);
  EXPECT_EQ(k.points[6][0].x, 639);  // trunc(6 × 106.666664) = trunc(639.99998)
  EXPECT_EQ(k.points[1][0].x, 106);
  EXPECT_EQ(k.points[0][5].y, 480);
  EXPECT_EQ(k._pointX, 7);
  EXPECT_EQ(k._pointY, 6);
  EXPECT_EQ(k.points.size(), 8u);
  EXPECT_EQ(k.points[0].size(), 7u);
  const TWsp cell = k.getWH();
  EXPECT_EQ(cell.x, 106);
  EXPECT_EQ(cell.y, 96);
}

TEST_F(ShapeGridTest, JitterMovesInteriorPointsByTheParityOfTheirIndices) {
  TKreatorKlockow k;
  k.createGrid(2, 2, 100, 100, 3, 2);
  EXPECT_EQ(k.points[1][1].x, 50 - 3);  // 1·1 odd: moved back
  EXPECT_EQ(k.points[1][1].y, 50 - 2);
  EXPECT_EQ(k.points[2][1].x, 100 + 3);  // 2·1 even: moved forward
  EXPECT_EQ(k.points[0][1].x, 0);        // border column: unmoved
}

TEST_F(ShapeGridTest, WhichCutLinesExist) {
  TKreatorKlockow k;
  k.KSZTALT = CUT_ZIGZAG;  // four segments per cut line
  k.createGrid(4, 3, 400, 300, 0, 0);
  // (4 − 1) · 3 vertical and (3 − 1) · 4 horizontal cut lines.
  EXPECT_EQ(k.shapes.size(), (9u + 8u) * 4u);
  k.createGrid(1, 3, 100, 300, 0, 0);
  EXPECT_EQ(k.shapes.size(), 2u * 4u);  // one column: horizontal lines only
  k.createGrid(3, 1, 300, 100, 0, 0);
  EXPECT_EQ(k.shapes.size(), 2u * 4u);
  k.createGrid(1, 1, 100, 100, 0, 0);
  EXPECT_TRUE(k.shapes.empty());
  for (int style : {5, 9, -1, 11}) {
    k.KSZTALT = style;
    const int before = RandomSeed();
    k.createGrid(4, 3, 400, 300, 0, 0);
    EXPECT_TRUE(k.shapes.empty()) << style;
    EXPECT_NE(RandomSeed(), before) << "the side sign is still drawn";
  }
  k.clear();
  EXPECT_TRUE(k.shapes.empty());
}

TEST_F(ShapeGridTest, EveryCurveHas101SamplesAndEndsExactlyOnItsEndPoint) {
  TShape shape;
  shape.createShape(0, 0, 3, 0, 1, 5, 0, 1.0f);
  EXPECT_EQ(shape.listaLini.size(), 102u);  // the last sample is at x = 2: closed to x = 3
  EXPECT_EQ(shape.listaLini[0].x1, shape.listaLini[0].x2);  // the first segment has no length
  EXPECT_EQ(shape.listaLini[0].y1, shape.listaLini[0].y2);
  TShape point;
  point.createShape(4, 4, 4, 4, 4, 4, 0, 1.0f);
  EXPECT_EQ(point.listaLini.size(), 101u);  // every sample is the end point: nothing to close
  TShape longer;
  longer.createShape(10, 10, 500, 300, 600, -40, 0, 2.0f);  // scaled points
  EXPECT_EQ(longer.listaLini.size(), 102u);                 // 101 samples, then the closing segment
  EXPECT_EQ(longer.x2, 1000);
  EXPECT_EQ(longer.a, 1200);
  const Tline& sampled = longer.listaLini[100];
  EXPECT_LE(std::abs(sampled.x2 - 1000), 2);
  EXPECT_LE(std::abs(sampled.y2 - 600), 2);
  const Tline& last = longer.listaLini.back();
  EXPECT_EQ(last.x2, 1000);
  EXPECT_EQ(last.y2, 600);
  // Segments join: each starts where the previous ended.
  for (size_t i = 1; i < longer.listaLini.size(); ++i) {
    EXPECT_EQ(longer.listaLini[i].x1, longer.listaLini[i - 1].x2);
    EXPECT_EQ(longer.listaLini[i].y1, longer.listaLini[i - 1].y2);
  }
}

TEST_F(ShapeGridTest, ClassicHeadIsTruncatedTowardZeroOnBothSides) {
  TKreatorKlockow k;
  k.drawShapedLine(300, 0, 300, 100, 100, 100, 1, 1);
  ASSERT_EQ(k.shapes.size(), 4u);
  EXPECT_EQ(k.shapes[1].x2, 329);  // 300 + 29.41
  EXPECT_EQ(k.shapes[1].y2, 50);
  EXPECT_EQ(k.shapes[0].y2, 40);       // the neck starts 40 % along
  EXPECT_EQ(k.shapes[0].a, 300 - 12);  // the shoulder bows against the tab
  k.shapes.clear();
  k.drawShapedLine(300, 0, 300, 100, 100, 100, 1, -1);
  EXPECT_EQ(k.shapes[1].x2, 270);  // 300 − 29.41 = 270.59
  k.shapes.clear();
  k.drawShapedLine(0, 200, 100, 200, 100, 100, 0, 1);
  EXPECT_EQ(k.shapes[1].x2, 50);
  EXPECT_EQ(k.shapes[1].y2, 229);
  EXPECT_EQ(k.shapes[3].x2, 100);
}

TEST_F(ShapeGridTest, MixedStyleChoosesEveryStyle) {
  TKreatorKlockow k;
  k.KSZTALT = CUT_MIXED;
  SeedRandom(99);
  k.createGrid(10, 8, 640, 480, 0, 0);
  // Shapes per cut line tell the style: classic 4 curves, arc 1, zig-zags 4 segments, bump 3.
  std::set<size_t> sizes;
  for (const TShape& s : k.shapes) sizes.insert(s.listaLini.size());
  EXPECT_TRUE(sizes.count(101) || sizes.count(102));  // curves, with or without closing segment
  EXPECT_TRUE(sizes.count(1));                        // straight segments
  sizes.erase(101), sizes.erase(102), sizes.erase(1);
  EXPECT_TRUE(sizes.empty());
  EXPECT_GT(k.shapes.size(), 142u);  // more than one shape per line on average
}

TEST_F(ShapeGridTest, MaskIsPureWhiteOnBlackWithConnectedLines) {
  for (int style : {CUT_CLASSIC, CUT_ARC, CUT_ZIGZAG, CUT_TOOTH, CUT_BUMP}) {
    TKreatorKlockow k;
    k.KSZTALT = style;
    k.createGrid(10, 8, 640, 480, 0, 0);
    PixmapRef mask = k.drawOn(640, 480);
    ASSERT_EQ(mask->width, 640);
    int white = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const uint32_t p = mask->ReadPixel(x, y);
        ASSERT_TRUE(p == 0xFFFFFFFFu || p == 0xFF000000u) << x << "," << y;
        if (p != 0xFFFFFFFFu) continue;
        ++white;
        // Every line pixel away from the ends of the border touches another, at least
        // diagonally: no single isolated dots through which the fill could be misled.
        int neighbours = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if ((dx || dy) && mask->ReadPixel(x + dx, y + dy) == 0xFFFFFFFFu) ++neighbours;
        ASSERT_GT(neighbours, 0) << "style " << style << " at " << x << "," << y;
      }
    }
    EXPECT_GT(white, 640 + 480);
    // The top and left border are inside, the right and bottom ones just outside.
    EXPECT_EQ(mask->ReadPixel(320, 0), 0xFFFFFFFFu);
    EXPECT_EQ(mask->ReadPixel(0, 240), 0xFFFFFFFFu);
    EXPECT_EQ(mask->ReadPixel(639, 30), 0xFF000000u);  // no grid line: x 639 is inside a piece
    EXPECT_EQ(mask->ReadPixel(30, 479), 0xFF000000u);
  }
}

TEST_F(ShapeGridTest, OneByOneMaskHasOnlyTheTopAndLeftBorder) {
  TKreatorKlockow k;
  k.createGrid(1, 1, 50, 40, 0, 0);
  PixmapRef mask = k.drawOn(50, 40);
  int white = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) white += mask->ReadPixel(x, y) == 0xFFFFFFFFu;
  EXPECT_EQ(white, 50 + 40 - 1);
}

TEST_F(ShapeGridTest, DrawingTheGridUsesTheSameLines) {
  TKreatorKlockow k;
  k.KSZTALT = CUT_BUMP;
  k.createGrid(4, 3, 400, 300, 0, 0);
  PixmapRef mask = k.drawOn(400, 300);
  SetBlend(SOLIDBLEND);
  k.draw();
  for (int y = 1; y < 300; ++y)
    for (int x = 1; x < 400; ++x) ASSERT_EQ(Pixel(x, y), mask->ReadPixel(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace orvela
