// The game from start-up on the headless platform with its real data: the first start's
// folders and settings file, the loading screen, the main menu's slide-in, cover and
// destinations, the settings window, the music and the broken-settings mend.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/engine.h"
#include "shell/game_driver.h"
#include "shell/main_menu.h"
#include "shell/more_games.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"
#include "shell/startup.h"
#include "ui/button.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::ReadBytes;
using testing::WriteBytes;

using testing::kFirstClickable;
const int kQuit[2] = {400, 498};
const int kOptions[2] = {400, 378};

// The centre of music (row 90) or sound (row 155) level point i in the settings window.
std::pair<int, int> Point(int i, int row) {
  return {200 + 76 + 23 * i + 9, 220 + row + 9};
}

using StartTest = GameTest;

TEST_F(StartTest, FirstStartMakesTheFoldersAndWritesTheDefaults) {
  const int frames = RunFrames([&](int frame) {
    if (frame == 2) Key(KEY_ESCAPE);  // leaves the more-games screen shown at the end
    if (frame != 1) return;
    EXPECT_EQ(ReadBytes(SettingsPath()),
              "options{\n\tsound=0.500000000\n\tmusic=0.500000000\n\tekran=0.00000000\n}\n");
    EXPECT_TRUE(fs::is_directory(UserDir() + "/profiles"));
    const TGameSettings& settings = *Game().settings;
    for (int i = 1; i <= 10; ++i) {
      EXPECT_EQ(settings.menu->GetItem(200 + i)->visible, 1) << i;  // unlit shown
      EXPECT_EQ(settings.menu->GetItem(100 + i)->visible, 0) << i;
      EXPECT_EQ(settings.menu->GetItem(400 + i)->visible, 1) << i;
    }
    EXPECT_FLOAT_EQ(Game().options->musicVol, 0.05f);
    EXPECT_FLOAT_EQ(Game().options->soundVol, 0.05f);
    EXPECT_EQ(platform().Title(), "Orvela Puzzle Game");
    EXPECT_FALSE(platform().Fullscreen());
    Key(KEY_ESCAPE);
  });
  EXPECT_EQ(frames, 3);  // Escape ends the menu in the frame it is pressed, then one more games
  EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(StartTest, TheLoadingScreenShowsItsTextOverTheMenuBackground) {
  DrawPixels();
  RunFrames([&](int frame) {
    if (frame != 0) return;
    // "Loading..." in the large font, centred on x 400 from y 290: light pixels there.
    int light = 0, left = 800, right = 0;
    for (int y = 290; y < 330; ++y) {
      for (int x = 250; x < 550; ++x) {
        const uint32_t p = Pixel(x, y);
        if (((p >> 16) & 255) > 235 && ((p >> 8) & 255) > 235 && (p & 255) > 235) {
          ++light;
          left = std::min(left, x), right = std::max(right, x);
        }
      }
    }
    EXPECT_GT(light, 200);
    EXPECT_NEAR((left + right) / 2.0, 400, 6);
    StopGame();
  });
}

TEST_F(StartTest, LeftoversOfAKilledSaveAreCleanedUp) {
  fs::create_directories(UserDir() + "/data");
  fs::create_directories(UserDir() + "/profiles");
  WriteBytes(SettingsPath() + ".tmp", "options{\n\tsou");
  WriteBytes(UserDir() + "/profiles/tobrin.prof.tmp", "half");
  RunFrames([&](int frame) {
    if (frame >= 1) Key(KEY_ESCAPE);  // the menu, then the more-games screen
  });
  EXPECT_FALSE(fs::exists(SettingsPath() + ".tmp"));
  EXPECT_FALSE(fs::exists(UserDir() + "/profiles/tobrin.prof.tmp"));
  EXPECT_TRUE(fs::exists(SettingsPath()));
  EXPECT_TRUE(platform().Messages().empty());
}

// A per-user folder that cannot be written once gave, at every start, the claim that the
// settings had been kept as options.tsc.broken, a file that did not exist.
class UserFolderTest : public GameTest {
 protected:
  UserFolderTest() {
    platform().SetMessageHook([&](const std::string&) { titles_.push_back(platform().Title()); });
  }
  // Starts the game, tries to save the settings at the first menu frame, and leaves (three
  // frames: the loading screen, the menu, the more-games screen shown at the end).
  int StartAndSave() {
    return RunFrames([&](int frame) {
      if (frame > 1) Key(KEY_ESCAPE);  // the more-games screen shown at the end
      if (frame != 1) return;
      EXPECT_EQ(Game().settings->save(), 0);
      EXPECT_EQ(Game().settings->pelnyEkran, 0);  // the defaults
      EXPECT_FLOAT_EQ(Game().options->musicVol, 0.05f);
      Key(KEY_ESCAPE);
    });
  }
  void ExpectOneMessageSaying(const std::string& part) {
    ASSERT_EQ(platform().Messages().size(), 1u);
    const std::string& text = platform().Messages()[0];
    EXPECT_NE(text.find(part), std::string::npos) << text;
    EXPECT_NE(text.find("will not be kept"), std::string::npos) << text;
    EXPECT_EQ(text.find("broken"), std::string::npos) << text;
    EXPECT_EQ(titles_, std::vector<std::string>{"Orvela Puzzle Game"});  // the box has a title
  }
  std::vector<std::string> titles_;
};

TEST_F(UserFolderTest, AFileWhereTheFolderShouldBeIsSaidOnceAndPlayGoesOn) {
  WriteBytes(UserDir(), "not a folder");
  EXPECT_EQ(StartAndSave(), 3);
  ExpectOneMessageSaying("The folder " + UserDir() + "/data cannot be written");
  EXPECT_EQ(ReadBytes(UserDir()), "not a folder");
}

TEST_F(UserFolderTest, ABrokenFileThatCannotBeMovedIsNotClaimedAsKept) {
  // The settings path is a folder here: it can be neither read nor replaced by a file, and
  // what is in it stays.
  fs::create_directories(SettingsPath() + "/inside");
  fs::create_directories(SettingsPath() + ".broken/inside");
  for (int n = 2; n <= 5; ++n) {
    fs::create_directories(SettingsPath() + ".broken." + std::to_string(n) + "/inside");
  }
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(StartAndSave(), 3);
  ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(platform().Messages().size(), 1u);
  const std::string& text = platform().Messages()[0];
  EXPECT_NE(text.find("could not be read"), std::string::npos) << text;
  EXPECT_EQ(text.find("kept as"), std::string::npos) << text;
  EXPECT_NE(text.find("will not be kept"), std::string::npos) << text;
  EXPECT_TRUE(fs::is_directory(SettingsPath() + "/inside"));
}

TEST_F(UserFolderTest, WithoutAPerUserFolderNothingIsWrittenAtTheRoot) {
  const bool there_before = fs::exists("/Orvela Puzzle Game");
  platform().SetAppDataPath("");
  EXPECT_EQ(StartAndSave(), 3);
  ExpectOneMessageSaying("No folder for your files");
  if (!there_before) {
    EXPECT_FALSE(fs::exists("/Orvela Puzzle Game"));
  }
}

TEST_F(UserFolderTest, WithoutItsDataTheGameSaysSoOnceAndEnds) {
  // The program's folder without gfx/, sfx/ and dane/: once 53 message boxes over a black
  // screen.
  static std::string empty_folder;
  empty_folder = TempDir().string();
  const fs::path before = fs::current_path();
  ::testing::internal::CaptureStderr();
  const int status = RunGame([](GameContext&) { fs::current_path(empty_folder); });
  const std::string errors = ::testing::internal::GetCapturedStderr();
  fs::current_path(before);
  EXPECT_EQ(status, 1);
  ASSERT_EQ(platform().Messages().size(), 1u);
  const std::string& text = platform().Messages()[0];
  EXPECT_NE(text.find(empty_folder + "/gfx, " + empty_folder + "/sfx and " + empty_folder +
                      "/dane are missing"),
            std::string::npos)
      << text;
  EXPECT_EQ(titles_, std::vector<std::string>{"Orvela Puzzle Game"});
  EXPECT_EQ(platform().Presents(), 0);  // not even the loading screen
  EXPECT_FALSE(fs::exists(UserDir()));  // nothing made either
  EXPECT_NE(errors.find("could not be found"), std::string::npos) << errors;
}

using MenuTest = GameTest;

// Input queued after frame n is read by frame n + 1, whose clicks act after it is shown: a
// click read in frame n is seen from frame n + 1 on.
TEST_F(MenuTest, NoButtonReactsDuringTheSlideIn) {
  RunFrames([&](int frame) {
    const TGame& menu = *Game().main_menu;
    if (frame == kFirstClickable - 3) Press(kQuit[0], kQuit[1]);  // read by frame 70
    if (frame == kFirstClickable - 2) Release();
    if (frame == kFirstClickable - 1) {
      EXPECT_EQ(menu.dFade, 0);  // ignored: the buttons were still hidden
      EXPECT_LT(menu.x[4], 325);
      Press(kQuit[0], kQuit[1]);  // read by frame 72, the first clickable one
    }
    if (frame == kFirstClickable) {
      EXPECT_EQ(menu.x[4], 325);
      EXPECT_GT(menu.a[0], 0);  // the highlights now fade over the buttons
    }
    if (frame == kFirstClickable + 1) {
      EXPECT_EQ(menu.dFade, 1);
      EXPECT_EQ(menu._dokad, GO_EXIT);
      StopGame();
    }
  });
}

TEST_F(MenuTest, QuitFadesForTwentyFramesThenShowsMoreGamesThenEnds) {
  int fading_from = -1, menu_ended = -1;
  const int frames = RunFrames([&](int frame) {
    if (frame == kFirstClickable - 1) Press(kQuit[0], kQuit[1]);
    if (frame == kFirstClickable + 1) Release();
    if (fading_from < 0 && Game().main_menu->fade > 0) fading_from = frame;
    if (menu_ended < 0 && Game().main_menu->wyjdz) {
      menu_ended = frame;  // the first frame of the more-games screen, fading in from black
      EXPECT_FLOAT_EQ(Game().more_games->fade, 0.95f);
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_EQ(fading_from, kFirstClickable + 1);
  EXPECT_EQ(menu_ended - fading_from, 20);  // frames 73 .. 92 fade
  EXPECT_EQ(frames, menu_ended + 1);        // Escape leaves the last screen at once
}

TEST_F(MenuTest, MusicStartsWithTheMenuAndFollowsTheMusicVolume) {
  RunFrames([&](int frame) {
    if (frame != 3) return;
    const auto& music = Game().songs->music;
    ASSERT_TRUE(music && music->mf && music->mf->c);
    EXPECT_EQ(music->mf->c->Playing(), 1);
    EXPECT_TRUE(music->mf->s->Loops());
    EXPECT_FLOAT_EQ(music->mf->c->Volume(), 0.05f);
    StopGame();
  });
}

TEST_F(MenuTest, TheMusicEndsWithTheGame) {
  ChannelRef channel;
  RunFrames([&](int frame) {
    if (frame != 3) return;
    channel = Game().songs->music->mf->c;
    StopGame();
  });
  ASSERT_TRUE(channel);
  EXPECT_EQ(channel->Playing(), 0);  // not left looping after the game's objects are gone
  EXPECT_EQ(platform().Audio().mixer()->Active(), 0);
}

class SettingsTest : public GameTest {
 protected:
  // Opens the settings window once the menu is clickable and runs `inside` on every frame
  // while it is open (frame counted from its first shown frame).
  int RunInSettings(const std::function<void(int frame)>& inside) {
    int opened = -1;
    return RunFrames([&](int frame) {
      if (frame == kFirstClickable) Press(kOptions[0], kOptions[1]);
      if (frame == kFirstClickable + 1) Release();
      if (opened < 0 && Game().settings->dFade == 1 && Game().settings->_wyjdz == 0) {
        opened = frame;
      }
      if (opened >= 0) inside(frame - opened);
    });
  }
  void Click(std::pair<int, int> at) { Press(at.first, at.second); }
};

TEST_F(SettingsTest, TheSeventhMusicPointSetsTheLiveVolumeAtOnce) {
  RunInSettings([&](int frame) {
    if (frame == 25) Click(Point(7, 90));
    if (frame == 27) {
      EXPECT_FLOAT_EQ(Game().options->musicVol, 0.7f);
      EXPECT_EQ(Game().settings->menu->GetItem(107)->visible, 1);
      EXPECT_EQ(Game().settings->menu->GetItem(208)->visible, 1);
      const auto& channel = Game().songs->music->mf->c;
      EXPECT_FLOAT_EQ(channel->Volume(), 0.7f);  // the same frame's sound update
      StopGame();
    }
  });
}

TEST_F(SettingsTest, EscapeClosesWithoutSavingButKeepsThePreview) {
  bool closed = false;
  RunInSettings([&](int frame) {
    if (frame == 25) Click(Point(3, 155));
    if (frame == 26) {
      Release();
      Key(KEY_ESCAPE);
    }
    if (frame > 26 && Game().settings->_wyjdz == 1 && !closed) {
      closed = true;
      EXPECT_FLOAT_EQ(Game().options->soundVol, 0.3f);  // the preview stays
      EXPECT_EQ(ReadBytes(SettingsPath()),
                "options{\n\tsound=0.500000000\n\tmusic=0.500000000\n\tekran=0.00000000\n}\n");
      StopGame();
    }
  });
  EXPECT_TRUE(closed);
}

TEST_F(SettingsTest, OkSavesAndPlusAtTenStaysTen) {
  RunInSettings([&](int frame) {
    if (frame == 25) Click(Point(10, 90));
    if (frame == 26) Release();
    if (frame == 27) Click({200 + 330 + 14, 220 + 85 + 14});  // music plus
    if (frame == 29) {
      EXPECT_EQ(Game().settings->_glosnoscMuzyki, 10);
      Release();
    }
    if (frame == 30) Click({200 + 60 + 35, 220 + 265 + 16});  // OK
    if (frame == 32) {
      EXPECT_EQ(ReadBytes(SettingsPath()),
                "options{\n\tsound=0.500000000\n\tmusic=10.0000000\n\tekran=0.00000000\n}\n");
      StopGame();
    }
  });
}

TEST_F(SettingsTest, TheModeSwitchActsAtOnceAndCancelKeepsTheFile) {
  RunInSettings([&](int frame) {
    if (frame == 25) Click({200 + 270 + 30, 220 + 210 + 13});
    if (frame == 27) {
      EXPECT_TRUE(platform().Fullscreen());
      EXPECT_EQ(Game().settings->menu->GetItem(51)->visible, 1);
      Release();
    }
    if (frame == 28) Click({200 + 270 + 35, 220 + 265 + 16});  // Cancel
    if (frame == 29) Release();
    if (frame == 30) {
      EXPECT_TRUE(platform().Fullscreen());  // not switched back
      EXPECT_EQ(Game().settings->pelnyEkran, 0);
    }
    // Opened again, the window shows the mode the display is in, not the saved one.
    if (frame == 60) Click(std::pair{kOptions[0], kOptions[1]});
    if (frame == 61) Release();
    if (frame == 70) {
      EXPECT_EQ(Game().settings->_wyjdz, 0);
      EXPECT_EQ(Game().settings->menu->GetItem(51)->visible, 1);
      EXPECT_EQ(Game().settings->menu->GetItem(50)->visible, 0);
      StopGame();
    }
  });
}

class BrokenSettingsTest : public GameTest {
 protected:
  void StartWith(const std::string& text, const std::function<void()>& at_menu = nullptr) {
    fs::create_directories(UserDir() + "/data");
    WriteBytes(SettingsPath(), text);
    ::testing::internal::CaptureStdout();
    RunFrames([&](int frame) {
      if (frame < 1) return;
      if (frame == 1 && at_menu) at_menu();
      Key(KEY_ESCAPE);  // the menu, then the more-games screen
    });
    trace_ = ::testing::internal::GetCapturedStdout();
  }
  std::string trace_;
};

TEST_F(BrokenSettingsTest, AFileThatCannotBeParsedIsKeptAsideAndReset) {
  StartWith("options{ sound=0.5; }");
  EXPECT_EQ(ReadBytes(SettingsPath() + ".broken"), "options{ sound=0.5; }");
  EXPECT_EQ(ReadBytes(SettingsPath()),
            "options{\n\tsound=0.500000000\n\tmusic=0.500000000\n\tekran=0.00000000\n}\n");
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("reset"), std::string::npos);
  EXPECT_NE(trace_.find("ERROR: Unexpected ;"), std::string::npos) << trace_;
}

TEST_F(BrokenSettingsTest, AFileWithoutAKeyIsResetToo) {
  StartWith("options{\n\tsound=0.800000012\n}\n");
  EXPECT_TRUE(fs::exists(SettingsPath() + ".broken"));
  EXPECT_NE(trace_.find("The key options::music does not exist"), std::string::npos);
  EXPECT_EQ(platform().Messages().size(), 1u);
}

TEST_F(BrokenSettingsTest, SavedValuesAreReadBack) {
  StartWith("options{\n\tsound=3.00000000\n\tmusic=0.00000000\n\tekran=1.00000000\n}\n");
  EXPECT_TRUE(platform().Messages().empty());
  EXPECT_FALSE(fs::exists(SettingsPath() + ".broken"));
  EXPECT_TRUE(platform().Fullscreen());
}

TEST_F(BrokenSettingsTest, ALaterBrokenFileKeepsTheEarlierCopies) {
  StartWith("options{ first }");
  StartWith("options{ second }");
  StartWith("options{ third }");
  EXPECT_EQ(ReadBytes(SettingsPath() + ".broken"), "options{ first }");
  EXPECT_EQ(ReadBytes(SettingsPath() + ".broken.2"), "options{ second }");
  EXPECT_EQ(ReadBytes(SettingsPath() + ".broken.3"), "options{ third }");
  ASSERT_EQ(platform().Messages().size(), 3u);
  EXPECT_NE(platform().Messages()[2].find("kept as options.tsc.broken.3."), std::string::npos)
      << platform().Messages()[2];
}

TEST_F(BrokenSettingsTest, AFileFarTooLargeForSettingsIsKeptAsideUnread) {
  // Ten megabytes once took seven gigabytes to read; a hundred ended every start in an
  // uncaught out-of-memory error.
  std::string huge = "options{\n";
  while (huge.size() < 200 * 1024) huge += "\tsound=1,2,3,4,5,6,7,8,9\n";
  huge += "}\n";
  StartWith(huge);
  EXPECT_EQ(fs::file_size(SettingsPath() + ".broken"), huge.size());
  EXPECT_EQ(ReadBytes(SettingsPath()),
            "options{\n\tsound=0.500000000\n\tmusic=0.500000000\n\tekran=0.00000000\n}\n");
  EXPECT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(trace_.find("more than a settings file can be"), std::string::npos) << trace_;
}

TEST_F(BrokenSettingsTest, AbsurdValuesAreClampedAndWrittenBackReadable) {
  // A screen flag beyond the int range once overflowed its conversion, and fifty digits of
  // volume became an infinity written back as "inf", which the next start could not read.
  StartWith("options{\n\tsound=-3\n\tmusic=" + std::string(50, '9') + "\n\tekran=3000000000\n}\n",
            [&] {
              TGameSettings& settings = *Game().settings;
              EXPECT_EQ(settings.glosnoscDzwieku, 0.0f);
              EXPECT_EQ(settings.glosnoscMuzyki, 10.0f);
              EXPECT_EQ(settings.pelnyEkran, 1);
              EXPECT_EQ(settings._glosnoscMuzyki, 10.0f);
              EXPECT_TRUE(platform().Fullscreen());
              EXPECT_EQ(settings.save(), 1);
            });
  EXPECT_TRUE(platform().Messages().empty());
  EXPECT_EQ(ReadBytes(SettingsPath()),
            "options{\n\tsound=0.00000000\n\tmusic=10.0000000\n\tekran=1.00000000\n}\n");
  StartWith(ReadBytes(SettingsPath()), [&] { EXPECT_EQ(Game().settings->glosnoscMuzyki, 10); });
  EXPECT_TRUE(platform().Messages().empty());
  StartWith("options{\n\tsound=0.5\n\tmusic=7.5\n\tekran=0.99\n}\n", [&] {
    EXPECT_EQ(Game().settings->glosnoscMuzyki, 7.5f);  // in range: kept as it is
    EXPECT_EQ(Game().settings->pelnyEkran, 0);         // truncated
  });
}

using SoundTest = GameTest;

TEST_F(SoundTest, MusicAtVolumeZeroStartsWhenTheVolumeIsRaised) {
  fs::create_directories(UserDir() + "/data");
  WriteBytes(SettingsPath(), "options{\n\tsound=5\n\tmusic=0\n\tekran=0\n}\n");
  RunFrames([&](int frame) {
    const auto& music = Game().songs->music;
    if (frame == 5) {
      EXPECT_FALSE(music->mf->c);  // nothing plays at volume 0
    }
    if (frame == 6) Game().options->musicVol = 0.4f;
    if (frame == 7) {
      ASSERT_TRUE(music->mf->c);
      EXPECT_EQ(music->mf->c->Playing(), 1);
      EXPECT_FLOAT_EQ(music->mf->c->Volume(), 0.4f);
      StopGame();
    }
  });
}

TEST_F(SoundTest, EffectsPlayOnFreshChannelsAtTheSoundVolume) {
  RunFrames([&](int frame) {
    if (frame != 2) return;
    TGlobalSnd& sounds = *Game().sounds;
    Game().options->soundVol = 0.6f;
    ChannelRef a = sounds.click(), b = sounds.click();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->Playing() + b->Playing(), 2);
    EXPECT_FLOAT_EQ(a->Volume(), 0.6f);
    EXPECT_TRUE(sounds.good() && sounds.info() && sounds.bad());
    EXPECT_EQ(sounds.play(7, nullptr, 0), nullptr);  // an empty slot
    EXPECT_EQ(StartEffect(sounds.sfx[0], a, 0), a);  // still playing, no restart
    Game().options->soundVol = 0;
    EXPECT_EQ(sounds.click(), nullptr);
    Game().options->soundVol = -0.05f;
    EXPECT_EQ(sounds.good(), nullptr);
    StopGame();
  });
}

}  // namespace
}  // namespace orvela
