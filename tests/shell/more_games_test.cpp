// The more-games screen in the running game: hover zones and their highlight, Escape, the
// Quit fade, the Home page button in full screen, the pages the frames open (every click, a
// missing page reported), and the file:// addresses of the pages shipped beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/files/files.h"
#include "shell/game_driver.h"
#include "shell/help_pages.h"
#include "shell/main_menu.h"
#include "shell/more_games.h"
#include "shell/settings_window.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr int kLimit = 400;
constexpr int kHomeX = 250 + 75, kHomeY = 545 + 18;
constexpr const char* kFullScreen = "options{\n\tsound=5\n\tmusic=5\n\tekran=1\n}\n";

TEST(MoreGamesZones, EdgesBelongToNoFrame) {
  struct Case {
    int x, y, zone;
  };
  const Case cases[] = {
      {1, 1, 1},     {0, 100, 0},   {265, 100, 1}, {266, 100, 0}, {1, 0, 0},     {1, 536, 1},
      {1, 537, 0},   {273, 100, 0}, {274, 100, 2}, {529, 300, 2}, {530, 300, 0}, {533, 300, 0},
      {536, 300, 0}, {537, 300, 3}, {799, 536, 3}, {800, 300, 0}, {400, -5, 0},  {400, 560, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TMoreGames::ZoneAt(c.x, c.y), c.zone) << c.x << "," << c.y;
  }
}

class MoreGamesTest : public GameTest {
 protected:
  // Escape in the menu's first frame brings up the more-games screen shown at the end of the
  // game; inside(n) runs after its shown frame n (0 the first). Returns the screen's frames.
  int RunMoreGames(const std::function<void(int n)>& inside) {
    return RunFrames([&](int frame) {
             if (frame == 1) Key(KEY_ESCAPE);
             if (frame >= 2) inside(frame - 2);
             if (frame > kLimit) StopGame();
           }) -
           2;
  }
  void StartFullScreen() {
    fs::create_directories(UserDir() + "/data");
    WriteBytes(SettingsPath(), kFullScreen);
  }
  // The address of a page of the program's own copy.
  static std::string PageUrl(int page) { return FileUrl(HelpPagePath(page)); }
  // Clicks again in the next frame: release and press queue up together.
  void ClickAgain(int x, int y) {
    Release();
    Press(x, y);
  }
};

