// Snapping and groups: the 5-pixel fit and its mirror side, new groups on top, joining a
// group in its place, a group pulling a loose piece onto itself, the piece-by-piece merge of
// two groups, chained drops and their sounds, the win, and the mends (a group grabbed left of
// its reference point, a one-sided neighbour relation, a merge that stalls).
#include <gtest/gtest.h>

#include <algorithm>

#include "play/play_support.h"
#include "play/spark.h"

namespace orvela {
namespace {

using testing::PlayTest;

using SnapTest = PlayTest;

// The play list's entries as ids: a piece is its id, a group the ids of its members.
std::vector<std::vector<int>> Entries(const TPuzzelGame& play) {
  std::vector<std::vector<int>> out;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      out.push_back({piece->id});
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      std::vector<int> ids;
      for (const Ref<TPuzel>& member : group->listaSpasowanych) ids.push_back(member->id);
      out.push_back(ids);
    }
  }
  return out;
}

TEST_F(SnapTest, FourPixelsOffSnapsAndFiveDoesNotInEitherAxis) {
  for (const auto& [dx, dy, joins] : {std::tuple{4.0f, 0.0f, true},
                                      {-4.0f, 4.0f, true},
                                      {5.0f, 0.0f, false},
                                      {0.0f, -5.0f, false},
                                      {4.9f, 4.9f, true}}) {
    SCOPED_TRACE(::testing::Message() << dx << ", " << dy);
    MakePuzzle(3, 2, 50, 0, 0);
    const Ref<TPuzel> a = Piece(0), b = Piece(1);
    a->x = 300, a->y = 200;
    PlaceBeside(b, a, dx, dy);
    Drop(b);
    if (joins) {
      ASSERT_TRUE(GroupOf(1));
      EXPECT_EQ(b->x, 350);  // the exact place
      EXPECT_EQ(b->y, 200);
    } else {
      EXPECT_FALSE(GroupOf(1));
      EXPECT_EQ(play->listaPuzzli.Last(), b);  // dropped loose, it comes to the top
    }
  }
}

TEST_F(SnapTest, AMirrorPlaceFitsAndMovesThePieceToTheTrueSide) {
  MakePuzzle(3, 2, 50, 0, 0);
  const Ref<TPuzel> a = Piece(0), b = Piece(1);  // b belongs right of a
  a->x = 300, a->y = 200;
  b->x = 252, b->y = 201;  // left of a, within 5 pixels of the mirror place
  Drop(b);
  ASSERT_TRUE(GroupOf(1));
  EXPECT_EQ(b->x, 350);
  EXPECT_EQ(b->y, 200);
}

TEST_F(SnapTest, TwoLoosePiecesMakeANewGroupOnTopAndAGroupKeepsItsPlaceWhenJoined) {
  MakePuzzle(3, 2, 50, 0, 0);
  for (int id = 0; id < 6; ++id) Piece(id)->x = 100.0f * id, Piece(id)->y = 400;
  Piece(0)->x = 300, Piece(0)->y = 200;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  EXPECT_EQ(Entries(*play), (std::vector<std::vector<int>>{{2}, {3}, {4}, {5}, {1, 0}}));
  const GroupRef group = GroupOf(0);
  for (const Ref<TPuzel>& member : group->listaSpasowanych) EXPECT_EQ(member->_dShadowAlpha, 0);
  EXPECT_EQ(group->w, Piece(1)->x);  // the grab offset starts at the first member's place
  EXPECT_EQ(group->x, 0);
  // A piece joining a group that lies under other pieces: the group stays where it is.
  play->listaPuzzli.Remove(group);
  play->listaPuzzli.AddFirst(group);
  PlaceBeside(Piece(4), Piece(0));
  Drop(Piece(4));
  EXPECT_EQ(Entries(*play), (std::vector<std::vector<int>>{{1, 0, 4}, {2}, {3}, {5}}));
  EXPECT_EQ(TSpark::List().Count(), 30);  // 15 sparks per joined piece
}

