// The profile file: what a save writes, and what loadData rebuilds from it, for the game's own
// files and for damaged ones (those are either rebuilt as far as they are sound or reported as
// broken with nothing half-built left behind).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "construction/cutter.h"
#include "play/play_clock.h"
#include "play/saved_game/profile_support.h"

namespace orvela {
namespace {

using testing::ProfileTest;

// The text with every match of the pattern replaced (the pattern must match).
std::string Edit(const std::string& text, const std::string& pattern, const std::string& with) {
  const std::regex re(pattern);
  EXPECT_TRUE(std::regex_search(text, re)) << pattern;
  return std::regex_replace(text, re, with);
}

class SavedGameTest : public ProfileTest {
 protected:
  // A game of the 12-piece picture with two groups and loose pieces at odd places.
  void MidGame() {
    StartGame();
    Join({0, 1, 4}, 12.25f, -3.5f);
    Join({10, 11}, 300, 200);
    Piece(5)->x = 99.9f;
    Piece(5)->y = -12.5f;
    ASSERT_EQ(profile.save(*play, profiles.grid), 1);
  }
  // Forgets the game, as a new run of the game has nothing in memory.
  void Forget() {
    profiles.NewGame();
    profile._gfxUrl.clear();
    profile._level = -1;
    profile._w = profile._h = 0;
  }
  void ExpectNothingBuilt() {
    EXPECT_TRUE(play->listaPuzzli.IsEmpty());
    EXPECT_TRUE(profiles.grid.shapes.empty());
    EXPECT_TRUE(services.cutter.listaObrazkow.IsEmpty());
  }
};

TEST_F(SavedGameTest, SavingWithNoGameWritesTheHeaderAndThreeEmptySections) {
  ASSERT_EQ(profile.save(*play, profiles.grid), 1);
  EXPECT_EQ(ReadProfile(),
            "Profile{\n"
            "\tName=\"Tobrin\"\n"
            "\tgfxUrl=\"\"\n"
            "\tlevel=-1.00000000\n"
            "\twh=0.00000000,0.00000000\n"
            "\ttime=0.00000000\n"
            "\tlines{\n\t\tilosc=0.00000000\n\t}\n"
            "\tPuzzels{\n\t\tilosc=0.00000000\n\t}\n"
            "\tgroups{\n\t\tilosc=0.00000000\n\t}\n"
            "}\n");
  EXPECT_EQ(profile.fileLevel(), -1);
  EXPECT_EQ(profile.fileEntries(), 0);
}

TEST_F(SavedGameTest, WithoutAFolderOrANameNothingIsWritten) {
  profiles.user_dir.clear();
  EXPECT_EQ(profile.path(), "");
  EXPECT_EQ(profile.save(*play, profiles.grid), 0);
  EXPECT_EQ(profile.load(), 0);
  EXPECT_FALSE(profile.broken());
  profiles.user_dir = (TempDir() / "user").string();
  profile._url.clear();
  EXPECT_EQ(profile.save(*play, profiles.grid), 0);
  EXPECT_FALSE(std::filesystem::exists(ProfilePath()));
}

TEST_F(SavedGameTest, TheFileHoldsTheLinesThePiecesAndTheGroupsInTheirOrder) {
  MidGame();
  const std::string text = ReadProfile();
  size_t lines = 0;
  for (const TShape& shape : profiles.grid.shapes) lines += shape.listaLini.size();
  const Tline& first = profiles.grid.shapes.front().listaLini.front();
  EXPECT_NE(text.find("\t\tl1=\"" + std::to_string(first.x1) + " " + std::to_string(first.y1) +
                      " " + std::to_string(first.x2) + " " + std::to_string(first.y2) + "\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t\tl" + std::to_string(lines) + "="), std::string::npos);
  EXPECT_EQ(text.find("\t\tl" + std::to_string(lines + 1) + "="), std::string::npos);
  EXPECT_NE(text.find("\t\tilosc=" + std::to_string(lines) + ".0"), std::string::npos);
  // Seven loose pieces, then the groups in table order with their members in joining order.
  EXPECT_NE(text.find("\"5 99.9000015 -12.5000000\""), std::string::npos);
  EXPECT_NE(text.find("\tgroups{\n\t\tilosc=2.00000000\n\t\tg1{\n\t\t\tpos=12.2500000,-3.50000000\n"
                      "\t\t\tp1=\"0 "),
            std::string::npos);
  EXPECT_NE(text.find("\t\t\tp3=\"4 "), std::string::npos);
  EXPECT_NE(text.find("\t\tg2{\n\t\t\tpos=300.000000,200.000000\n\t\t\tp1=\"10 "),
            std::string::npos);
  EXPECT_EQ(profile.fileEntries(), 9);
}

TEST_F(SavedGameTest, ContinuingRebuildsTheTableAndSavesTheSameFileAgain) {
  MidGame();
  const std::string saved = ReadProfile();
  // The file keeps the loose pieces apart from the groups: the table comes back with the loose
  // pieces first, each kind in its own order.
  std::vector<Ref<TObject>> loose, groups;
  for (const Ref<TObject>& entry : play->listaPuzzli) {
    (std::dynamic_pointer_cast<TPuzel>(entry) ? loose : groups).push_back(entry);
  }
  play->listaPuzzli.Clear();
  for (const auto* kind : {&loose, &groups}) {
    for (const Ref<TObject>& entry : *kind) play->listaPuzzli.AddLast(entry);
  }
  Piece(5)->x = 99;  // places come back whole: 99.9 as 99 and -12.5 as -12
  Piece(5)->y = -12;
  const std::string table = Table();
  std::vector<std::pair<float, float>> solved;
  for (const Ref<TPuzel>& piece : play->listaPomocnicza) solved.emplace_back(piece->xD, piece->yD);

  Forget();
  TProfile again(&profiles);
  again._url = TProfile::kDefaultFile;
  ASSERT_EQ(again.loadData(*play, profiles.grid), 1) << again.problem();
  EXPECT_EQ(Table(), table);
  EXPECT_EQ(again._gfxUrl, kPicture);
  EXPECT_EQ(again._level, 0);
  EXPECT_EQ(again._w, 160);
  EXPECT_EQ(again._h, 160);
  ASSERT_EQ(play->listaPomocnicza.Count(), 12);
  for (const Ref<TPuzel>& piece : play->listaPomocnicza) {
    // The same cut: the same ids at the same solved places, with neighbours.
    EXPECT_EQ(solved[static_cast<size_t>(piece->id)], std::make_pair(piece->xD, piece->yD));
    EXPECT_FALSE(piece->_sasiedzi.IsEmpty()) << piece->id;
  }
  EXPECT_TRUE(play->obr);
  // Saved once more, the file is the same but for the places that came back whole.
  profiles.profile = &again;
  ASSERT_EQ(again.save(*play, profiles.grid), 1);
  EXPECT_EQ(ReadProfile(),
            Edit(saved, "\"5 99.9000015 -12.5000000\"", "\"5 99.0000000 -12.0000000\""));
}

TEST_F(SavedGameTest, GroupedPiecesComeBackAsMembersWithTheirReferencePoints) {
  MidGame();
  Forget();
  ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  ASSERT_EQ(play->listaPuzzli.Count(), 7 + 2);
  const GroupRef first = GroupOf(0), second = GroupOf(10);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->x, 12.25f);
  EXPECT_EQ(first->y, -3.5f);
  EXPECT_EQ(second->x, 300);
  std::vector<int> members;
  for (const Ref<TPuzel>& member : first->listaSpasowanych) members.push_back(member->id);
  EXPECT_EQ(members, (std::vector<int>{0, 1, 4}));
  for (int id : {0, 1, 4, 10, 11}) {
    EXPECT_FALSE(play->listaPuzzli.Contains(Piece(id))) << id << " is a loose entry too";
  }
  // The members keep their solved offsets: moving the group moves them together.
  first->move(static_cast<int>(first->x) + 50, static_cast<int>(first->y));
  EXPECT_EQ(Piece(1)->x - Piece(0)->x, Piece(1)->xD - Piece(0)->xD);
}

TEST_F(SavedGameTest, ThePlayTimeIsKeptInTheHeaderAndAFileWithoutItReadsAsNone) {
  struct Case {
    const char* what;
    const char* time_line;  // replaces the saved "time" line ("" removes it)
    int seconds;
  };
  const Case cases[] = {
      {"as saved", nullptr, 4 * 60 + 12},
      {"a file of an older game", "", 0},
      {"a time below zero", "\ttime=-30.0000000\n", 0},
      {"a time no clock reaches", "\ttime=99999999999.0\n", PlayClock::kMaxSeconds},
      {"no number", "\ttime=\"soon\"\n", 0},
      // A key the reader does not know is passed over, as readers before the time pass over it.
      {"a key of a later game", "\ttime=252.000000\n\tmood=\"calm\"\n", 252},
  };
  StartGame();
  play->setPlaySeconds(4 * 60 + 12);
  ASSERT_EQ(profile.save(*play, profiles.grid), 1);
  const std::string saved = ReadProfile();
  EXPECT_NE(saved.find("\twh=160.000000,160.000000\n\ttime=252.000000\n"), std::string::npos);
  for (const Case& c : cases) {
    WriteProfile(c.time_line ? Edit(saved, "\ttime=[^\n]*\n", c.time_line) : saved);
    Forget();
    ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << c.what << ": " << profile.problem();
    EXPECT_EQ(play->playSeconds(), c.seconds) << c.what;
    // A game saved before the time was kept cannot make a best time.
    EXPECT_EQ(play->clockComplete, c.time_line == nullptr || *c.time_line != '\0') << c.what;
  }
}

TEST_F(SavedGameTest, NamesAreFoundWhateverTheirLetterCase) {
  MidGame();
  std::string text = ReadProfile();
  text = Edit(text, "\tlines\\{", "\tLines{");
  text = Edit(text, "\t\tl([0-9]+)=", "\t\tL$1=");
  text = Edit(text, "gfxUrl=", "GFXURL=");
  text = Edit(text, "\tPuzzels\\{", "\tpuzzels{");
  WriteProfile(text);
  Forget();
  ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  EXPECT_FALSE(profiles.grid.shapes.empty());
  EXPECT_EQ(play->listaPomocnicza.Count(), 12);
  EXPECT_EQ(GroupOf(11)->listaSpasowanych.Count(), 2);
}

TEST_F(SavedGameTest, LoadReadsTheHeaderAndCountsTheTable) {
  MidGame();
  TProfile fresh(&profiles);
  fresh._url = TProfile::kDefaultFile;
  ASSERT_EQ(fresh.load(), 1) << fresh.problem();
  EXPECT_EQ(fresh._name, "Tobrin");
  EXPECT_EQ(fresh._gfxUrl, kPicture);
  EXPECT_EQ(fresh._level, 0);
  EXPECT_EQ(fresh.grywalny(), 1);
  EXPECT_EQ(fresh._w, 160);
  EXPECT_EQ(fresh.fileEntries(), 9);
  // A profile without a game names no picture.
  Forget();
  ASSERT_EQ(profile.save(*play, profiles.grid), 1);
  ASSERT_EQ(fresh.load(), 1);
  EXPECT_EQ(fresh.grywalny(), 0);
  EXPECT_EQ(fresh.fileEntries(), 0);
}

// A damaged file of each kind: loadData fails and says the file is broken and why. A file
// found wrong before the rebuild began leaves the game in memory as it was; one found wrong
// during it leaves the play screen, the cutter and the grid empty, never half-built.
TEST_F(SavedGameTest, BrokenFilesAreReportedAndLeaveNothingHalfBuilt) {
  MidGame();
  const std::string good = ReadProfile();
  const std::string lines_key = "\t\tl[0-9]+=\"[^\"]*\"\n";
  struct Case {
    const char* what;
    std::function<std::string()> text;
    const char* problem;  // a part of the reason given
    bool rebuilding;      // found during the rebuild
  };
  const std::vector<Case> cases = {
      {"a text that is no TSC", [&] { return good.substr(0, good.size() / 2); }, "ERROR", false},
      {"an empty file", [] { return std::string(); }, "not one of the game's pictures", false},
      {"a picture of no set", [&] { return Edit(good, "obr1\\.jpg", "obr9.jpg"); },
       "not one of the game's pictures", false},
      {"no cut lines", [&] { return Edit(good, lines_key, ""); },
       "cut the picture into 1 piece instead", true},
      {"a cut line missing", [&] { return Edit(good, "\t\tl7=\"[^\"]*\"\n", ""); }, "cut line 7",
       true},
      {"a line outside the picture",
       [&] { return Edit(good, "l3=\"[^\"]*\"", "l3=\"0 0 641 10\""); }, "cut line 3", true},
      {"a line of three numbers", [&] { return Edit(good, "l3=\"[^\"]*\"", "l3=\"1 2 3\""); },
       "cut line 3", true},
      {"a line of words", [&] { return Edit(good, "l3=\"[^\"]*\"", "l3=\"a b c d\""); },
       "cut line 3", true},
      {"a line beyond every int",
       [&] { return Edit(good, "l3=\"[^\"]*\"", "l3=\"1 99999999999999999999 2 3\""); },
       "cut line 3", true},
      // One changed byte once made a saved puzzle count as no game, to be written over.
      {"level 1", [&] { return Edit(good, "level=[^\n]*", "level=1"); }, "its level is 1", false},
      {"level -inf", [&] { return Edit(good, "level=[^\n]*", "level=\"-inf\""); },
       "its level is -inf", false},
      {"a negative count", [&] { return Edit(good, "(Puzzels\\{[^}]*ilosc=)[^\n]*", "$1-7"); },
       "count of loose pieces is -7", false},
      {"a count that is no whole number",
       [&] { return Edit(good, "(g2\\{[^}]*ilosc=)[^\n]*", "$1\"1.5\""); },
       "count of pieces of group 2 is 1.5", false},
  };
  // The game of MidGame stays on the table until the first case found during the rebuild.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteProfile(c.text());
    const std::string table = Table();
    EXPECT_EQ(profile.loadData(*play, profiles.grid), 0);
    EXPECT_TRUE(profile.broken());
    EXPECT_NE(profile.problem().find(c.problem), std::string::npos) << profile.problem();
    if (c.rebuilding) {
      ExpectNothingBuilt();
    } else {
      EXPECT_EQ(Table(), table);
    }
  }
  // A count beyond the keys present counts the keys present: nothing is walked a billion times.
  WriteProfile(
      Edit(good, "\t\tilosc=[0-9.]+\n\t\\}\n\tPuzzels", "\t\tilosc=1000000000.0\n\t}\n\tPuzzels"));
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
}