TEST_F(MoreGamesTest, EscapeLeavesAtOnceEvenWhileFadingIn) {
  const int shown = RunMoreGames([&](int n) {
    if (n == 0) {
      EXPECT_FLOAT_EQ(Game().more_games->fade, 0.95f);
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_EQ(shown, 1);
}

TEST_F(MoreGamesTest, TheFrameUnderThePointerLightsUpWithItsLabel) {
  DrawPixels();
  auto sum = [&](int x0, int y0, int w, int h) {
    long total = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) total += Pixel(x, y) & 0xFF;
    }
    return total;
  };
  long hovered = 0, plain = 0;
  RunMoreGames([&](int n) {
    if (n == 0) platform().QueueMouseMove(400, 100);
    if (n == 25) {
      EXPECT_EQ(Game().more_games->wybrany, 2);
      hovered = sum(408 - 75 - 4, 300, 150, 40);  // the label over the middle frame
      platform().QueueMouseMove(400, 570);        // below the frames
    }
    if (n == 26) {
      EXPECT_EQ(Game().more_games->wybrany, 0);
      plain = sum(408 - 75 - 4, 300, 150, 40);
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_GT(std::abs(hovered - plain), 150 * 40 * 20);
}

TEST_F(MoreGamesTest, QuitFadesOutAndTheMenuClearsAgain) {
  constexpr int kMore[2] = {400, 458};
  constexpr int kFirst = 93;  // 72 clicked, 73 .. 92 the menu darkens
  int quit_at = -1, back_at = -1;
  RunFrames([&](int frame) {
    if (frame == testing::kFirstClickable - 1) Press(kMore[0], kMore[1]);
    if (frame == testing::kFirstClickable) Release();
    if (frame == kFirst) {
      EXPECT_FLOAT_EQ(Game().more_games->fade, 0.95f);
    }
    if (frame == kFirst + 30) {
      EXPECT_EQ(Game().more_games->fade, 0);
      Press(700 + 40, 553 + 16);
      quit_at = frame + 1;
    }
    if (frame == kFirst + 31) Release();
    if (back_at < 0 && frame > kFirst && Game().more_games->wyjdz) {
      back_at = frame;
      EXPECT_EQ(Game().main_menu->dFade, 0);  // the menu's cover clears again
      EXPECT_EQ(Game().main_menu->_dokad, GO_EXIT);
      StopGame();
    }
    if (frame > kLimit) StopGame();
  });
  EXPECT_EQ(back_at - quit_at, 21);  // 20 frames of fading out after the click's frame
  EXPECT_TRUE(platform().Urls().empty());
}

TEST_F(MoreGamesTest, HomePageInFullScreenDropsToAWindowAndKeepsTheSavedSetting) {
  StartFullScreen();
  RunMoreGames([&](int n) {
    if (n == 0) {
      EXPECT_TRUE(platform().Fullscreen());
      Press(kHomeX, kHomeY);
    }
    if (n == 2) {  // a click read in frame n acts after it is shown
      EXPECT_FALSE(platform().Fullscreen());
      EXPECT_EQ(platform().Urls(), std::vector<std::string>{PageUrl(PAGE_HOW_TO_PLAY)});
      EXPECT_EQ(Game().settings->pelnyEkran, 1);
      EXPECT_EQ(ReadBytes(SettingsPath()), kFullScreen);
      ClickAgain(kHomeX, kHomeY);  // in a window it only opens the page
    }
    if (n == 4) {
      EXPECT_FALSE(platform().Fullscreen());
      EXPECT_EQ(platform().Urls().size(), 2u);
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_EQ(ReadBytes(SettingsPath()), kFullScreen);
}

TEST_F(MoreGamesTest, HomePageNeverSwitchesAWindowToFullScreen) {
  StartFullScreen();
  RunMoreGames([&](int n) {
    if (n == 0) {
      // The settings window's switch to a window, then Cancel: the saved flag still says
      // full screen while the game runs in a window.
      Game().settings->switchScreen();
      ASSERT_FALSE(platform().Fullscreen());
      Press(kHomeX, kHomeY);
    }
    if (n == 2) {
      EXPECT_FALSE(platform().Fullscreen());
      EXPECT_EQ(platform().Urls().size(), 1u);
      Key(KEY_ESCAPE);
    }
  });
}

TEST_F(MoreGamesTest, EveryClickOnAFrameOpensItsPageWithoutChangingTheDisplay) {
  StartFullScreen();
  RunMoreGames([&](int n) {
    if (n == 0) Press(400, 200);
    if (n == 1) ClickAgain(400, 200);  // while the first is still opening
    if (n == 2) ClickAgain(100, 200);
    if (n == 3) ClickAgain(700, 536);
    if (n == 4) ClickAgain(270, 200);  // between two frames: nothing
    if (n == 5) {
      EXPECT_EQ(platform().Urls(),
                (std::vector<std::string>{PageUrl(PAGE_TIPS), PageUrl(PAGE_TIPS),
                                          PageUrl(PAGE_HOW_TO_PLAY), PageUrl(PAGE_ABOUT)}));
      EXPECT_TRUE(platform().Fullscreen());
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(MoreGamesTest, AMissingPageIsReportedAndNothingOpens) {
  const fs::path install = InstallCopy();
  const fs::path shipped = fs::canonical(install / "docs");
  fs::remove(install / "docs");
  fs::create_directory(install / "docs");
  fs::copy_file(shipped / "how-to-play.html", install / "docs/how-to-play.html");
  RunMoreGames([&](int n) {
    if (n == 0) Press(700, 200);
    if (n == 2) {
      EXPECT_TRUE(platform().Urls().empty());
      ASSERT_EQ(platform().Messages().size(), 1u);
      const std::string& message = platform().Messages()[0];
      EXPECT_NE(message.find("\"About and licences\""), std::string::npos) << message;
      EXPECT_NE(message.find((install / "docs/about-and-licences.html").string()),
                std::string::npos)
          << message;
      ClickAgain(kHomeX, kHomeY);  // a page that is there still opens
    }
    if (n == 4) {
      EXPECT_EQ(platform().Urls(),
                std::vector<std::string>{FileUrl((install / "docs/how-to-play.html").string())});
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_EQ(platform().Messages().size(), 1u);
}

TEST(HelpPages, FileAddressesAreAbsoluteAndEncoded) {
  ASSERT_TRUE(ChangeToProgramFolder());  // a folder that exists
  EXPECT_EQ(FileUrl("/opt/Orvela Puzzle Game/docs/how-to-play.html"),
            "file:///opt/Orvela%20Puzzle%20Game/docs/how-to-play.html");
  EXPECT_EQ(FileUrl("/home/\xC5\x82ucja/a#b?c%d.html"),
            "file:///home/%C5%82ucja/a%23b%3Fc%25d.html");
  EXPECT_EQ(FileUrl("/games/x/../docs/./a.html"), "file:///games/docs/a.html");
  const std::string here = fs::current_path().generic_string();
  EXPECT_EQ(FileUrl("docs/a.html"), FileUrl(here + "/docs/a.html"));
}

TEST(HelpPages, EveryPageIsShippedBesideTheProgramUnderItsTitle) {
  ASSERT_TRUE(ChangeToProgramFolder());
  for (int page = 0; page < kHelpPages; ++page) {
    const std::string path = HelpPagePath(page);
    ASSERT_EQ(FileKind(path), FILE_REGULAR) << path;
    EXPECT_EQ(FileUrl(path).rfind(FileUrl(ProgramFolder()) + "/docs/", 0), 0u) << FileUrl(path);
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("<title>" + HelpPageTitle(page) + " - Orvela Puzzle Game</title>"),
              std::string::npos)
        << path;
  }
  EXPECT_EQ(HelpPagePath(kHelpPages), "");
}

}  // namespace
}  // namespace orvela
