// The game against what a hostile tester did to it: a second copy started beside the first,
// and data files missing, damaged or replaced by a pipe. Each gives one clear message and a
// game that still starts, or a clear refusal that names the files; nothing hangs or crashes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/files/files.h"
#include "engine/files/instance_lock.h"
#include "shell/game_driver.h"
#include "shell/startup.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::ReadBytes;
using testing::WriteBytes;

class FaultsTest : public GameTest {
 protected:
  // An installed copy whose data files are links each, so that a test can replace one.
  fs::path LinkedCopy() {
    const fs::path install = InstallCopy();
    for (const char* folder : {"gfx", "sfx", "dane"}) {
      const fs::path real = fs::canonical(install / folder);
      fs::remove(install / folder);
      for (const auto& entry : fs::recursive_directory_iterator(real)) {
        const fs::path copy = install / folder / fs::relative(entry.path(), real);
        if (entry.is_directory()) {
          fs::create_directories(copy);
        } else {
          fs::create_directories(copy.parent_path());
          fs::create_symlink(entry.path(), copy);
        }
      }
    }
    return install;
  }
  // Runs the game in that folder as the program does, without the test's frame hook: the
  // status it ends with.
  int RunIn(const fs::path& install) {
    static fs::path folder;
    folder = install;
    const fs::path before = fs::current_path();
    ::testing::internal::CaptureStderr();
    const int status = RunGame([](GameContext&) { fs::current_path(folder); });
    errors_ = ::testing::internal::GetCapturedStderr();
    fs::current_path(before);
    return status;
  }
  // Starts the game, leaves the menu with Escape and the more-games screen after it.
  int StartAndLeave() {
    return RunFrames([&](int frame) {
      if (frame >= 1) Key(KEY_ESCAPE);
    });
  }
  std::string errors_;
};

// A double click started two copies: both wrote one temporary file, the starting one removed
// the other's while it was written, and the profile came out of both. The second copy now
// says the game runs already and ends before it touches a file.
TEST_F(FaultsTest, ASecondCopyEndsBeforeItTouchesAnyFile) {
  fs::create_directories(UserDir() + "/profiles");
  fs::create_directories(UserDir() + "/data");
  WriteBytes(SettingsPath(), "the first copy's settings");
  const std::string writing = UserDir() + "/profiles/tobrin.prof.tmp";
  WriteBytes(writing, "being written by the first copy");
  {
    const InstanceLock first(UserDir() + "/" + kLockFile);
    ASSERT_EQ(first.state(), InstanceLock::State::kHeld);
    EXPECT_EQ(RunIn(ProgramFolder()), 1);
    EXPECT_EQ(platform().Messages(), std::vector<std::string>{kAlreadyRunning});
    EXPECT_EQ(platform().Presents(), 0);  // no window either
    EXPECT_EQ(ReadBytes(SettingsPath()), "the first copy's settings");
    EXPECT_EQ(ReadBytes(writing), "being written by the first copy");
    EXPECT_FALSE(fs::exists(UserDir() + "/profiles/tobrin.prof"));
    EXPECT_NE(errors_.find("already running"), std::string::npos) << errors_;
  }
  // With the first copy gone (its lock goes with it, however it ended), the game starts.
  EXPECT_EQ(StartAndLeave(), 3);
  EXPECT_FALSE(fs::exists(writing));            // a leftover now: cleaned up
  EXPECT_EQ(platform().Messages().size(), 2u);  // the settings reset, once
}

// Junk in place of the toolkit's button images gave sixteen message boxes in a row and a menu
// without buttons: one message names the files, and the game does not start.
TEST_F(FaultsTest, WithoutItsToolkitImagesTheGameNamesThemAndDoesNotStart) {
  const fs::path install = LinkedCopy();
  std::vector<std::string> junk;
  for (const auto& entry : fs::recursive_directory_iterator(install / "gfx" / "gui")) {
    if (entry.path().extension() != ".png") continue;
    fs::remove(entry.path());
    WriteBytes(entry.path(), "not a picture");
    junk.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(RunIn(install), 1);
  ASSERT_EQ(platform().Messages().size(), 1u);
  const std::string& text = platform().Messages()[0];
  EXPECT_EQ(text.find("The game cannot start: files it needs are missing or damaged:"), 0u) << text;
  EXPECT_NE(text.find(install.string() + "/gfx/gui/p_play.png"), std::string::npos) << text;
  EXPECT_NE(text.find("more\nPlease install the game again."), std::string::npos) << text;
  EXPECT_NE(errors_.find("cannot start"), std::string::npos);
}

// Any other data file missing, damaged or replaced by a pipe: one message names it and the
// game starts (a pipe once hung the game in open() for ever).
TEST_F(FaultsTest, OtherDataFilesThatCannotBeReadAreNamedOnceAndTheGameStarts) {
  struct Case {
    const char* file;
    const char* fault;  // "missing", "junk" or "pipe"
  };
  const std::vector<Case> cases = {
      // (The font is loaded before a test can move the game into its copy: the engine's tests
      // show its failure gathered as these are.)
      {"sfx/info.ogg", "missing"},     {"sfx/puzzle.ogg", "junk"},
      {"gfx/puzzle/obr2.jpg", "pipe"}, {"gfx/menu-screen.jpg", "missing"},
      {"gfx/kursor.png", "junk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.fault);
    const fs::path install = LinkedCopy();
    const fs::path file = install / c.file;
    fs::remove(file);
    if (std::string(c.fault) == "junk") WriteBytes(file, "junk");
    if (std::string(c.fault) == "pipe") {
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    }
    const size_t before = platform().Messages().size();
    EXPECT_EQ(StartAndLeave(), 3);
    ASSERT_EQ(platform().Messages().size(), before + 1);
    const std::string& text = platform().Messages().back();
    EXPECT_EQ(text.find("Some of the game's files are missing or damaged"), 0u) << text;
    EXPECT_NE(text.find("\n    " + file.string() + "\n"), std::string::npos) << text;
    fs::remove_all(install);
  }
}

}  // namespace
}  // namespace orvela