TEST_F(SavedGameTest, MoreCutLinesThanAnyPuzzleHasAreNotDrawn) {
  std::string text =
      "Profile{\n\tgfxUrl=\"" + std::string(kPicture) + "\"\n\tlevel=0.0\n\tlines{\n";
  for (int n = 1; n <= TProfile::kMaxLines + 1; ++n) {
    text += "\t\tl" + std::to_string(n) + "=\"0 0 640 480\"\n";
  }
  WriteProfile(text + "\t\tilosc=" + std::to_string(TProfile::kMaxLines + 1) + "\n\t}\n}\n");
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 0);
  EXPECT_TRUE(profile.broken());
  EXPECT_NE(profile.problem().find("more cut lines"), std::string::npos) << profile.problem();
  ExpectNothingBuilt();
}

// A crafted file whose lines cut the picture into a fine grid was cut in full (2,296 pieces,
// two minutes on the waiting screen) before it was refused: it is refused before the cut.
TEST_F(SavedGameTest, LinesThatMakeOtherThanTheSetsPiecesAreRefusedBeforeTheCut) {
  struct Counter : CutProgress {
    void Start() override { ++cuts; }
    int cuts = 0;
  } counter;
  services.cutter.progress = &counter;
  std::string text =
      "Profile{\n\tgfxUrl=\"" + std::string(kPicture) + "\"\n\tlevel=0.0\n\twh=160,160\n\tlines{\n";
  int n = 0;
  for (int x = 16; x < 640; x += 16)
    text += "\t\tl" + std::to_string(++n) + "=\"" + std::to_string(x) + " 0 " + std::to_string(x) +
            " 479\"\n";
  for (int y = 16; y < 480; y += 16)
    text += "\t\tl" + std::to_string(++n) + "=\"0 " + std::to_string(y) + " 639 " +
            std::to_string(y) + "\"\n";
  WriteProfile(text + "\t\tilosc=" + std::to_string(n) + "\n\t}\n}\n");
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 0);
  EXPECT_TRUE(profile.broken());
  // 39 × 29 of its 40 × 30 cells: the cut starts no piece in the narrow edge cells.
  EXPECT_NE(profile.problem().find("into 1131 pieces instead of 12"), std::string::npos)
      << profile.problem();
  EXPECT_EQ(counter.cuts, 0);
  ExpectNothingBuilt();
  services.cutter.progress = nullptr;
}

