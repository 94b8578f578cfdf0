// The runner end to end: a script picks the first picture, and the state dumps say what the
// player sees: the chooser, then the play screen with its twelve pieces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "support/headless.h"

namespace orvela {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;

int Count(const std::string& text, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

TEST(RunnerTest, DumpsTellTheScreenAndThePlayTable) {
  ScopedTempDir dir;
  const std::string script = (dir.path() / "script.txt").string();
  WriteBytes(script,
             "wait 85\nclick 400 335\nwait 45\ndump chooser.json\nclick 210 210\nwait 150\n"
             "dump play.json\nkey P\nwait 2\ndump paused.json\nkey P\nwait 2\nfocus lost\n"
             "wait 2\ndump lost.json\n");
  const std::string command = std::string("cd '") + dir.path().string() + "' && '" + ORVELA_RUN +
                              "' --home '" + dir.path().string() + "' script.txt" +
                              " > runner.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(dir.path() / "runner.log");
  EXPECT_EQ(ReadBytes(dir.path() / "chooser.json"),
            "{\"screen\": \"chooser\", \"best\": [null, null, null, null]}\n");
  const std::string play = ReadBytes(dir.path() / "play.json");
  EXPECT_EQ(play.rfind("{\"screen\": \"play\", \"state\": \"GRA\", \"clock\": \"00:0", 0), 0u)
      << play;
  EXPECT_NE(play.find("\"ghost\": 0, \"carried\": \"none\", \"marked\": [], \"entries\": ["),
            std::string::npos);
  // Twelve loose pieces, each once, with its place, size and solved place as numbers.
  const std::regex piece(
      R"re(\{"piece": (\d+), "x": -?\d+, "y": -?\d+, "w": \d+, "h": \d+, "xD": \d+, "yD": \d+\})re");
  std::set<int> ids;
  for (auto it = std::sregex_iterator(play.begin(), play.end(), piece);
       it != std::sregex_iterator(); ++it) {
    ids.insert(std::stoi((*it)[1]));
  }
  EXPECT_EQ(ids.size(), 12u);
  EXPECT_EQ(*ids.rbegin(), 11);
  EXPECT_EQ(Count(play, "\"group\""), 0);
  // P pauses and goes on; the window losing the focus pauses too.
  EXPECT_NE(play.find("\"progress\": [0, 11], \"paused\": 0"), std::string::npos);
  EXPECT_NE(ReadBytes(dir.path() / "paused.json").find("\"paused\": 1"), std::string::npos);
  EXPECT_NE(ReadBytes(dir.path() / "lost.json").find("\"paused\": 1"), std::string::npos);
}

}  // namespace
}  // namespace orvela
