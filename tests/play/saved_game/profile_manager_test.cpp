// The profile manager: the profile at start-up (the default one made only when there is none,
// a broken one kept aside and reported once), the writes during play (at most once a second,
// none lost), a finished puzzle, whether a puzzle is in progress, and continuing it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "construction/cutter.h"
#include "engine/files/files.h"
#include "play/saved_game/profile_manager.h"
#include "play/saved_game/profile_support.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::ProfileTest;

class ProfileManagerTest : public ProfileTest {
 protected:
  // A game in the file, and nothing in memory (as at start-up).
  std::string GameInTheFile() {
    StartGame();
    Join({0, 1}, 5, 5);
    EXPECT_EQ(profile.save(*play, profiles.grid), 1);
    profiles.NewGame();
    return ReadProfile();
  }
  // A profile as start-up makes it: no name yet.
  void FreshProfile() {
    profile._url.clear();
    profile._name.clear();
    profile._gfxUrl.clear();
    profile._level = -1;
  }

  TProfileManager manager{profiles, *play, profiles.grid};
};

TEST_F(ProfileManagerTest, StartUpWritesTheDefaultProfileOnlyWhenThereIsNone) {
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 0);
  manager.flush();
  EXPECT_EQ(profile._url, "tobrin.prof");
  EXPECT_EQ(profile._name, "Tobrin");
  EXPECT_EQ(profile._level, -1);
  EXPECT_EQ(profiles.new_games, 1);
  EXPECT_NE(ReadProfile().find("Name=\"Tobrin\""), std::string::npos);
  EXPECT_FALSE(manager.gameInProgress());

  const std::string saved = GameInTheFile();
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 1);
  manager.flush();
  EXPECT_EQ(ReadProfile(), saved);  // read, not written over
  EXPECT_EQ(profile._gfxUrl, kPicture);
  EXPECT_EQ(profile._level, 0);
  EXPECT_TRUE(manager.gameInProgress());
  EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(ProfileManagerTest, ABrokenProfileIsKeptAsideReportedOnceAndReplaced) {
  for (const char* copy : {".broken", ".broken.2"}) {
    SCOPED_TRACE(copy);
    const std::string broken = std::string("Profile{\n\tlevel=0.0\n\tlines{\n") + copy;
    WriteProfile(broken);
    FreshProfile();
    const size_t messages = platform().Messages().size();
    EXPECT_EQ(manager.checkProfiles(), 0);
    manager.flush();
    EXPECT_EQ(testing::ReadBytes(ProfilePath() + copy), broken);
    ASSERT_EQ(platform().Messages().size(), messages + 1);
    const std::string& told = platform().Messages().back();
    EXPECT_NE(told.find("could not be read"), std::string::npos) << told;
    EXPECT_NE(told.find(std::string("tobrin.prof") + copy), std::string::npos) << told;
    // A fresh profile in its place.
    EXPECT_EQ(profile._level, -1);
    EXPECT_NE(ReadProfile().find("level=-1.0"), std::string::npos);
    EXPECT_FALSE(manager.gameInProgress());
  }
}

TEST_F(ProfileManagerTest, ABrokenProfileThatCannotBeMovedAsideIsNeverWrittenOver) {
  // Every name a broken copy could take is a folder: the file cannot be moved.
  for (const char* copy : {".broken", ".broken.2", ".broken.3", ".broken.4", ".broken.5"}) {
    fs::create_directories(ProfilePath() + copy + "/inside");
  }
  const std::string broken = "Profile{\n\tlevel=0.0\n\tlines{\n";
  WriteProfile(broken);
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 0);
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("could not be moved aside"), std::string::npos)
      << platform().Messages()[0];
  EXPECT_FALSE(manager.gameInProgress());
  // Play goes on, and neither a save nor a change on the table touches the file.
  StartGame();
  EXPECT_FALSE(play->listaPuzzli.IsEmpty());
  manager.saveProfile();
  manager.tableChanged();
  manager.playLeft();
  manager.flush();
  EXPECT_EQ(ReadProfile(), broken);
  EXPECT_TRUE(fs::is_directory(ProfilePath() + ".broken.5/inside"));
  EXPECT_EQ(platform().Messages().size(), 1u);
}

