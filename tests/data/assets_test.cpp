// The game's data files: every picture the screens load exists, decodes with the engine's
// loaders and has the size and frame layout the screens draw it with; the sounds and the font
// load; JPEG pictures hold no exact black (the masked flag would make it transparent).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/engine.h"
#include "formats/tsc_file.h"
#include "support/headless.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::HeadlessTest;

struct Picture {
  std::string path;
  int width, height;  // of the whole file
  int frames;         // equal frames side by side
};

std::vector<Picture> ExactPictures() {
  std::vector<Picture> list = {
      {"gfx/menu-screen.jpg", 800, 600, 1},
      {"gfx/menu-screen2c.jpg", 800, 600, 1},
      {"gfx/game.jpg", 800, 600, 1},
      {"gfx/moreGames.jpg", 800, 600, 1},
      {"gfx/gui/p_cancel.png", 140, 32, 2},
      {"gfx/gui/ustawienia/ok.png", 140, 32, 2},
      {"gfx/gui/ustawienia/window.png", 420, 320, 1},
      {"gfx/gui/mg_01.png", 266, 537, 1},
      {"gfx/gui/mg_02.png", 257, 537, 1},
      {"gfx/gui/mg_03.png", 264, 537, 1},
      {"gfx/icon.png", 256, 256, 1},
      {"gfx/gui/progress_tab.png", 84, 25, 1},  // hangs under the clock slot's 84 pixels
  };
  for (const char* name : {"play", "options", "credits", "more", "quit"}) {
    list.push_back({std::string("gfx/gui/p_") + name + ".png", 300, 36, 2});
    list.push_back({std::string("gfx/gui/p_") + name + "02.png", 150, 36, 1});
  }
  for (int i = 1; i <= 4; ++i) {
    list.push_back({"gfx/puzzle/obr" + std::to_string(i) + ".jpg", 640, 480, 1});
  }
  return list;
}

// Pictures whose size may vary within a range: path, frames, width and height bounds of one
// frame.
struct Loose {
  std::string path;
  int frames;
  int min_w, max_w, min_h, max_h;
};

std::vector<Loose> LoosePictures() {
  std::vector<Loose> list = {
      {"gfx/gui/ustawienia/plus.png", 2, 22, 34, 22, 34},
      {"gfx/gui/ustawienia/minus.png", 2, 22, 34, 22, 34},
      {"gfx/gui/ustawienia/on.png", 1, 50, 70, 20, 32},
      {"gfx/gui/ustawienia/off.png", 1, 50, 70, 20, 32},
      {"gfx/gui/ustawienia/pointOn.png", 1, 8, 18, 8, 18},
      {"gfx/gui/ustawienia/pointoff.png", 1, 8, 18, 8, 18},
      {"gfx/gui/messageWindow.png", 1, 380, 420, 170, 210},
      {"gfx/kursor.png", 1, 24, 40, 24, 40},
      {"gfx/gui/more_info.png", 1, 120, 180, 30, 50},
      {"gfx/gui/go_to.png", 2, 100, 200, 24, 48},
      {"gfx/gui/quit.png", 1, 40, 120, 20, 48},
      {"gfx/gui/paused.png", 1, 200, 420, 32, 64},
      {"gfx/gui/new_best.png", 1, 100, 160, 20, 34},  // beside OK in the 420-pixel window
      {"gfx/gui/best_plate.png", 1, 90, 130, 20, 30},
  };
  for (int i = 1; i <= 3; ++i)
    list.push_back({"gfx/particle/" + std::to_string(i) + ".png", 1, 12, 32, 12, 32});
  for (int i = 0; i < 10; ++i) {
    list.push_back({"gfx/zegar/puzel3_000" + std::to_string(i) + ".png", 1, 48, 80, 48, 80});
  }
  for (int i = 0; i < 48; ++i) {
    list.push_back({"gfx/credits/p" + std::to_string(i) + ".png", 1, 40, 200, 40, 200});
  }
  return list;
}

using AssetsTest = HeadlessTest;

TEST_F(AssetsTest, PicturesHaveTheirSizesAndFrames) {
  for (const Picture& p : ExactPictures()) {
    PixmapRef pixmap = LoadPixmapFile(p.path);
    ASSERT_TRUE(pixmap) << p.path;
    EXPECT_EQ(pixmap->width, p.width) << p.path;
    EXPECT_EQ(pixmap->height, p.height) << p.path;
    EXPECT_TRUE(TImage::LoadAnim(pixmap, p.width / p.frames, p.height, 0, p.frames, -1)) << p.path;
  }
  for (const Loose& p : LoosePictures()) {
    PixmapRef pixmap = LoadPixmapFile(p.path);
    ASSERT_TRUE(pixmap) << p.path;
    EXPECT_EQ(pixmap->width % p.frames, 0) << p.path << ": frames must be equal";
    const int w = pixmap->width / p.frames;
    EXPECT_GE(w, p.min_w) << p.path;
    EXPECT_LE(w, p.max_w) << p.path;
    EXPECT_GE(pixmap->height, p.min_h) << p.path;
    EXPECT_LE(pixmap->height, p.max_h) << p.path;
  }
}

