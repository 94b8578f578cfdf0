// The cutter on the real picture sets and on small synthetic pictures: piece counts, neighbour
// records, coverage of the picture, the lit and shaded rims, the shuffle, and pictures that
// cannot be cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "construction/cutter.h"
#include "construction/picture_sets.h"
#include "construction/shape_grid.h"
#include "engine/random.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

using Set = PictureSet;
constexpr const PictureSet (&kSets)[4] = kPictureSets;

uint32_t Rgb(uint32_t c) {
  return c & 0xFFFFFFu;
}

class CutterTest : public HeadlessTest {
 protected:
  // Cuts a real set as the game does.
  void CutSet(const Set& set) {
    TKreatorKlockow grid;
    grid.KSZTALT = set.ksztalt;
    grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows), 640, 480, 0, 0);
    PixmapRef a = grid.drawOn(640, 480), b = grid.drawOn(640, 480);
    ASSERT_TRUE(cutter.setup(set.url, a, b));
    cutter.potnij(640, 480, 0, grid._skokX, grid._skokY);
  }
  // A picture of one grey and a mask with the given white lines (plus the top and left
  // border, as the shape grid draws it).
  void CutSynthetic(int w, int h, const std::vector<std::array<int, 4>>& lines) {
    TKreatorKlockow grid;
    for (const auto& l : lines) grid.addline(l[0], l[1], l[2], l[3], 1.0f);
    PixmapRef a = grid.drawOn(w, h), b = grid.drawOn(w, h);
    ASSERT_TRUE(cutter.setup(SolidPixmap(w, h, 0xFF646464), a, b));
    cutter.potnij(w, h, 0, 0, 0);
  }
  TRozcinacz cutter;
};

TEST_F(CutterTest, EachRealSetGivesRowsTimesColumnsPiecesThatCoverThePicture) {
  for (const Set& set : kSets) {
    SCOPED_TRACE(set.url);
    CutSet(set);
    ASSERT_EQ(cutter.listaObrazkow.Count(), set.rows * set.cols);
    EXPECT_EQ(cutter._adX, 80);
    EXPECT_EQ(cutter._adY, 60);
    // The shuffle keeps every piece once; ids follow creation order.
    std::set<TPuzel*> shuffled, made;
    for (const auto& p : cutter.listaObrazkow) shuffled.insert(p.get());
    int id = 0;
    for (const auto& p : cutter.listaPomocnicza) {
      made.insert(p.get());
      EXPECT_EQ(p->id, id++);
    }
    EXPECT_EQ(shuffled, made);
    // At their correct places the pieces cover the pixels off the cut lines once. Line pixels
    // belong to every piece that touches them; the few pixels walled in where lines meet (a
    // pocket without a seed) belong to none.
    std::vector<int> cover(640 * 480, 0);
    int records = 0;
    for (const auto& p : cutter.listaPomocnicza) {
      const TPixmap& img = *p->img->pixmaps[0];
      for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
          if ((img.ReadPixel(x, y) >> 24) != 0) ++cover[(p->yD + y) * 640 + p->xD + x];
      // Every neighbour record: owner's place = neighbour's place + (sigX·odx, sigy·ody).
      for (const auto& record : p->_sasiedzi) {
        const Ref<TPuzel> n = record->puzel.lock();
        ASSERT_TRUE(n);
        EXPECT_EQ(p->xD, n->xD + record->sigX * record->odx);
        EXPECT_EQ(p->yD, n->yD + record->sigy * record->ody);
        ++records;
      }
    }
    EXPECT_GE(records, (set.rows - 1) * set.cols + (set.cols - 1) * set.rows);
    int pockets = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const int n = cover[y * 640 + x];
        if (Rgb(cutter.imageMask->ReadPixel(x, y)) != 0xFFFFFFu) {
          ASSERT_LE(n, 1) << x << "," << y;
          pockets += n == 0;
        } else {
          ASSERT_LE(n, 4) << x << "," << y;
        }
      }
    }
    EXPECT_LT(pockets, 64);
    // The first piece holds the first seed; the working mask is used up.
    const auto& first = cutter.listaPomocnicza.First();
    EXPECT_LE(first->xD, 23);
    EXPECT_LE(first->yD, 23);
    EXPECT_EQ(cutter.potnij(640, 480, 0, 0, 0), 0);
  }
}

