// The player's aids: the rubber band and the carried selection, the hint, the ghost picture,
// sort up, and clean up (on the real 80-piece set: where the walk starts, how it steps, and
// that every piece stays within reach).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "construction/shape_grid.h"
#include "engine/engine.h"
#include "engine/random.h"
#include "play/play_support.h"
#include "play/selection.h"

namespace orvela {
namespace {

using testing::PlayTest;

class AidsTest : public PlayTest {
 protected:
  AidsTest() {
    MakePuzzle(4, 3, 60, 0, 0);
    for (int id = 0; id < 12; ++id) {
      Piece(id)->x = 110.0f * static_cast<float>(id % 6) + 40;
      Piece(id)->y = 170.0f * static_cast<float>(id / 6) + 120;
    }
  }
  // The ids the rubber band from (x0, y0) to (x1, y1) selects.
  std::set<int> Band(int x0, int y0, int x1, int y1) {
    play->xz = -1;
    services.mouse->x = x0, services.mouse->y = y0;
    play->_zaznaczanie();
    services.mouse->x = x1, services.mouse->y = y1;
    play->_zaznaczanie();
    std::set<int> ids;
    if (play->zazn) {
      for (const Ref<TObject>& entry : play->zazn->listaZaznaczonych) {
        if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) ids.insert(piece->id);
        if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
          for (const Ref<TPuzel>& m : group->listaSpasowanych) ids.insert(100 + m->id);
        }
      }
    }
    return ids;
  }
  int Marked() const {
    int marked = 0;
    for (const Ref<TPuzel>& piece : play->listaPomocnicza) marked += piece->_oznaczony;
    return marked;
  }
  static constexpr int kIn = 22;
};

TEST_F(AidsTest, ABandSelectsByPieceCentresStrictlyInsideWhicheverWayItIsDragged) {
  // Piece centres: x 70, 180, 290, ...; y 150 and 320.
  const std::set<int> down_right = Band(60, 100, 300, 200);
  EXPECT_EQ(down_right, (std::set<int>{0, 1, 2}));
  EXPECT_EQ(Band(300, 200, 60, 100), down_right);  // dragged up and left
  EXPECT_EQ(Band(300, 100, 60, 200), down_right);
  EXPECT_EQ(Band(70, 100, 290, 200), (std::set<int>{1}));  // centres on the edges: outside
  EXPECT_TRUE(Band(0, 0, 30, 30).empty());
  EXPECT_FALSE(play->zazn);  // an empty band selects nothing
}

TEST_F(AidsTest, ALiftedSelectionStaysWhereItLiesThenFollowsThePointerAndDropsWithoutSnapping) {
  PlaceBeside(Piece(3), Piece(2), 2, 0);  // 3 lies within snapping distance of 2
  play->listaPuzzli.Remove(Piece(3));
  play->listaPuzzli.AddFirst(Piece(3));
  RunPlay([&](int frame) {
    if (frame == kIn) Press(140, 100);
    if (frame == kIn + 1) MoveTo(310, 200);
    if (frame == kIn + 3) Release();  // pieces 1 and 2 are selected and lifted here
    if (frame == kIn + 5) {
      ASSERT_TRUE(std::dynamic_pointer_cast<TZaznaczenie>(play->puzel));
      EXPECT_EQ(Piece(1)->_dShadowAlpha, 1);  // lifted
      EXPECT_EQ(Piece(0)->_dShadowAlpha, 0);
      EXPECT_EQ(Piece(2)->x, 260);  // exactly where they lay
      EXPECT_EQ(Piece(1)->y, 120);
      MoveTo(400, 300);
    }
    if (frame == kIn + 7) {
      EXPECT_EQ(Piece(2)->x, 260 + 90);  // then they follow the pointer's movement
      EXPECT_EQ(Piece(1)->x, 150 + 90);
      EXPECT_EQ(Piece(1)->y, 120 + 100);
      // Put down beside piece 3's place with a one-frame click: a selection never snaps.
      PlaceBeside(Piece(3), Piece(2), 2, 0);
      Press(400, 300);
    }
    if (frame == kIn + 8) Release();
    if (frame == kIn + 12) {
      EXPECT_FALSE(play->puzel);  // put down for good, not lifted again by the release
      EXPECT_FALSE(GroupOf(2));
      EXPECT_EQ(Piece(1)->_dShadowAlpha, 0);
      StopPlay();
    }
  });
}