TEST_F(SnapTest, AGroupDroppedOnALoosePiecePullsThePieceOntoItself) {
  MakePuzzle(3, 2, 50, 0, 0);
  Piece(0)->x = 300, Piece(0)->y = 200;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  const GroupRef group = GroupOf(0);
  // Piece 2 lies 3 pixels off its place right of piece 1; the group is dropped there.
  PlaceBeside(Piece(2), Piece(0), 3, -2);
  services.sounds.clear();
  Drop(group);
  ASSERT_EQ(GroupOf(2), group);
  EXPECT_EQ(Piece(0)->x, 300);  // the group did not move
  EXPECT_EQ(Piece(2)->x, 400);
  EXPECT_EQ(Piece(2)->y, 200);
  // The join sounds twice (the piece's own snap, then the group's), then the drop clicks
  // once per round of the chained drop.
  EXPECT_EQ(std::count(services.sounds.begin(), services.sounds.end(), PlaySound::kGood), 2);
  EXPECT_EQ(services.sounds.back(), PlaySound::kClick);
}

TEST_F(SnapTest, TwoGroupsMergePieceByPieceIntoOneGroupOnTop) {
  MakePuzzle(5, 1, 50, 0, 0);
  Piece(4)->x = 600, Piece(4)->y = 500;
  Piece(0)->x = 100, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  Piece(2)->x = 500, Piece(2)->y = 100;
  PlaceBeside(Piece(3), Piece(2));
  Drop(Piece(3));
  const GroupRef resting = GroupOf(0), carried = GroupOf(2);
  // The carried group lies 3 pixels off, and its own pieces drifted a pixel apart.
  PlaceBeside(Piece(2), Piece(0), 3, 3);
  PlaceBeside(Piece(3), Piece(2), 1, -1);
  Drop(carried);
  EXPECT_EQ(Entries(*play), (std::vector<std::vector<int>>{{4}, {1, 0, 2, 3}}));
  EXPECT_EQ(play->listaPuzzli.Last(), resting);  // the resting group takes the carried one
  for (int id = 1; id < 4; ++id) {
    EXPECT_EQ(Piece(id)->x, 100 + 50.0f * id) << id;  // exact, drift gone
    EXPECT_EQ(Piece(id)->y, 300) << id;
  }
}

TEST_F(SnapTest, ADroppedGroupThatFitsNothingStaysBelowLaterPieces) {
  MakePuzzle(3, 2, 50, 0, 0);
  for (int id = 0; id < 6; ++id) Piece(id)->x = 120.0f * id, Piece(id)->y = 400;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  const GroupRef group = GroupOf(0);
  play->listaPuzzli.Remove(group);
  play->listaPuzzli.AddFirst(group);
  group->move(200, 0);  // somewhere nothing fits
  Drop(group);
  EXPECT_EQ(play->listaPuzzli.First(), group);
  for (const Ref<TPuzel>& member : group->listaSpasowanych) EXPECT_EQ(member->_dShadowAlpha, 0);
}

TEST_F(SnapTest, OneDropChainsEveryJoinItMakesPossible) {
  // 0-1 lie as a group; 3 lies loose at its place under 2's; dropping 2 between them joins
  // 2 to 1, then the group to 3.
  MakePuzzle(4, 1, 50, 0, 0);
  Piece(0)->x = 100, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  PlaceBeside(Piece(3), Piece(0));
  PlaceBeside(Piece(2), Piece(0), 2, 2);
  services.sounds.clear();
  Drop(Piece(2));
  EXPECT_EQ(Entries(*play), (std::vector<std::vector<int>>{{1, 0, 2, 3}}));
  EXPECT_EQ(play->_stan, "WIN");  // the last join wins the game
  // A click for each round of the drop: the piece, the group it joined, the grown group.
  EXPECT_EQ(std::count(services.sounds.begin(), services.sounds.end(), PlaySound::kClick), 3);
  EXPECT_EQ(std::count(services.sounds.begin(), services.sounds.end(), PlaySound::kInfo), 1);
}

TEST_F(SnapTest, TheWinCentresTheSolvedPuzzleAndFadesThePictureIn) {
  MakePuzzle(2, 1, 50, 0, 0);
  Piece(0)->x = 10, Piece(0)->y = 500;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  ASSERT_EQ(play->_stan, "WIN");
  const GroupRef group = std::dynamic_pointer_cast<TSpasowanePuzle>(play->listaPuzzli.First());
  EXPECT_EQ(group->x, 0);
  EXPECT_EQ(play->_obrx, 400 - 320);  // the picture is 640 × 480
  EXPECT_EQ(Piece(1)->x, 50 + 80);
  EXPECT_EQ(Piece(1)->y, 0 + 60);
  int frames = 0;
  while (play->_stan == "WIN") play->update(), ++frames;
  EXPECT_EQ(frames, 200);  // 0.005 a frame, landing exactly on 1
  EXPECT_EQ(play->_stan, "SHOWWININFO");
  play->update();
  EXPECT_EQ(play->_stan, "WININFO");
  EXPECT_TRUE(play->listaPuzzli.IsEmpty());
  EXPECT_EQ(play->_dInfoAlpha, 1);
  EXPECT_FLOAT_EQ(play->_dImgScale, static_cast<float>(play->infoWin->width) / (640 + 240));
}

