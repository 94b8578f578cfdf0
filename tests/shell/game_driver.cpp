// Test support for the whole game.
#include "shell/game_driver.h"

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/files/files.h"
#include "shell/startup.h"
#include "ui/screen_loop.h"

namespace orvela::testing {

namespace {

struct GameStopped {};

// The folder the next run plays in instead of the program's own ("" for the program's).
std::filesystem::path& RunFolder() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

GameTest::GameTest() {
  // Most runs look at the game's objects, not its pixels: the null renderer keeps them fast
  // (the sanitizer build rasterises slowly). A test that reads pixels calls DrawPixels().
  platform().UseNullRenderer();
  platform().SetAppDataPath(TempDir().string());
  platform().HeadlessAudio().SetManual(true);
}

std::string GameTest::UserDir() const {
  return const_cast<GameTest*>(this)->TempDir().string() + "/Orvela Puzzle Game";
}

std::filesystem::path GameTest::InstallCopy() {
  namespace fs = std::filesystem;
  install_ = TempDir() / "install";
  fs::create_directories(install_);
  const fs::path program = ProgramFolder();
  for (const char* folder : {"gfx", "sfx", "dane", "docs"}) {
    fs::create_directory_symlink(fs::canonical(program / folder), install_ / folder);
  }
  return install_;
}

std::string GameTest::Screen() {
  return RunningScreen::Current();
}

void GameTest::StopGame() {
  throw GameStopped{};
}

int GameTest::RunFrames(const std::function<void(int frame)>& on_frame) {
  int frame = 0;
  // A run that never ends (a test waiting for what does not come) fails instead of hanging.
  platform().SetPresentHook([&] {
    if (frame > kFrameLimit) {
      ADD_FAILURE() << "the game was still running after " << kFrameLimit << " frames";
      StopGame();
    }
    on_frame(frame++);
  });
  try {
    RunFolder() = install_;
    EXPECT_EQ(RunGame([](GameContext& game) {
                game.fixed_frame_factor = 1.0f;
                if (!RunFolder().empty()) std::filesystem::current_path(RunFolder());
              }),
              0);
  } catch (const GameStopped&) {
  } catch (const QuitRequested&) {
    // The player closed the window: the program ends there, as the game's main ends it.
  }
  platform().SetPresentHook(nullptr);
  return frame;
}

void GameTest::Press(int x, int y) {
  platform().QueueMouseMove(x, y);
  platform().QueueMouseButton(1, true);
}

void GameTest::MoveTo(int x, int y) {
  platform().QueueMouseMove(x, y);
}

void GameTest::Release() {
  platform().QueueMouseButton(1, false);
}

void GameTest::Key(int code) {
  platform().QueueKey(code, true);
  platform().QueueKey(code, false);
}

}  // namespace orvela::testing
