// Best times: kept per picture set in data/besttimes.tsc, written when a time beats the best
// and read back in a new run; a broken file kept aside with one message; the chooser's dump
// and cards show them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "runner/state_dump.h"
#include "shell/best_times.h"
#include "shell/game_driver.h"
#include "shell/set_chooser.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::ReadBytes;
using testing::WriteBytes;

class BestTimesTest : public GameTest {
 protected:
  BestTimesTest() { fs::create_directories(UserDir() + "/data"); }
  std::string FilePath() const { return UserDir() + "/data/besttimes.tsc"; }
  // Runs the game to the chooser and returns its dump.
  std::string ChooserDump() {
    std::string dump;
    RunFrames([&](int frame) {
      if (frame == testing::kFirstClickable) Press(testing::kPlay[0], testing::kPlay[1]);
      if (frame == testing::kFirstClickable + 1) Release();
      if (Screen() == "chooser" && Game().chooser->fade == 0) {
        dump = GameStateJson();
        StopGame();
      }
      if (frame > 1000) StopGame();
    });
    return dump;
  }
};

TEST_F(BestTimesTest, OnlyABetterTimeIsKeptAndANewRunReadsItBack) {
  struct Step {
    const char* picture;
    int seconds;
    std::optional<int> before;
    bool new_best;
  };
  const Step steps[] = {
      {"gfx/puzzle/obr1.jpg", 300, std::nullopt, true},
      {"gfx/puzzle/obr1.jpg", 300, 300, false},  // a tie beats nothing
      {"gfx/puzzle/obr1.jpg", 252, 300, true},
      {"gfx/puzzle/obr2.jpg", 1000, std::nullopt, true},
      {"gfx/puzzle/obr2.jpg", 1200, 1000, false},
  };
  BestTimes times;
  times.Load(UserDir());
  for (const Step& step : steps) {
    const BestTimes::Result result = times.Record(step.picture, step.seconds);
    EXPECT_EQ(result.before, step.before) << step.picture << " " << step.seconds;
    EXPECT_EQ(result.new_best, step.new_best) << step.picture << " " << step.seconds;
  }
  EXPECT_EQ(ReadBytes(FilePath()), "best{\n\tobr1=252.000000\n\tobr2=1000.00000\n}\n");
  // A new run: the chooser shows them in its own order (obr1, obr4, obr3, obr2).
  EXPECT_EQ(ChooserDump(), "{\"screen\": \"chooser\", \"best\": [252, null, null, 1000]}\n");
  EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(BestTimesTest, TimesNoGameCouldMakeAreLeftOut) {
  WriteBytes(FilePath(),
             "best{\n\tobr1=-4.0\n\tOBR4=61.0\n\tobr3=\"soon\"\n\tobr2=99999999999.0\n}\n");
  EXPECT_EQ(ChooserDump(), "{\"screen\": \"chooser\", \"best\": [null, 61, null, null]}\n");
  EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(BestTimesTest, ABrokenFileIsKeptAsideWithOneMessageAndTheTimesStartAfresh) {
  WriteBytes(FilePath(), "best{ obr1=12; ");
  EXPECT_EQ(ChooserDump(), "{\"screen\": \"chooser\", \"best\": [null, null, null, null]}\n");
  EXPECT_EQ(ReadBytes(FilePath() + ".broken"), "best{ obr1=12; ");
  EXPECT_FALSE(fs::exists(FilePath()));
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("kept as besttimes.tsc.broken."), std::string::npos)
      << platform().Messages()[0];
  // The next best time writes a fresh file beside the kept one.
  BestTimes times;
  times.Load(UserDir());
  EXPECT_TRUE(times.Record("gfx/puzzle/obr3.jpg", 99).new_best);
  EXPECT_EQ(ReadBytes(FilePath()), "best{\n\tobr3=99.0000000\n}\n");
}

}  // namespace
}  // namespace orvela
