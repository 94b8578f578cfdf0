// A game killed at any moment while it saves: a child process writes the profile over and
// over, the way the game does (handed to the writer's thread, the file replaced atomically),
// alternating between two tables, and is killed with SIGKILL at random moments. The file it
// leaves is always one whole save, which reads and rebuilds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "engine/files/async_writer.h"
#include "play/saved_game/profile_support.h"

namespace orvela {
namespace {

using testing::ProfileTest;

TEST_F(ProfileTest, AKilledSaveAlwaysLeavesAWholeProfile) {
  StartGame();
  Join({2, 3}, 10, 10);
  auto table = [&](int i) { Piece(5)->x = i % 2 == 0 ? 200.0f : 100.0f; };
  table(0);
  const std::string first = profile.fileText(*play, profiles.grid);
  table(1);
  const std::string second = profile.fileText(*play, profiles.grid);
  ASSERT_EQ(profile.save(*play, profiles.grid), 1);

  std::mt19937 random(1234);
  std::uniform_int_distribution<int> moment(1000, 30000);  // microseconds
  int caught_writing = 0;  // kills that left a half-made new file beside the profile
  for (int round = 0; round < 25; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      AsyncFileWriter writer;
      for (int i = 0;; ++i) {
        table(i);
        profile.saveInBackground(writer, *play, profiles.grid);
        writer.Flush();
      }
    }
    usleep(static_cast<useconds_t>(moment(random)));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    if (std::filesystem::exists(ProfilePath() + ".tmp")) ++caught_writing;
    const std::string left = ReadProfile();
    ASSERT_TRUE(left == first || left == second)
        << "round " << round << ": " << left.size() << " bytes of a save of " << first.size();
    TProfile reader(&profiles);
    reader._url = TProfile::kDefaultFile;
    ASSERT_EQ(reader.load(), 1) << reader.problem();
  }
  RecordProperty("kills_while_writing", caught_writing);
  profiles.NewGame();
  EXPECT_EQ(profile.loadData(*play, profiles.grid), 1) << profile.problem();
  EXPECT_EQ(play->listaPomocnicza.Count(), 12);
}

}  // namespace
}  // namespace orvela