TEST_F(SavedGameTest, AFileFarLargerThanAnyProfileIsNotRead) {
  WriteProfile(std::string(static_cast<size_t>(TProfile::kMaxFileBytes) + 1, ' '));
  EXPECT_EQ(profile.load(), 0);
  EXPECT_TRUE(profile.broken());
  EXPECT_NE(profile.problem().find("bytes long"), std::string::npos);
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 0);
  EXPECT_TRUE(profile.broken());
}

// Entries that name no piece, name one twice, or put it far off the screen are skipped; the
// rest of the file is rebuilt.
TEST_F(SavedGameTest, UnsoundEntriesAreSkippedAndTheRestIsRebuilt) {
  MidGame();
  std::string text = ReadProfile();
  text = Edit(text, "\n\t\tp1=\"[0-9]+ ", "\n\t\tp1=\"77 ");  // no piece 77 (loose)
  text = Edit(text, "\t\tg2\\{\n\t\t\tpos=[^\n]*\n", "\t\tg2{\n\t\t\tpos=\"nan\",5\n");
  text = Edit(text, "\t\t\tp2=\"11 [^\"]*\"", "\t\t\tp2=\"0 1.0 1.0\"");  // 0 is in g1 already
  text = Edit(text, "\"5 99.9000015 -12.5000000\"", "\"5 99999 -12\"");   // far away
  text = Edit(text, "\t\t\tp3=\"4 [^\"]*\"", "\t\t\tp3=\"4 1.5e3 2\"");   // not a saved number
  WriteProfile(text);
  Forget();
  ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  // Every piece is on the table exactly once, loose or in a group.
  int seen = 0;
  for (const Ref<TObject>& entry : play->listaPuzzli) {
    if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      EXPECT_GE(group->listaSpasowanych.Count(), 2);
      seen += group->listaSpasowanych.Count();
    } else {
      ++seen;
    }
  }
  EXPECT_EQ(seen, 12);
  // g1 lost piece 4; g2 kept only piece 10, which lies loose; piece 5 stayed where the cut
  // put it (its solved place).
  ASSERT_TRUE(GroupOf(0));
  EXPECT_EQ(GroupOf(0)->listaSpasowanych.Count(), 2);
  EXPECT_FALSE(GroupOf(10));
  EXPECT_TRUE(play->listaPuzzli.Contains(Piece(10)));
  EXPECT_EQ(Piece(5)->x, Piece(5)->xD);
}