TEST_F(SnapTest, AGroupGrabbedLeftOfItsReferencePointStaysUnderThePointer) {
  // A group made beside the left edge has members left of its reference point (0, 0); the
  // grab offset keeps its sign, so picking such a member up does not make the group jump.
  MakePuzzle(3, 1, 50, 0, 0);
  Piece(2)->x = 600;
  Piece(0)->x = -30, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  const GroupRef group = GroupOf(0);
  RunPlay([&](int frame) {
    if (frame == 25) Press(5, 320);  // on piece 0, left of the reference point
    if (frame == 26) Release();
    if (frame == 27) MoveTo(105, 320);
    if (frame == 29) {
      ASSERT_EQ(play->puzel, group);
      EXPECT_EQ(Piece(0)->x, -30 + 100);
      EXPECT_EQ(Piece(1)->x, 20 + 100);
      StopPlay();
    }
  });
}

TEST_F(SnapTest, AOneSidedNeighbourRelationStillJoinsAndMerges) {
  // The cutter can find a relation from one side only where pieces meet at a corner: here
  // piece 2 knows nothing of its neighbours, while piece 1 knows it.
  MakePuzzle(4, 1, 50, 0, 0);
  Piece(2)->_sasiedzi.Clear();
  Piece(0)->x = 100, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  // The group is dropped by the piece that does not know it: the piece still comes over.
  PlaceBeside(Piece(2), Piece(0), 2, -3);
  Drop(GroupOf(0));
  ASSERT_EQ(GroupOf(2), GroupOf(0));
  EXPECT_EQ(Piece(2)->x, 200);
  EXPECT_EQ(Piece(2)->y, 300);
  // A merge places such a piece from the resting group's record of it.
  MakePuzzle(4, 1, 50, 0, 0);
  Piece(2)->_sasiedzi.Clear();
  auto resting = std::make_shared<TSpasowanePuzle>(), carried = std::make_shared<TSpasowanePuzle>();
  Piece(0)->x = 100, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  PlaceBeside(Piece(2), Piece(0), 6, 7);
  PlaceBeside(Piece(3), Piece(0), 8, 5);
  resting->listaSpasowanych.AddLast(Piece(0));
  resting->listaSpasowanych.AddLast(Piece(1));
  carried->listaSpasowanych.AddLast(Piece(2));
  carried->listaSpasowanych.AddLast(Piece(3));
  EXPECT_EQ(play->grupaPolaczona(resting, carried), resting);
  EXPECT_EQ(resting->listaSpasowanych.Count(), 4);
  EXPECT_EQ(Piece(2)->x, 200);
  EXPECT_EQ(Piece(3)->x, 250);
  EXPECT_EQ(Piece(3)->y, 300);
}

TEST_F(SnapTest, AMergeThatCannotPlaceAPieceLosesNoPiece) {
  // Piece 3 has no relation to anything (a damaged puzzle): merging its group stops, and
  // it stays on the table.
  MakePuzzle(4, 1, 50, 0, 0);
  Piece(3)->_sasiedzi.Clear();
  Piece(2)->_sasiedzi.Clear();
  Piece(0)->x = 100, Piece(0)->y = 300;
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  auto odd = std::make_shared<TSpasowanePuzle>();
  odd->listaSpasowanych.AddLast(Piece(2));
  odd->listaSpasowanych.AddLast(Piece(3));
  play->listaPuzzli.Remove(Piece(2));
  play->listaPuzzli.Remove(Piece(3));
  play->listaPuzzli.AddLast(odd);
  Piece(3)->x = 700;
  PlaceBeside(Piece(2), Piece(0), 1, 1);
  Drop(odd);
  int pieces = 0;
  for (const auto& entry : Entries(*play)) pieces += static_cast<int>(entry.size());
  EXPECT_EQ(pieces, 4);
  EXPECT_EQ(Entries(*play).size(), 2u);
}

}  // namespace
}  // namespace orvela
