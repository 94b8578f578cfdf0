// Test support for the whole game.
#include "shell/game_driver.h"

#include "engine/engine.h"
#include "shell/startup.h"

namespace orvela::testing {

namespace {
struct GameStopped {};
}  // namespace

GameTest::GameTest() {
  platform().SetAppDataPath(TempDir().string());
  platform().HeadlessAudio().SetManual(true);
}

std::string GameTest::UserDir() const {
  return const_cast<GameTest*>(this)->TempDir().string() + "/Orvela Puzzle Game";
}

void GameTest::StopGame() {
  throw GameStopped{};
}

int GameTest::RunFrames(const std::function<void(int frame)>& on_frame) {
  int frame = 0;
  platform().SetPresentHook([&] { on_frame(frame++); });
  try {
    EXPECT_EQ(RunGame([](GameContext& game) { game.fixed_frame_factor = 1.0f; }), 0);
  } catch (const GameStopped&) {
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