// Pieces that clean up lays out, and loose pieces a hint marks, come to the top of the table.
TEST_F(AidsTest, CleanUpAndTheHintBringTheirPiecesToTheTop) {
  for (int id : {1, 4, 5, 8, 9}) PlaceBeside(Piece(id), Piece(0)), Drop(Piece(id));
  const GroupRef group = GroupOf(0);
  play->listaPuzzli.Remove(group);
  play->listaPuzzli.AddLast(group);  // the group lies over every loose piece
  play->poukladajPuzzle();
  std::vector<int> order;
  for (const Ref<TObject>& entry : play->listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) order.push_back(piece->id);
  }
  EXPECT_EQ(play->listaPuzzli.First(), group);
  EXPECT_EQ(order, (std::vector<int>{2, 3, 6, 7, 10, 11}));  // their own order kept
  for (int round = 0; round < 20; ++round) {
    play->_giveHint();  // at least one of the two is loose: a group's own pair is joined
    const auto top = std::dynamic_pointer_cast<TPuzel>(play->listaPuzzli.Last());
    ASSERT_TRUE(top);
    EXPECT_EQ(top->_oznaczony, 1);
  }
}

TEST_F(AidsTest, ASelectionHoldingAGroupMovesOnlyItsLoosePieces) {
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  const GroupRef group = GroupOf(0);
  const float group_x = Piece(0)->x;
  Band(20, 100, 300, 200);
  ASSERT_TRUE(play->zazn);
  EXPECT_EQ(play->zazn->listaZaznaczonych.Count(), 2);  // piece 2 and the group
  const float x2 = Piece(2)->x;
  play->zazn->move(50, 0);
  EXPECT_EQ(Piece(2)->x, x2 + 50);
  EXPECT_EQ(Piece(0)->x, group_x);
}

TEST_F(AidsTest, TheHintMarksTwoUnjoinedNeighboursUntilTheNextPickUp) {
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  PlaceBeside(Piece(5), Piece(0));
  Drop(Piece(5));  // 0, 1 and 5 are one group
  for (int seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed);
    std::vector<float> places;
    for (const Ref<TPuzel>& p : play->listaPomocnicza) places.push_back(p->x);
    services.sounds.clear();
    play->_giveHint();
    std::vector<Ref<TPuzel>> marked;
    for (const Ref<TPuzel>& p : play->listaPomocnicza) {
      if (p->_oznaczony) marked.push_back(p);
    }
    ASSERT_EQ(marked.size(), 2u) << seed;
    const GroupRef a = play->_wGrupie(*marked[0]), b = play->_wGrupie(*marked[1]);
    EXPECT_TRUE(!a || !b || a != b) << "seed " << seed << " marked one group's pieces";
    EXPECT_TRUE(TSasiad::getByPuzel(*marked[1], *marked[0]) ||
                TSasiad::getByPuzel(*marked[0], *marked[1]));  // neighbours
    EXPECT_TRUE(services.sounds.empty());
    std::vector<float> after;
    for (const Ref<TPuzel>& p : play->listaPomocnicza) after.push_back(p->x);
    EXPECT_EQ(after, places);  // nothing moved
  }
  // The next pick-up of any piece clears the marks.
  RunPlay([&](int frame) {
    if (frame == kIn) Press(static_cast<int>(Piece(11)->x) + 5, static_cast<int>(Piece(11)->y) + 5);
    if (frame == kIn + 1) {
      EXPECT_EQ(play->puzel, Piece(11));
      EXPECT_EQ(Marked(), 0);
      StopPlay();
    }
  });
}

TEST_F(AidsTest, WithEveryPieceInOneGroupTheHintDoesNothing) {
  // Once the game hung here: no open pair exists, and the hint drew pairs for ever.
  for (int id = 1; id < 12; ++id) PlaceBeside(Piece(id), Piece(0));
  auto group = std::make_shared<TSpasowanePuzle>();
  for (int id = 0; id < 12; ++id) group->listaSpasowanych.AddLast(Piece(id));
  play->listaPuzzli.Clear();
  play->listaPuzzli.AddLast(group);
  play->_giveHint();
  EXPECT_EQ(Marked(), 0);
  play->listaPuzzli.Clear();  // after the win the table is empty: loose pieces again
  play->_giveHint();
  EXPECT_EQ(Marked(), 2);
}

TEST_F(AidsTest, TheGhostDrawsThePictureAtHalfStrengthUnderThePieces) {
  platform().UseNullRenderer(false);  // this one reads pixels
  OpenGraphics(800, 600, 0, 60, 0);
  play->obr = TImage::Load(testing::SolidPixmap(640, 480, 0xFFFFFFFFu), -1);
  auto background = [&] {
    play->_ghost = 0;
    play->draw();
    return Pixel(399, 530);  // under no piece, inside the picture's place
  };
  const uint32_t plain = background();
  play->checkGhost();
  EXPECT_EQ(play->_ghost, 1);
  play->draw();
  const uint32_t ghost = Pixel(399, 530);
  const int red = static_cast<int>((plain >> 16) & 255);
  EXPECT_NEAR(static_cast<int>((ghost >> 16) & 255), (red + 255) / 2, 3);
  play->checkGhost();
  EXPECT_EQ(play->_ghost, 0);
}