// The neighbours as the search is written: every 15th inner edge pixel of each piece, asked of
// every other piece in list order, the first one that holds it and is not yet a neighbour.
std::vector<std::vector<int>> SearchedNeighbours(const TList<TPuzel>& pieces, int max_x,
                                                 int max_y) {
  std::vector<std::vector<int>> result;
  for (const auto& r : pieces) {
    std::vector<int> found;
    for (size_t i = 0; i < r->_krawedzie.size(); i += 15) {
      const TWsp& p = r->_krawedzie[i];
      if (!(p.x > 0 && p.x < max_x && p.y > 0 && p.y < max_y)) continue;
      for (const auto& b : pieces) {
        if (b == r || !b->_zgadzaSie(p, 0)) continue;
        if (std::find(found.begin(), found.end(), b->id) != found.end()) continue;
        found.push_back(b->id);
        break;
      }
    }
    result.push_back(found);
  }
  return result;
}

TEST_F(CutterTest, NeighbourRecordsAreThoseOfTheEdgeByEdgeSearch) {
  std::vector<Set> sets(std::begin(kSets), std::end(kSets));
  sets.push_back({"gfx/puzzle/obr2.jpg", 8, 10, CUT_MIXED, 0, 0});
  for (const Set& set : sets) {
    SCOPED_TRACE(set.url);
    SeedRandom(set.ksztalt + 3);
    CutSet(set);
    const auto want = SearchedNeighbours(cutter.listaPomocnicza, 639, 479);
    size_t k = 0;
    for (const auto& p : cutter.listaPomocnicza) {
      std::vector<int> got;
      for (const auto& record : p->_sasiedzi) got.push_back(record->puzel.lock()->id);
      EXPECT_EQ(got, want[k++]) << "piece " << p->id;
    }
  }
}

TEST_F(CutterTest, RegionsWithoutASeedAreLeftOut) {
  // A strip left of x = 23 holds no lattice seed; the rest does.
  CutSynthetic(100, 60, {{{15, 0, 15, 60}}});
  ASSERT_EQ(cutter.listaPomocnicza.Count(), 1);
  const auto& piece = cutter.listaPomocnicza.First();
  EXPECT_EQ(piece->xD, 15);                // the line pixel is part of the piece
  EXPECT_EQ(piece->img->width, 100 - 15);  // and the piece reaches the right border
}

TEST_F(CutterTest, AWalledInSliverIsNoPieceButPartOfThePiecesAroundIt) {
  // Two lines pass a pixel apart round lattice seed (48, 28) and wall in a 3 × 3 hole there:
  // two pieces, not three, and the finished picture has no hole.
  CutSynthetic(100, 60,
               {{{46, 0, 46, 60}},
                {{50, 0, 50, 26}},
                {{50, 30, 50, 60}},
                {{46, 26, 50, 26}},
                {{46, 30, 50, 30}}});
  ASSERT_EQ(cutter.listaPomocnicza.Count(), 2);
  int covering = 0;
  for (const auto& piece : cutter.listaPomocnicza) {
    const int px = 48 - static_cast<int>(piece->xD), py = 28 - static_cast<int>(piece->yD);
    const TPixmap& img = *piece->img->pixmaps[0];
    if (px >= 0 && py >= 0 && px < img.width && py < img.height &&
        img.ReadPixel(px, py) != TRozcinacz::kKey)
      ++covering;
  }
  EXPECT_GE(covering, 1);
}

TEST_F(CutterTest, TheWorkingMaskIsUsedUpAndSliversWithoutASeedBecomeLines) {
  // Left of x = 15 no seed: a region left as it is, with a 3 × 3 sliver walled in there.
  CutSynthetic(100, 60,
               {{{15, 0, 15, 60}}, {{4, 4, 8, 4}}, {{8, 4, 8, 8}}, {{8, 8, 4, 8}}, {{4, 8, 4, 4}}});
  ASSERT_EQ(cutter.listaPomocnicza.Count(), 1);
  const TPixmap& mask = *cutter.tempMask;
  EXPECT_EQ(mask.ReadPixel(50, 30), TRozcinacz::kClaimed);  // the piece's pixels
  EXPECT_EQ(mask.ReadPixel(99, 59), TRozcinacz::kClaimed);
  EXPECT_EQ(Rgb(mask.ReadPixel(15, 30)), 0xFFFFFFu);  // its line stays
  for (int y = 5; y <= 7; ++y) {
    for (int x = 5; x <= 7; ++x) EXPECT_EQ(Rgb(mask.ReadPixel(x, y)), 0xFFFFFFu) << x << "," << y;
  }
  EXPECT_EQ(mask.ReadPixel(10, 30), 0xFF000000u);  // the region without a seed
  EXPECT_EQ(mask.ReadPixel(2, 2), 0xFF000000u);
  // The caller's masks are not touched.
  EXPECT_EQ(cutter.imageMask->ReadPixel(50, 30), 0xFF000000u);
}