// Places far off the table were taken as they were, and a group there could never be reached
// again: every entry comes back with enough of it on the table to take hold of, a group as one.
TEST_F(SavedGameTest, EntriesOffTheTableAreBroughtOntoIt) {
  MidGame();
  Piece(3)->x = 760;  // at the right edge, with 40 pixels on the table: stays
  ASSERT_EQ(profile.save(*play, profiles.grid), 1);
  std::string text = ReadProfile();
  text = Edit(text, "\"5 99.9000015 -12.5000000\"", "\"5 9999 -9999\"");
  // The second group 9,000 pixels to the left, its members and reference point alike.
  const float x10 = Piece(10)->x;
  const float member_dx = Piece(11)->x - x10, member_dy = Piece(11)->y - Piece(10)->y;
  for (int id : {10, 11}) {
    const int far = static_cast<int>(Piece(id)->x) - 9000;
    text = Edit(text, "(p[0-9]+=\"" + std::to_string(id) + " )[-0-9.]+ ",
                "$1" + std::to_string(far) + " ");
  }
  text = Edit(text, "\t\t\tpos=300[^\n]*", "\t\t\tpos=-8700,200");
  WriteProfile(text);
  Forget();
  ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  const TPuzel& five = *Piece(5);
  EXPECT_TRUE(five.x >= 0 && five.y >= 0 && five.x + five.img->width <= 800 &&
              five.y + five.img->height <= 600)
      << five.x << " " << five.y;
  EXPECT_EQ(Piece(3)->x, 760);
  const GroupRef group = GroupOf(10);
  ASSERT_TRUE(group);
  EXPECT_EQ(group->listaSpasowanych.Count(), 2);
  EXPECT_EQ(std::min(Piece(10)->x, Piece(11)->x), 0);
  EXPECT_EQ(Piece(11)->x - Piece(10)->x, member_dx);  // still side by side
  EXPECT_EQ(Piece(11)->y - Piece(10)->y, member_dy);
  EXPECT_EQ(group->x - Piece(10)->x, 300 - x10);  // the reference point moved with them
}

