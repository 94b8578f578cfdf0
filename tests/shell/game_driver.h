// Test support for the whole game: runs the start-up and the main menu on the headless
// platform with a fixed frame factor of 1, calling a function after every shown frame so a
// test can give input and look at the game's objects as it runs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "shell/game_context.h"
#include "support/headless.h"

namespace orvela::testing {

// The main menu's first clickable frame at a frame factor of 1: the quit highlight reaches
// x 325. Input queued after frame n is read by frame n + 1.
constexpr int kFirstClickable = 72;
// The centre of the main menu's Play button.
constexpr int kPlay[2] = {400, 335};
// RunFrames stops a game that runs longer than this (a test that waits for what never comes).
constexpr int kFrameLimit = 30000;

class GameTest : public HeadlessTest {
 protected:
  GameTest();

  // Runs the game; on_frame(n) runs after shown frame n (0 is the loading screen). Returns
  // the number of frames shown. A test ends the run early with StopGame(); a run whose window
  // is closed (QueueQuit) ends as the program does.
  int RunFrames(const std::function<void(int frame)>& on_frame);
  [[noreturn]] static void StopGame();

  // Input for the next frame.
  void Press(int x, int y);  // move and press the left button
  void MoveTo(int x, int y);
  void Release();
  void Key(int code);

  // Makes a copy of the game's folder for this test (links to the real gfx/, sfx/, dane/ and
  // docs/) that the game then runs in; a test replaces what it needs in it (a broken file, a
  // missing page) before RunFrames. Returns the copy's path.
  std::filesystem::path InstallCopy();

  // The game draws on the software canvas, so that the test can read its pixels.
  void DrawPixels() { platform().UseNullRenderer(false); }

  std::string UserDir() const;
  // The screen whose loop is running ("menu", "play", ...).
  static std::string Screen();
  std::string SettingsPath() const { return UserDir() + "/data/options.tsc"; }

 private:
  std::filesystem::path install_;
};

}  // namespace orvela::testing
