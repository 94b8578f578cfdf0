// Pieces: the hover test through the host, clicks, the shadow and blink animation, the six
// shadow layers, the tints, curve flights and their sparks, and the area test.
#include <gtest/gtest.h>

#include "construction/piece.h"
#include "engine/random.h"
#include "support/headless.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

struct TestHost : PieceHost {
  TList<TPuzel> pieces;
  int allow = 1;
  Ref<TPuzel> picked;
  int moznaOver(const TPuzel&) override { return allow; }
  void setPuzzel(const Ref<TPuzel>& piece) override { picked = piece; }
  const TList<TPuzel>& allPieces() const override { return pieces; }
  Ref<TObject> groupOf(const TPuzel&) override { return nullptr; }
};

struct TestSparks : SparkEmitter {
  int count = 0, last_x = 0, last_y = 0;
  void Emit(int, int x, int y, float, int, int, int, int, int, int, float, float) override {
    ++count, last_x = x, last_y = y;
  }
};

class PieceTest : public HeadlessTest {
 protected:
  PieceTest() {
    SetGlobalMouse(mouse);
    SetPieceHost(&host);
    SetSparkEmitter(&sparks);
    SetFrameFactor(1);
    piece->img = TImage::Load(SolidPixmap(40, 30, 0xFFFFFFFF), 0);
    piece->x = 100, piece->y = 100;
    host.pieces.AddLast(piece);
  }
  ~PieceTest() override {
    SetGlobalMouse(nullptr);
    SetPieceHost(nullptr);
    SetSparkEmitter(nullptr);
  }
  // One frame of input: the pointer at (x, y), pressed or not.
  void Frame(int x, int y, bool press) {
    platform().QueueMouseMove(x, y);
    if (press) platform().QueueMouseButton(1, true);
    mouse->fetchState();
    if (press) platform().QueueMouseButton(1, false);
    piece->update(1, 0, 0);
  }
  std::shared_ptr<TMouse> mouse = std::make_shared<TMouse>();
  TestHost host;
  TestSparks sparks;
  Ref<TPuzel> piece = std::make_shared<TPuzel>();
};

TEST_F(PieceTest, HoverUsesTheBoxStrictlyAndAsksTheHost) {
  Frame(120, 115, false);
  EXPECT_EQ(piece->_over, 1);
  Frame(100, 115, false);  // on the edge: outside
  EXPECT_EQ(piece->_over, 0);
  Frame(101, 101, false);  // a corner of the box counts, transparent or not
  EXPECT_EQ(piece->_over, 1);
  host.allow = 0;  // another piece lies on top
  Frame(120, 115, false);
  EXPECT_EQ(piece->_over, 0);
  host.allow = 1;
  Frame(120, 115, false);
  piece->_lezy = 1;  // lying pieces keep their flags
  Frame(10, 10, false);
  EXPECT_EQ(piece->_over, 1);
}

TEST_F(PieceTest, AClickPicksUpLiftsTheShadowAndUnmarks) {
  piece->_oznaczony = 1;
  Frame(120, 115, true);
  EXPECT_EQ(host.picked, piece);
  EXPECT_EQ(piece->_dShadowAlpha, 1);
  EXPECT_EQ(piece->_oznaczony, 0);
  int frames = 1;  // the click frame already stepped once
  while (piece->_shadowAlpha < 1 && frames < 100) Frame(120, 115, false), ++frames;
  EXPECT_EQ(frames, 17);  // 0.06 per frame: full after 17 frames
  EXPECT_EQ(piece->_shadowAlpha, 1.0f);
}

TEST_F(PieceTest, MarkedPiecesBlinkBetweenWhiteAndRedEvenWhenHovered) {
  piece->_oznaczony = 1;
  float lowest = 255;
  bool turned = false;
  for (int i = 0; i < 128; ++i) {
    piece->alphaUpdate();
    lowest = std::min(lowest, piece->_k);
    turned = turned || piece->_dk > 0;
  }
  EXPECT_EQ(lowest, 0);
  EXPECT_TRUE(turned);
  piece->_over = 1;
  piece->_k = 0;
  SetBlend(SOLIDBLEND);
  piece->draw(1, 0, 0);
  EXPECT_EQ(Pixel(110, 110), 0xFFFF0000u);  // the mark wins over the hover tint
  piece->_oznaczony = 0;
  piece->alphaUpdate();
  EXPECT_EQ(piece->_k, 255);
  piece->draw(1, 0, 0);
  EXPECT_EQ(Pixel(110, 110), 0xFFE6E6E6u);  // hover tint
  piece->colr = 5;
  piece->draw(1, 0, 0);
  EXPECT_EQ(Pixel(110, 110), 0xFFFF0000u);
}

