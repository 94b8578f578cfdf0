// Test support for saved games.
#include "play/saved_game/profile_support.h"

#include <filesystem>
#include <sstream>

#include "construction/cutter.h"

namespace orvela::testing {

ProfileServices::GameSet FakeProfileServices::SetOf(const std::string& picture) {
  GameSet set;
  if (const auto found = sets.find(picture); found != sets.end()) set.pieces = found->second;
  return set;
}

void FakeProfileServices::NewGame() {
  ++new_games;
  play->clear();
  cutter->clear();
  grid.clear();
}

ProfileTest::ProfileTest() {
  profiles.user_dir = (TempDir() / "user").string();
  std::filesystem::create_directories(profiles.user_dir + "/profiles");
  profiles.play = play.get();
  profiles.cutter = &services.cutter;
  profiles.profile = &profile;
  profiles.sets = {{kPicture, 12}};
  profile._url = TProfile::kDefaultFile;
  profile._name = TProfile::kDefaultName;
}

void ProfileTest::StartGame() {
  TKreatorKlockow& grid = profiles.grid;
  grid.KSZTALT = CUT_ARC;
  grid.createGrid(4, 3, 640, 480, 0, 0);
  profile._gfxUrl = kPicture;
  profile._level = 0;
  const TWsp cell = grid.getWH();
  play->startNewGame(kPicture, grid.drawOn(640, 480), grid.drawOn(640, 480), cell.x, cell.y);
  profile._w = cell.x;  // the game's one profile gets them from the play screen's keeper
  profile._h = cell.y;
  ASSERT_EQ(play->listaPomocnicza.Count(), 12);
}

GroupRef ProfileTest::Join(std::initializer_list<int> ids, float x, float y) {
  GroupRef group;
  Ref<TPuzel> first;
  for (int id : ids) {
    const Ref<TPuzel> piece = Piece(id);
    if (!first) {
      first = piece;
      continue;
    }
    PlaceBeside(piece, first);
    group = group ? play->_dolacz(piece, group) : play->_stworzGrupe(first, piece);
  }
  group->x = x;
  group->y = y;
  return group;
}

std::string ProfileTest::Table() const {
  std::ostringstream out;
  auto piece = [&](const TPuzel& p) { out << p.id << " " << p.x << " " << p.y; };
  for (const Ref<TObject>& entry : play->listaPuzzli) {
    if (auto p = std::dynamic_pointer_cast<TPuzel>(entry)) {
      piece(*p);
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      out << "group " << group->x << " " << group->y << " [";
      for (const Ref<TPuzel>& member : group->listaSpasowanych) {
        piece(*member);
        out << "; ";
      }
      out << "]";
    }
    out << "\n";
  }
  return out.str();
}

std::string ProfileTest::ReadProfile() const {
  return ReadBytes(ProfilePath());
}

void ProfileTest::WriteProfile(const std::string& text) const {
  WriteBytes(ProfilePath(), text);
}

}  // namespace orvela::testing