TEST_F(CutterTest, ACutOverPartOfThePictureStartsPiecesWhereTheSeedScanOfThatPartSays) {
  for (const Set& set : kSets) {
    SCOPED_TRACE(set.url);
    SeedRandom(9);
    TKreatorKlockow grid;
    grid.KSZTALT = set.ksztalt;
    grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows), 640, 480, 0, 0);
    PixmapRef a = grid.drawOn(640, 480), b = grid.drawOn(640, 480);
    const PixmapRef scanned = b->Copy();
    const std::vector<TWsp> seeds = TRozcinacz::PieceSeeds(*scanned, 517, 433);
    ASSERT_TRUE(cutter.setup(set.url, a, b));
    ASSERT_EQ(cutter.potnij(517, 433, 0, 0, 0), static_cast<int>(seeds.size()));
    size_t k = 0;
    for (const auto& piece : cutter.listaPomocnicza) {
      // Each piece holds its seed (or, for a region the part split in two, was cut from it).
      const TWsp& seed = seeds[k++];
      EXPECT_LE(piece->xD, seed.x);
      EXPECT_LE(piece->yD, seed.y);
    }
  }
}

TEST_F(CutterTest, EveryStyleClosesEveryPieceWhateverTheColumnCount) {
  // Widths that do not divide into whole cells put the last grid points on the picture's last
  // column and row; the cut lines must still meet the border there.
  for (int style : {CUT_CLASSIC, CUT_ARC, CUT_ZIGZAG, CUT_TOOTH, CUT_BUMP, CUT_MIXED}) {
    for (const auto& [cols, rows] : {std::pair{3, 3}, {4, 3}, {6, 5}, {7, 4}, {9, 7}, {10, 8}}) {
      for (int seed = 0; seed < 4; ++seed) {
        SeedRandom(seed);
        TKreatorKlockow grid;
        grid.KSZTALT = style;
        grid.createGrid(static_cast<float>(cols), static_cast<float>(rows), 640, 480, 0, 0);
        const PixmapRef mask = grid.drawOn(640, 480);
        EXPECT_EQ(TRozcinacz::PieceSeeds(*mask, 640, 480).size(), static_cast<size_t>(cols * rows))
            << "style " << style << ", " << cols << " x " << rows << ", seed " << seed;
      }
    }
  }
}

TEST_F(CutterTest, RimsAreLitOnTheUpperLeftThenTwiceAtTheCorner) {
  CutSynthetic(40, 40, {{{20, 0, 20, 40}}});
  ASSERT_EQ(cutter.listaPomocnicza.Count(), 1);
  const TPixmap& img = *cutter.listaPomocnicza.First()->img->pixmaps[0];
  ASSERT_EQ(img.width, 20);
  ASSERT_EQ(img.height, 40);
  auto grey = [&](int x, int y) { return static_cast<int>(img.ReadPixel(x, y) & 255); };
  // The crossing of the top border and the line touches no claimed pixel: not part of the
  // piece. Next to it the rim starts and is lit twice: 100 + 45 (row) + 45 (column), opaque.
  EXPECT_EQ(img.ReadPixel(0, 0), TRozcinacz::kKey);
  EXPECT_EQ(img.ReadPixel(1, 0), 0xFFBEBEBEu);
  EXPECT_EQ(grey(2, 0), 100 + 30 + 45);
  EXPECT_EQ(img.ReadPixel(0, 1), 0xFFBEBEBEu);
  EXPECT_EQ(grey(5, 0), 145);
  EXPECT_EQ(grey(5, 1), 130);
  EXPECT_EQ(grey(5, 2), 115);
  EXPECT_EQ(img.ReadPixel(0, 5), 0xEE919191u);  // row start only: alpha 0xEE
  EXPECT_EQ(grey(1, 5), 130);
  EXPECT_EQ(grey(2, 5), 115);
  EXPECT_EQ(img.ReadPixel(5, 5), 0xFF646464u);
  EXPECT_EQ(grey(5, 39), 100);  // a run reaching the last row is not shaded
}

TEST_F(CutterTest, ColumnRunsEndingInsideAreShadedNearestTheEndDarkest) {
  auto buffer = TPixmap::Create(1, 10, PF_BGRA8888, 4);
  buffer->ClearPixels(TRozcinacz::kKey);
  for (int y = 0; y < 6; ++y) buffer->WritePixel(0, y, 0xFF646464);
  cutter._tempX = 0, cutter._tempXX = 0, cutter._tempY = 0, cutter._tempYY = 9;
  cutter.stworzKrawedzieH(buffer);
  const int want[6] = {145, 130, 100, 75, 50, 25};  // +45 +30 (+15 replaced) −25 −50 −75
  for (int y = 0; y < 6; ++y)
    EXPECT_EQ(static_cast<int>(buffer->ReadPixel(0, y) & 255), want[y]) << y;
  EXPECT_EQ(buffer->ReadPixel(0, 7), TRozcinacz::kKey);
}