TEST_F(PieceTest, ShadowIsSixFaintLayersBelowAndRight) {
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  DrawRect(0, 0, 300, 300);
  SetBlend(ALPHABLEND);
  piece->_shadowAlpha = 0;
  piece->drawShadow(1, 0, 0);
  EXPECT_EQ(Pixel(120, 120), 0xFFFFFFFFu);  // no strength: invisible
  piece->_shadowAlpha = 1;
  piece->drawShadow(1, 0, 0);
  // Inside all six layers: white darkened six times by 7 %: 255 · 0.93^6 ≈ 165.
  EXPECT_NEAR(static_cast<int>(Pixel(120, 120) & 255), 165, 3);
  // Near the lower right edge fewer layers cover: lighter.
  EXPECT_GT(Pixel(142, 137) & 255, Pixel(120, 120) & 255);
  EXPECT_EQ(Pixel(100, 110), 0xFFFFFFFFu);  // the anchor is one right and six down
  EXPECT_EQ(Pixel(120, 105), 0xFFFFFFFFu);
}

TEST_F(PieceTest, CurveFlightEndsExactlyOnTheDestination) {
  piece->xD = 333.7f, piece->yD = 51.2f;
  piece->mx = 700, piece->my = 20;
  piece->t = 0.999f;
  piece->updateCurve();
  EXPECT_EQ(piece->t, 1);
  EXPECT_EQ(piece->x, 333);
  EXPECT_EQ(piece->y, 51);
  EXPECT_EQ(sparks.count, 1);
  piece->updateCurve();  // done: nothing more
  EXPECT_EQ(sparks.count, 1);

  auto flyer = std::make_shared<TPuzel>();
  flyer->img = piece->img;
  flyer->x = 10, flyer->y = 10, flyer->xD = 400, flyer->yD = 300;
  flyer->mx = 100, flyer->my = 500;
  int steps = 0;
  while (flyer->t < 1 && steps < 1000) flyer->updateCurve(), ++steps;
  EXPECT_EQ(steps, 201);  // 0.005 a frame in single precision passes 1 on the 201st call
  EXPECT_EQ(flyer->x, 400);
  EXPECT_EQ(flyer->y, 300);
  EXPECT_EQ(flyer->x, flyer->xc);
}

TEST_F(PieceTest, SparksComeFromTheFlightPointAndUseTheRandomSequence) {
  piece->t = 0.5f;
  piece->xc = 50, piece->yc = 60;
  SeedRandom(5);
  piece->_sparki();
  EXPECT_GE(sparks.last_x, 50);
  EXPECT_LE(sparks.last_x, 50 + 30);
  EXPECT_GE(sparks.last_y, 60);
  EXPECT_LE(sparks.last_y, 60 + 20);
  // Eight draws per spark (two of them for the velocity).
  SeedRandom(5);
  for (int i = 0; i < 8; ++i) RandomUnit();
  const double next = RandomUnit();
  SeedRandom(5);
  piece->_sparki();
  EXPECT_EQ(RandomUnit(), next);
}

TEST_F(PieceTest, AreaTestAndLookups) {
  // The centre (120, 115) inside, whichever way the rectangle was dragged.
  EXPECT_EQ(piece->wObszarze(110, 105, 20, 20), 1);
  EXPECT_EQ(piece->wObszarze(130, 125, -20, -20), 1);
  EXPECT_EQ(piece->wObszarze(120, 105, 20, 20), 0);  // on the edge
  piece->id = 7;
  EXPECT_EQ(TPuzel::getByID(host.pieces, 7), piece);
  EXPECT_EQ(TPuzel::getByID(host.pieces, 8), nullptr);
  auto other = std::make_shared<TPuzel>();
  auto record = std::make_shared<TSasiad>();
  record->puzel = other;
  piece->_sasiedzi.AddLast(record);
  EXPECT_EQ(TSasiad::getByPuzel(*other, *piece), record);
  EXPECT_EQ(TSasiad::getByPuzel(*piece, *piece), nullptr);
  EXPECT_EQ(piece->_nieSasiad(*other), 0);
  EXPECT_EQ(piece->_nieSasiad(*piece), 1);
  piece->_krawedzie = {TWsp::Create(3, 4, 0)};
  EXPECT_EQ(piece->_zgadzaSie(TWsp::Create(3, 4, 9), 0), 1);
  EXPECT_EQ(piece->_zgadzaSie(TWsp::Create(4, 3, 0), 0), 0);
  piece->_scale = 1, piece->_adX = 80, piece->_adY = 60, piece->xD = 10.7f, piece->yD = 5;
  EXPECT_EQ(piece->getXD(), 90);
  EXPECT_EQ(piece->getYD(), 65);
}

}  // namespace
}  // namespace orvela
