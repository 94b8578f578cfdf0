// Test support for saved games: a ProfileServices over the play test's play screen and
// cutter, with a shape grid of its own (given to the profile's saves and rebuilds) and the
// per-user folder in the test's temporary folder, and a fixture that starts the 12-piece
// picture (cut in arcs, 4 × 3) as the main menu does.
#pragma once

#include <map>
#include <string>

#include "construction/shape_grid.h"
#include "play/play_support.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_services.h"

namespace orvela::testing {

class FakeProfileServices : public ProfileServices {
 public:
  std::string UserDir() override { return user_dir; }
  GameSet SetOf(const std::string& picture) override;
  void NewGame() override;
  TProfile& Profile() override { return *profile; }

  std::string user_dir;
  TKreatorKlockow grid;
  TPuzzelGame* play = nullptr;
  TRozcinacz* cutter = nullptr;
  TProfile* profile = nullptr;
  std::map<std::string, int> sets;  // picture → pieces
  int new_games = 0;
};

class ProfileTest : public PlayTest {
 protected:
  static constexpr const char* kPicture = "gfx/puzzle/obr1.jpg";

  ProfileTest();

  // Starts a new game of the 12-piece picture: the grid, its masks, the cut, the scatter.
  void StartGame();
  // Joins pieces a, b, ... into a group in that order, each put at its solved place beside
  // the first (as snapping leaves them); the group's reference point is set to (x, y).
  GroupRef Join(std::initializer_list<int> ids, float x, float y);
  // The table as text: every entry in drawing order, pieces as "id x y", groups as
  // "group x y [members]".
  std::string Table() const;

  std::string ProfilePath() const { return profiles.user_dir + "/profiles/tobrin.prof"; }
  std::string ReadProfile() const;
  void WriteProfile(const std::string& text) const;

  FakeProfileServices profiles;
  TProfile profile{&profiles};
};

}  // namespace orvela::testing