TEST_F(CutterTest, RowPassBrightensTheFirstThreePixelsOfEveryRun) {
  auto region = TPixmap::Create(800, 600, PF_BGRA8888, 4);
  region->ClearPixels(TRozcinacz::kKey);
  for (int x = 12; x < 20; ++x) region->WritePixel(x, 7, 0xFF0A1428);
  for (int x = 24; x < 30; ++x) region->WritePixel(x, 7, 0xFFF0F0F0);
  cutter._tempX = 10, cutter._tempXX = 31, cutter._tempY = 7, cutter._tempYY = 7;
  PixmapRef row = cutter.stworzKrawedzieV(*region);
  ASSERT_EQ(row->width, 22);
  EXPECT_EQ(row->ReadPixel(2, 0), 0xEE374155u);  // +45 with alpha 0xEE
  EXPECT_EQ(row->ReadPixel(3, 0), 0xFF283246u);  // +30
  EXPECT_EQ(row->ReadPixel(4, 0), 0xFF192337u);  // +15
  EXPECT_EQ(row->ReadPixel(5, 0), 0xFF0A1428u);
  EXPECT_EQ(row->ReadPixel(14, 0), 0xEEFFFFFFu);  // held at 255
  EXPECT_EQ(row->ReadPixel(0, 0), TRozcinacz::kKey);
}

TEST_F(CutterTest, NeighbourRecordsPointFromOwnerToNeighbour) {
  auto left = std::make_shared<TPuzel>(), right = std::make_shared<TPuzel>();
  left->x = 100, left->y = 50;
  right->x = 200, right->y = 50;
  const Ref<TSasiad> record = cutter.stworzSasiada(*left, right);
  EXPECT_EQ(record->puzel.lock(), right);
  EXPECT_EQ(record->odx, 100);
  EXPECT_EQ(record->ody, 0);
  EXPECT_EQ(record->sigX, -1);
  EXPECT_EQ(record->sigy, 0);
  EXPECT_EQ(record->r, 100);
  EXPECT_EQ(record->spasowany, 0);
}

TEST_F(CutterTest, PicturesThatCannotBeCutGiveAMessageAndNoPieces) {
  PixmapRef mask = SolidPixmap(900, 700, 0xFF000000);
  EXPECT_FALSE(cutter.setup(SolidPixmap(900, 700, 0xFF808080), mask, mask));
  EXPECT_EQ(platform().Messages().size(), 1u);
  EXPECT_EQ(cutter.potnij(900, 700, 0, 0, 0), 0);
  EXPECT_FALSE(cutter.setup((TempDir() / "missing.jpg").string(), mask, mask));
  EXPECT_EQ(platform().Messages().back().rfind("Image does not exists: ", 0), 0u);
  PixmapRef small = SolidPixmap(100, 100, 0xFF000000);
  EXPECT_FALSE(cutter.setup(SolidPixmap(200, 100, 0xFF808080), small, small));
  EXPECT_EQ(platform().Messages().size(), 3u);
  EXPECT_EQ(cutter.potnij(200, 100, 0, 0, 0), 0);
  EXPECT_TRUE(cutter.listaObrazkow.IsEmpty());
}

// A progress object that counts the waiting-screen steps.
struct CountingProgress : CutProgress {
  int starts = 0, frames = 0, pulses = 0;
  void Start() override { ++starts; }
  void Pulse() override { ++pulses; }
  void Draw() override { ++frames; }
};

TEST_F(CutterTest, TheWaitingScreenIsRedrawnThreeTimesAPiece) {
  CountingProgress progress;
  cutter.progress = &progress;
  CutSet(kSets[0]);
  EXPECT_EQ(progress.starts, 1);
  EXPECT_EQ(progress.frames, 12 * 3);  // after both rim passes, and during the neighbours
  EXPECT_GE(progress.pulses, 12);
}

TEST_F(CutterTest, TheSameSeedGivesTheSameCut) {
  auto shapes = [&] {
    SeedRandom(77);
    CutSet(kSets[1]);
    std::vector<int> order;
    for (const auto& p : cutter.listaObrazkow) order.push_back(p->id);
    for (const auto& p : cutter.listaPomocnicza) order.push_back(p->_sasiedzi.Count());
    return order;
  };
  EXPECT_EQ(shapes(), shapes());
}

}  // namespace
}  // namespace orvela
