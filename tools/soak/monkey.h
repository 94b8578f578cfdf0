// A random player for long unattended runs of the whole game: each frame it may click, drag,
// press keys, type, switch the focus or close the window, at random points and, more often,
// on the buttons of the screen that is running, so that every screen is reached again and
// again (menu, picture choice, play with every aid, settings, credits, more games, the message
// window). Its random stream is its own: the same seed gives the same run.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orvela {

class HeadlessPlatform;

class Monkey {
 public:
  Monkey(HeadlessPlatform& platform, uint32_t seed) : platform_(platform), random_(seed) {}

  // Queues the input of the next frame; `screen` is the running screen's name.
  void NextFrame(const std::string& screen);

  // How many frames each screen was running, by name, for the run's report.
  std::string ScreenReport() const;
  // The screens the run never reached.
  std::vector<std::string> ScreensNeverSeen() const;
  int closes() const { return closes_; }

 private:
  int Uniform(int lo, int hi);  // lo..hi inclusive
  bool Chance(double p);
  void StartAction(const std::string& screen);
  void ClickAt(int x, int y);
  void StartDrag(int x, int y, int to_x, int to_y, int frames);
  void PressKey(const std::string& screen);

  HeadlessPlatform& platform_;
  std::mt19937 random_;
  int x_ = 400, y_ = 300;  // where the pointer is
  // The drag in progress: frames left, where it goes.
  int drag_left_ = 0, drag_to_x_ = 0, drag_to_y_ = 0;
  int idle_ = 0;  // frames to wait before the next action
  int closes_ = 0;
  // Frames seen per screen (menu, chooser, play, settings, credits, more, message, waiting).
  int frames_on_[9] = {};
};

}  // namespace orvela