TEST_F(AidsTest, SortUpConfirmedFliesEveryPieceHomeAndEndsInTheInformationWindow) {
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));  // groups dissolve too
  std::string clock;
  RunPlay([&](int frame) {
    const TPuzzelGame& p = *play;
    if (frame == kIn) {
      const ButtonRef sort = p.menu->GetItem(3);
      Press(static_cast<int>(sort->dim->Left()) + 10, static_cast<int>(sort->dim->Top()) + 8);
    }
    if (frame == kIn + 1) Release();
    if (frame == kIn + 30) {  // the question, faded in: OK
      const ButtonRef ok = message->menu->GetItem(1);
      Press(static_cast<int>(ok->dim->Left()) + 10, static_cast<int>(ok->dim->Top()) + 10);
    }
    if (frame == kIn + 31) Release();
    if (p._stan == "AUTO" && clock.empty()) {
      clock = p.ClockText();
      EXPECT_EQ(p.listaPuzzli.Count(), 12);  // every piece loose
    }
    if (p._stan == "ENDINFO" && p._infoAlpha == 1) StopPlay();
  });
  ASSERT_EQ(play->_stan, "ENDINFO");
  EXPECT_EQ(play->ClockText(), clock);  // stopped since the flight began
  for (const Ref<TPuzel>& piece : play->listaPomocnicza) {
    EXPECT_EQ(piece->x, piece->xD) << piece->id;  // xD is now the centred place
    EXPECT_EQ(piece->xD, (piece->id % 4) * 60 + 400 - 320.0f) << piece->id;
    EXPECT_EQ(piece->y, (piece->id / 4) * 60 + 300 - 240.0f) << piece->id;
  }
  EXPECT_EQ(play->infoMenu->GetItem(1)->visible, 1);
}

class CleanUpTest : public PlayTest {
 protected:
  // Cuts the game's 80-piece picture as the game does.
  void CutTheEightyPieceSet(int seed) {
    SeedRandom(seed);
    TKreatorKlockow grid;
    grid.KSZTALT = CUT_BUMP;
    grid.createGrid(10, 8, 640, 480, 0, 0);
    play->startNewGame("gfx/puzzle/obr2.jpg", grid.drawOn(640, 480), grid.drawOn(640, 480),
                       grid._skokX, grid._skokY);
    ASSERT_EQ(play->listaPuzzli.Count(), 80);
  }
};

TEST_F(CleanUpTest, TheWalkStartsAtTheTopLeftAndStepsByTheSmallestPiece) {
  CutTheEightyPieceSet(3);
  const auto first = std::dynamic_pointer_cast<TPuzel>(play->listaPuzzli.First());
  const Ref<TPuzel> neighbour = first->_sasiedzi.First()->puzel.lock();
  PlaceBeside(neighbour, first);
  Drop(neighbour);  // two pieces joined: the group stays where it is
  const GroupRef group = std::dynamic_pointer_cast<TSpasowanePuzle>(play->listaPuzzli.Last());
  ASSERT_TRUE(group);
  const float group_x = group->listaSpasowanych.First()->x;
  int min_w = 800;
  std::vector<Ref<TPuzel>> loose;
  for (const Ref<TObject>& entry : play->listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      loose.push_back(piece);
      min_w = std::min(min_w, piece->img->width);
    }
  }
  play->poukladajPuzzle();
  EXPECT_EQ(loose[0]->x, 0);
  EXPECT_EQ(loose[0]->y, 31);
  EXPECT_EQ(loose[1]->x, min_w);
  EXPECT_EQ(loose[2]->x, 2 * min_w);
  EXPECT_EQ(loose[1]->y, 31);
  EXPECT_EQ(group->listaSpasowanych.First()->x, group_x);
}

TEST_F(CleanUpTest, EveryPieceOfTheLargestSetStaysWithinReach) {
  // Each lap round the edge takes about forty of these pieces, so 78 loose pieces fill two
  // laps: none is pushed up past the top of the screen, where six laps would be needed.
  for (int seed : {1, 2, 3}) {
    CutTheEightyPieceSet(seed);
    play->poukladajPuzzle();
    for (const Ref<TObject>& entry : play->listaPuzzli) {
      const auto piece = std::dynamic_pointer_cast<TPuzel>(entry);
      // Some of the piece lies on the screen below the bar, where the pointer can take it.
      EXPECT_GT(piece->x + static_cast<float>(piece->img->width), 2) << seed;
      EXPECT_LT(piece->x, 797) << seed;
      EXPECT_GT(piece->y + static_cast<float>(piece->img->height), 35) << seed;
      EXPECT_LT(piece->y, 597) << seed;
    }
  }
}

}  // namespace
}  // namespace orvela
