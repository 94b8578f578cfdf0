// Test support for the whole game: runs the start-up and the main menu on the headless
// platform with a fixed frame factor of 1, calling a function after every shown frame so a
// test can give input and look at the game's objects as it runs.
#pragma once

#include <functional>
#include <string>

#include "shell/game_context.h"
#include "support/headless.h"

namespace orvela::testing {

class GameTest : public HeadlessTest {
 protected:
  GameTest();

  // Runs the game; on_frame(n) runs after shown frame n (0 is the loading screen). Returns
  // the number of frames shown. A test ends the run early with StopGame().
  int RunFrames(const std::function<void(int frame)>& on_frame);
  [[noreturn]] static void StopGame();

  // Input for the next frame.
  void Press(int x, int y);  // move and press the left button
  void MoveTo(int x, int y);
  void Release();
  void Key(int code);

  std::string UserDir() const;
  std::string SettingsPath() const { return UserDir() + "/data/options.tsc"; }
};

}  // namespace orvela::testing
