// The random player.
#include "soak/monkey.h"

#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "engine/platform/headless/headless_platform.h"

namespace orvela {

namespace {

struct Spot {
  int x, y;
};

// The screens by name, in the order of Monkey::frames_on_ (the last is any other).
constexpr std::array<const char*, 8> kScreens = {"menu",    "chooser", "play",    "settings",
                                                 "credits", "more",    "message", "waiting"};

int ScreenIndex(const std::string& screen) {
  for (size_t i = 0; i < kScreens.size(); ++i) {
    if (screen == kScreens[i]) return static_cast<int>(i);
  }
  return static_cast<int>(kScreens.size());
}

// The centres of each screen's buttons. The menu's Quit is left out: Escape and the window's
// close button already end the game now and then, and every end means a fresh start-up.
std::vector<Spot> ButtonsOf(const std::string& screen) {
  // Play is listed three times: most runs should go on to a puzzle.
  if (screen == "menu") {
    return {{400, 335}, {400, 335}, {400, 335}, {400, 375}, {400, 415}, {400, 455}};
  }
  if (screen == "chooser") return {{210, 210}, {590, 210}, {210, 420}, {590, 420}, {400, 556}};
  if (screen == "play") {
    // The bar: main menu, hint, sort up, clean up, ghost picture, settings.
    return {{40, 20}, {160, 20}, {260, 20}, {360, 20}, {470, 20}, {600, 20}, {415, 436}};
  }
  if (screen == "settings") {
    std::vector<Spot> spots = {{505, 501}, {295, 501}, {544, 319}, {274, 319},
                               {544, 384}, {274, 384}, {500, 443}};
    for (int i = 1; i <= 10; i += 3) {
      spots.push_back({285 + 23 * i, 319});
      spots.push_back({285 + 23 * i, 384});
    }
    return spots;
  }
  if (screen == "more") return {{130, 270}, {400, 270}, {670, 270}, {325, 563}, {740, 569}};
  if (screen == "message") return {{515, 351}, {325, 351}};
  return {};
}

}  // namespace

int Monkey::Uniform(int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(random_);
}

bool Monkey::Chance(double p) {
  return std::bernoulli_distribution(p)(random_);
}

void Monkey::ClickAt(int x, int y) {
  x_ = x, y_ = y;
  platform_.QueueMouseMove(x, y);
  platform_.QueueMouseButton(1, true);
  platform_.QueueMouseButton(1, false);
}

void Monkey::StartDrag(int x, int y, int to_x, int to_y, int frames) {
  x_ = x, y_ = y;
  platform_.QueueMouseMove(x, y);
  platform_.QueueMouseButton(1, true);
  drag_left_ = frames, drag_to_x_ = to_x, drag_to_y_ = to_y;
}

void Monkey::PressKey(const std::string& screen) {
  // Escape, Space, H, S, the edit keys (left, right, Delete), and typed characters.
  static constexpr int kKeys[] = {27, 32, 72, 83, 37, 39, 46};
  const int key = kKeys[Uniform(0, 6)];
  // Escape in the main menu ends the game: keep that rare.
  if (key == 27 && screen == "menu" && !Chance(0.1)) return;
  platform_.QueueKey(key, true);
  platform_.QueueKey(key, false);
  if (Chance(0.3)) {
    platform_.QueueChar(Chance(0.2) ? 8 : static_cast<char32_t>(Uniform(32, 0x17F)));
  }
}

void Monkey::StartAction(const std::string& screen) {
  // On the play screen most actions go to the pieces; elsewhere to the buttons.
  const std::vector<Spot> buttons = ButtonsOf(screen);
  if (!buttons.empty() && Chance(screen == "play" ? 0.12 : 0.5)) {
    const Spot spot = buttons[Uniform(0, static_cast<int>(buttons.size()) - 1)];
    ClickAt(spot.x + Uniform(-3, 3), spot.y + Uniform(-3, 3));
    return;
  }
  const int roll = Uniform(300, 999);
  if (roll < 500) {
    ClickAt(Uniform(0, 799), Uniform(0, 599));
  } else if (roll < 750) {
    // Short holds are carried pieces, long ones drags and rubber bands (past 500 ms).
    StartDrag(Uniform(0, 799), Uniform(40, 599), Uniform(-20, 819), Uniform(-20, 619),
              Chance(0.5) ? Uniform(2, 20) : Uniform(31, 90));
  } else if (roll < 870) {
    PressKey(screen);
  } else if (roll < 880) {
    platform_.QueueMouseButton(Chance(0.5) ? 2 : 3, true);
    platform_.QueueMouseButton(Chance(0.5) ? 2 : 3, false);
  } else if (roll < 885) {
    platform_.QueueFocusChange();
  } else if (roll < 886 && screen != "waiting") {
    platform_.QueueQuit();  // the window's close button
    ++closes_;
  } else {
    idle_ = Uniform(1, 40);
  }
}

void Monkey::NextFrame(const std::string& screen) {
  ++frames_on_[ScreenIndex(screen)];
  if (drag_left_ > 0) {
    // Move a step toward the target, let go at the end.
    x_ += (drag_to_x_ - x_) / drag_left_;
    y_ += (drag_to_y_ - y_) / drag_left_;
    platform_.QueueMouseMove(x_, y_);
    if (--drag_left_ == 0) platform_.QueueMouseButton(1, false);
    return;
  }
  if (idle_ > 0) {
    --idle_;
    if (Chance(0.3)) platform_.QueueMouseMove(x_ = Uniform(0, 799), y_ = Uniform(0, 599));
    return;
  }
  StartAction(screen);
}

std::string Monkey::ScreenReport() const {
  std::string report;
  for (size_t i = 0; i <= kScreens.size(); ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "%s%s %d", report.empty() ? "" : ", ",
                  i < kScreens.size() ? kScreens[i] : "other", frames_on_[i]);
    report += line;
  }
  return report;
}

std::vector<std::string> Monkey::ScreensNeverSeen() const {
  std::vector<std::string> missed;
  for (size_t i = 0; i < kScreens.size(); ++i) {
    if (frames_on_[i] == 0) missed.push_back(kScreens[i]);
  }
  return missed;
}

}  // namespace orvela