// A saved game damaged in one byte, or something that is no file in its place, once counted as
// "no game" (and was written over at the next save), hung the game in open(), or was said to
// name the picture "": each is kept aside and said in one message, and a fresh profile starts.
TEST_F(ProfileManagerTest, DamagedHeadersAndNonFilesAreKeptAsideAndSaidOnce) {
  const std::string saved = GameInTheFile();
  auto edit = [&](const std::string& from, const std::string& to) {
    std::string text = saved;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  struct Case {
    const char* what;
    std::string text;  // the file's content; "" for no regular file
    std::function<void()> make;
    const char* said;
  };
  const std::vector<Case> cases = {
      {"level 1", edit("level=0.00000000", "level=1"), nullptr, "its level is 1,"},
      {"a zero byte in the picture's name", edit("obr1.jpg", std::string("obr1\0.jpg", 9)), nullptr,
       "\"gfx/puzzle/obr1\\0.jpg\", which is not one of the game's pictures"},
      {"a zero byte where a name goes", edit("\tlines{", std::string("\t\0lines{", 8)), nullptr,
       "Unknown character ('\\0') at line 7"},
      {"a pipe", "", [&] { ASSERT_EQ(::mkfifo(ProfilePath().c_str(), 0600), 0); },
       "it is a device or a pipe, not a file"},
      {"a link to a device", "", [&] { fs::create_symlink("/dev/zero", ProfilePath()); },
       "it is a device or a pipe, not a file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& entry : fs::directory_iterator(profiles.user_dir + "/profiles")) {
      fs::remove(entry.path());
    }
    if (c.make) {
      c.make();
    } else {
      WriteProfile(c.text);
    }
    FreshProfile();
    const size_t messages = platform().Messages().size();
    EXPECT_EQ(manager.checkProfiles(), 0);
    manager.flush();
    ASSERT_EQ(platform().Messages().size(), messages + 1);
    const std::string& told = platform().Messages().back();
    EXPECT_NE(told.find(c.said), std::string::npos) << told;
    EXPECT_NE(told.find("kept as tobrin.prof.broken"), std::string::npos) << told;
    if (c.make) {
      EXPECT_FALSE(fs::is_regular_file(ProfilePath() + ".broken"));
      EXPECT_TRUE(fs::exists(fs::symlink_status(ProfilePath() + ".broken")));
    } else {
      EXPECT_EQ(testing::ReadBytes(ProfilePath() + ".broken"), c.text);
    }
    EXPECT_NE(ReadProfile().find("level=-1.0"), std::string::npos);  // a fresh profile
    EXPECT_FALSE(manager.gameInProgress());
  }
}

TEST_F(ProfileManagerTest, AGameOfAPictureOfNoSetIsBroken) {
  std::string text = GameInTheFile();
  text.replace(text.find("obr1.jpg"), 8, "obr7.jpg");
  WriteProfile(text);
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 0);
  manager.flush();
  EXPECT_TRUE(fs::exists(ProfilePath() + ".broken"));
  EXPECT_EQ(platform().Messages().size(), 1u);
  EXPECT_FALSE(manager.gameInProgress());
}

TEST_F(ProfileManagerTest, WithoutAFolderNothingIsWrittenOrAsked) {
  profiles.user_dir.clear();
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 0);
  EXPECT_EQ(profile._name, "Tobrin");
  StartGame();
  EXPECT_EQ(manager.saveProfile(), 0);
  manager.tableChanged();
  manager.flush();
  EXPECT_TRUE(platform().Messages().empty());
  EXPECT_TRUE(manager.gameInProgress());  // the game in memory can still be resumed
}

TEST_F(ProfileManagerTest, ChangesAreWrittenAtMostOnceASecondAndNoneIsLost) {
  StartGame();
  platform().SetClock(10000);
  const Ref<TPuzel> piece = Piece(5);
  piece->x = 111;
  manager.tableChanged();  // the first change is written at once
  manager.flush();
  EXPECT_NE(ReadProfile().find("\"5 111.000000 "), std::string::npos);

  piece->x = 222;
  platform().AdvanceClock(100);
  manager.tableChanged();
  platform().AdvanceClock(800);
  manager.saveWhenDue();
  manager.flush();
  EXPECT_NE(ReadProfile().find("\"5 111.000000 "), std::string::npos) << "written too soon";

  platform().AdvanceClock(100);  // a second after the last write
  manager.saveWhenDue();
  manager.flush();
  EXPECT_NE(ReadProfile().find("\"5 222.000000 "), std::string::npos) << "the change was lost";

  // Nothing waits: nothing is written.
  fs::remove(ProfilePath());
  platform().AdvanceClock(5000);
  manager.saveWhenDue();
  manager.flush();
  EXPECT_FALSE(fs::exists(ProfilePath()));
  // Leaving the play screen writes at once, whenever the last write was.
  manager.tableChanged();
  manager.playLeft();
  manager.flush();
  EXPECT_TRUE(fs::exists(ProfilePath()));
}