TEST_F(AssetsTest, BarButtonsDoNotTouchWhenZoomed) {
  const std::vector<std::pair<std::string, int>> bar = {
      {"gfx/b_main_menu.png", 10}, {"gfx/b_get_hint.png", 130},    {"gfx/b_sort_up.png", 230},
      {"gfx/b_clean_up.png", 330}, {"gfx/b_ghost_image.png", 440}, {"gfx/b_options.png", 575}};
  float previous_right = 0;
  for (const auto& [path, x] : bar) {
    PixmapRef pixmap = LoadPixmapFile(path);
    ASSERT_TRUE(pixmap) << path;
    EXPECT_LE(pixmap->height, 22) << path;
    // A zoomed button grows about its centre by 1.14.
    const float grow = pixmap->width * 0.07f;
    EXPECT_LT(previous_right, x - grow) << path;
    previous_right = x + pixmap->width + grow;
  }
  EXPECT_LT(previous_right, 690);
}

TEST_F(AssetsTest, JpegPicturesHoldNoExactBlack) {
  for (const Picture& p : ExactPictures()) {
    if (p.path.substr(p.path.size() - 4) != ".jpg") continue;
    PixmapRef pixmap = LoadPixmapFile(p.path);
    ASSERT_TRUE(pixmap);
    int black = 0;
    for (int y = 0; y < pixmap->height; ++y)
      for (int x = 0; x < pixmap->width; ++x) black += (pixmap->ReadPixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_EQ(black, 0) << p.path;
  }
}

TEST_F(AssetsTest, SoundsAndFontLoad) {
  platform().HeadlessAudio().SetManual(true);
  SoundRef music = TSound::Load("sfx/puzzle.ogg", SOUND_LOOP);
  ASSERT_TRUE(music);
  EXPECT_GE(music->Seconds(), 60);
  for (const char* effect : {"sfx/tamli-klik-over1.ogg", "sfx/info.ogg", "sfx/tamli-info-good.ogg",
                             "sfx/tamli-info-bad.ogg"}) {
    SoundRef sound = TSound::Load(effect, 0);
    ASSERT_TRUE(sound) << effect;
    EXPECT_GT(sound->Seconds(), 0.02) << effect;
    EXPECT_LT(sound->Seconds(), 4.0) << effect;
  }
  for (int size : {14, 20, 36}) {
    FontRef font = TImageFont::Load("gfx/bluehigh.ttf", size, FONT_SMOOTH);
    ASSERT_TRUE(font) << size;
    SetDrawFont(font);
    EXPECT_GT(StringWidth("Loading..."), size * 2);
  }
  EXPECT_TRUE(fs::exists("gfx/bluehigh-LICENSE.txt"));
}

TEST_F(AssetsTest, CreditsLayoutPlacesEveryFragmentAroundTheScreenCentre) {
  TTSCFile credits;
  ::testing::internal::CaptureStdout();  // the reader traces the file's path
  credits.Load("dane/credits.tsc");
  ::testing::internal::GetCapturedStdout();
  float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (int i = 0; i < 48; ++i) {
    const std::string key = "p" + std::to_string(i);
    Ref<TTSCKey> place = credits.ResolveKey("puzle", key);
    ASSERT_TRUE(place) << key;
    ASSERT_GE(place->ValueCount, 2) << key;
    const float dx = credits.GetNumberKey("puzle", key, 0);
    const float dy = credits.GetNumberKey("puzle", key, 1);
    PixmapRef fragment = LoadPixmapFile("gfx/credits/" + key + ".png");
    ASSERT_TRUE(fragment) << key;
    left = std::min(left, dx), top = std::min(top, dy);
    right = std::max(right, dx + fragment->width), bottom = std::max(bottom, dy + fragment->height);
  }
  EXPECT_GE(left, 0);
  EXPECT_GE(top, 0);
  EXPECT_LE(right, 800);
  EXPECT_LE(bottom, 600);
  EXPECT_NEAR((left + right) / 2, 400, 2);
  EXPECT_NEAR((top + bottom) / 2, 300, 2);
}

TEST(AssetsSizeTest, AllDataTogetherStaysUnderTwelveMegabytes) {
  uintmax_t total = 0;
  for (const char* folder : {"gfx", "sfx", "dane"}) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.is_regular_file()) total += entry.file_size();
    }
  }
  EXPECT_LT(total, 12u * 1024 * 1024);
}

}  // namespace
}  // namespace orvela