TEST_F(SavedGameTest, AGroupWithAnUnusableReferencePointKeepsItsMembers) {
  MidGame();
  WriteProfile(Edit(ReadProfile(), "pos=12.2500000,-3.50000000", "pos=\"inf\",3"));
  Forget();
  ASSERT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  const GroupRef group = GroupOf(0);
  ASSERT_TRUE(group);
  EXPECT_EQ(group->listaSpasowanych.Count(), 3);
  EXPECT_EQ(group->x, Piece(0)->x);  // the first member's place stands in
  EXPECT_EQ(group->y, Piece(0)->y);
}

TEST_F(SavedGameTest, AMissingPictureLeavesTheFileAsGoodAsItWas) {
  MidGame();
  WriteProfile(Edit(ReadProfile(), "obr1\\.jpg", "gone.jpg"));
  profiles.sets["gfx/puzzle/gone.jpg"] = 12;
  const std::string text = ReadProfile();
  Forget();
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 0);
  EXPECT_FALSE(profile.broken());
  EXPECT_NE(profile.problem().find("gone.jpg"), std::string::npos);
  EXPECT_EQ(ReadProfile(), text);
  EXPECT_FALSE(platform().Messages().empty());  // the loader said which picture is missing
}

}  // namespace
}  // namespace orvela