// The play screen keeps its game saved with the manager as its keeper, the game around it
// taking no part: a new puzzle's cell size goes into the profile, a drop writes the table, and
// the last join writes that no game is left.
TEST_F(ProfileManagerTest, ThePlayScreenKeepsItsGameSavedThroughTheManager) {
  StartGame();
  play->keeper = &manager;
  profile._w = profile._h = 0;
  TKreatorKlockow& grid = profiles.grid;
  const TWsp cell = grid.getWH();
  play->startNewGame(kPicture, grid.drawOn(640, 480), grid.drawOn(640, 480), cell.x, cell.y);
  EXPECT_EQ(profile._w, cell.x);
  EXPECT_EQ(profile._h, cell.y);

  const GroupRef group = Join({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 0);
  Piece(11)->x = 600;
  Piece(11)->y = 500;
  Drop(Piece(11));
  manager.flush();
  EXPECT_NE(ReadProfile().find("\"11 600.000000 500.000000\""), std::string::npos);
  EXPECT_NE(ReadProfile().find("level=0.0"), std::string::npos);

  PlaceBeside(Piece(11), Piece(0));
  Drop(Piece(11));  // the last join: the puzzle is won
  ASSERT_EQ(play->_stan, "WIN");
  manager.flush();
  EXPECT_EQ(profile._level, -1);
  EXPECT_NE(ReadProfile().find("level=-1.0"), std::string::npos);
  EXPECT_NE(ReadProfile().find("\tPuzzels{\n\t\tilosc=0.0"), std::string::npos);
}

TEST_F(ProfileManagerTest, AFinishedPuzzleIsSavedAsNoGameToContinue) {
  StartGame();
  EXPECT_TRUE(manager.gameInProgress());
  manager.gameFinished();
  manager.flush();
  EXPECT_EQ(profile._level, -1);
  EXPECT_NE(ReadProfile().find("level=-1.0"), std::string::npos);
  EXPECT_FALSE(manager.gameInProgress());
}

TEST_F(ProfileManagerTest, APuzzleIsInProgressWhileAtLeastTwoEntriesLieOnItsTable) {
  StartGame();
  EXPECT_TRUE(manager.gameInProgress());
  play->_stan = "WIN";
  EXPECT_FALSE(manager.gameInProgress());
  play->_stan = "GRA";
  const GroupRef group = Join({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 0);
  EXPECT_EQ(play->listaPuzzli.Count(), 2);
  EXPECT_TRUE(manager.gameInProgress());
  play->_dolacz(Piece(11), group);  // one entry: the last join, before the win is seen
  manager.playLeft();
  manager.flush();
  EXPECT_FALSE(manager.gameInProgress());
  // Nothing in memory: the file's table decides, and it holds one entry.
  profiles.NewGame();
  EXPECT_EQ(profile.fileEntries(), 1);
  EXPECT_FALSE(manager.gameInProgress());
}

TEST_F(ProfileManagerTest, ContinuingRebuildsThePuzzleWhenThePlayScreenHoldsNone) {
  StartGame();
  Join({3, 7}, 40, 50);
  manager.saveProfile();
  manager.flush();
  profiles.NewGame();
  ASSERT_TRUE(manager.gameInProgress());
  ASSERT_TRUE(manager.continueGame());
  EXPECT_EQ(play->listaPomocnicza.Count(), 12);
  ASSERT_TRUE(GroupOf(3));
  EXPECT_EQ(GroupOf(3)->x, 40);
  // While the play screen holds it, continuing takes it as it is.
  Piece(0)->x = 7;
  EXPECT_TRUE(manager.continueGame());
  EXPECT_EQ(Piece(0)->x, 7);
}

TEST_F(ProfileManagerTest, ContinuingFromABrokenFileKeepsItAsideAndStartsAfresh) {
  std::string text = GameInTheFile();
  text.replace(text.find("\t\tl1="), 5, "\t\tx1=");  // the first cut line is gone
  WriteProfile(text);
  ASSERT_TRUE(manager.gameInProgress());
  EXPECT_FALSE(manager.continueGame());
  manager.flush();
  EXPECT_EQ(testing::ReadBytes(ProfilePath() + ".broken"), text);
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("cut line 1"), std::string::npos);
  EXPECT_EQ(profile._level, -1);
  EXPECT_TRUE(play->listaPuzzli.IsEmpty());
  EXPECT_FALSE(manager.gameInProgress());
}

TEST_F(ProfileManagerTest, AFolderWhereTheProfileShouldBeIsLeftAloneAndSaid) {
  fs::create_directory(ProfilePath());
  FreshProfile();
  EXPECT_EQ(manager.checkProfiles(), 0);
  StartGame();
  EXPECT_EQ(manager.saveProfile(), 0);
  manager.flush();
  EXPECT_TRUE(fs::is_directory(ProfilePath()));
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("is not a file"), std::string::npos);
}

TEST_F(ProfileManagerTest, AFailedWriteIsReportedOnceAndTheOldFileStaysWhole) {
  StartGame();
  manager.saveProfile();
  manager.flush();
  const std::string saved = ReadProfile();
  // A folder named as the temporary file once was (every save then failed) is no longer in
  // the way; a disk that fills up is, and is said so, not as a folder that cannot be written.
  fs::create_directory(ProfilePath() + ".tmp");
  manager.saveProfile();
  manager.flush();
  EXPECT_TRUE(platform().Messages().empty());
  InjectWriteFaultForTesting(WriteFault::kFailWhileWriting);
  Piece(0)->x = 333;
  manager.saveProfile();
  manager.flush();
  manager.saveProfile();
  manager.flush();
  InjectWriteFaultForTesting(WriteFault::kNone);
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_EQ(platform().Messages()[0], "Your puzzle could not be saved: the disk is full.");
  EXPECT_EQ(ReadProfile(), saved);
}

}  // namespace
}  // namespace orvela
