// TCredits and its flying fragments, TPuzelek.
#include "shell/credits.h"

#include <array>
#include <cmath>
#include <utility>

#include "engine/engine.h"
#include "engine/random.h"
#include "engine/runtime_error.h"
#include "engine/system.h"
#include "formats/tsc_file.h"
#include "play/spark.h"
#include "shell/game_context.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

constexpr const char* kGroup = "puzle";
constexpr float kStep = 0.02f;  // path and opacity change per frame-factor unit
// The farthest a fragment's place may lie from the screen's corner, in pixels; far beyond the
// screen, and far within what a whole pixel count can hold.
constexpr float kFarthest = 100000;

using Places = std::array<std::pair<float, float>, TCredits::kFragments>;

// Reads every fragment's place from the layout file; returns what is wrong with the file,
// or "" when every place was read.
std::string ReadPlaces(Places& places) {
  try {
    TTSCFile file;
    file.Load(TCredits::kLayoutFile);
    for (int i = 0; i < TCredits::kFragments; ++i) {
      const std::string name = "p" + std::to_string(i);
      const Ref<TTSCKey> key = file.ResolveKey(kGroup, name);
      if (key && key->ValueCount < 2) {
        return "The key " + std::string(kGroup) + "::" + name + " holds fewer than two numbers";
      }
      places[i] = {file.GetNumberKey(kGroup, name, 0), file.GetNumberKey(kGroup, name, 1)};
      // The places are taken as whole pixels: a number no pixel can be (3e9, inf) breaks the
      // line as a missing number does.
      for (const float v : {places[i].first, places[i].second}) {
        if (!(std::fabs(v) <= kFarthest)) {
          return "The key " + std::string(kGroup) + "::" + name + " holds a number out of range";
        }
      }
    }
  } catch (const RuntimeError& error) {
    return error.what();
  }
  return "";
}

// One point of the quadratic curve from `from` through `control` to `to`, each end taken as
// a whole pixel.
float OnCurve(float from, float control, float to, float t) {
  const float a = static_cast<float>(static_cast<int>(from));
  const float b = static_cast<float>(static_cast<int>(to));
  return a + 2 * t * (control - a) + t * t * (a + b - 2 * control);
}

}  // namespace

void TPuzelek::PlaceOnPath() {
  px = OnCurve(x, mx, dx, t);
  py = OnCurve(y, my, dy, t);
}

int TPuzelek::update() {
  const float f = FrameFactor();
  if (go == 1 && t < 1) {
    PlaceOnPath();
    t += kStep * static_cast<float>(go) * f;
    if (t > 1) {
      t = 1;
      px = dx;
      py = dy;
    }
    _sparki();
  } else if (go != 1 && t > 0) {
    PlaceOnPath();
    t -= kStep * f;
    if (t < 0) {
      t = 0;
      px = x;
      py = y;
    }
    if (RandomInt(0, 1) == 0) _sparki();
  }
  ApproachTarget(alpha, dAlpha, kStep * f);
  return 0;
}

int TPuzelek::draw() {
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  SetColor(255, 255, 255);
  SetAlpha(alpha);
  DrawImageFrame(img, px, py, 0);
  return 0;
}

int TPuzelek::_sparki() {
  const ImageRef& particle = TSpark::Images()[RandomInt(0, 2)];
  // A fragment whose picture is missing throws its sparks from its corner.
  const int width = img ? img->width : 0;
  const int height = img ? img->height : 0;
  const int spark_x = static_cast<int>(px - 10) + RandomInt(0, width - 10);
  const int spark_y = static_cast<int>(py - 10) + RandomInt(0, height - 10);
  const int r1 = RandomInt(50, 100);
  const int r2 = RandomInt(50, 100);
  const int r3 = RandomInt(50, 100);
  const auto spark = TSpark::Create(particle, spark_x, spark_y, 1.0f, r3, 100, r1, r2, 1, 1);
  const float first = RandomFloat(-0.5f, 0.5f);
  const float second = RandomFloat(-0.5f, 0.5f);
  spark->setVelocity(second, first);
  return 0;
}

int TCredits::setup() {
  listaPuzelkow.Clear();
  Places places{};
  if (const std::string problem = ReadPlaces(places); !problem.empty()) {
    problem_ = "The credits cannot be shown: their layout file " + std::string(kLayoutFile) +
               " could not be read.\n" + problem;
    Print(problem_);
    return 0;
  }
  problem_.clear();
  for (int i = 0; i < kFragments; ++i) {
    auto fragment = std::make_shared<TPuzelek>();
    fragment->img = TImage::Load("gfx/credits/p" + std::to_string(i) + ".png", -1);
    fragment->dx = places[i].first;
    fragment->dy = places[i].second;
    listaPuzelkow.AddLast(fragment);
  }
  losujPuzelki();
  return 0;
}

int TCredits::losujPuzelki() {
  // Start regions around the 800 × 600 screen: x range, y range, control point.
  struct Region {
    int x_lo, x_hi, y_lo, y_hi;
    float mx, my;
  };
  static constexpr std::array<Region, 8> kRegions = {{
      {-100, 0, -100, 0, 0, 600},
      {0, 800, -100, 0, 0, 600},
      {800, 900, -100, 0, 800, 600},
      {-100, 0, 0, 600, 800, 600},
      {800, 900, 0, 600, 0, 0},
      {-100, 0, 600, 700, 0, 0},
      {0, 800, 600, 700, 0, 0},
      {800, 900, 600, 700, 800, 0},
  }};
  for (const auto& fragment : listaPuzelkow) {
    const Region& region = kRegions[RandomInt(0, 7)];
    fragment->x = static_cast<float>(RandomInt(region.x_lo, region.x_hi));
    fragment->y = static_cast<float>(RandomInt(region.y_lo, region.y_hi));
    fragment->mx = region.mx;
    fragment->my = region.my;
    // Just above 0, so that the end test of start does not fire in the first frame.
    fragment->t = 0.000000001f;
    fragment->alpha = 0;
    fragment->dAlpha = 1;
    fragment->go = 1;
  }
  return 0;
}

int TCredits::update() {
  for (const auto& fragment : listaPuzelkow) fragment->update();
  return 0;
}

int TCredits::draw() {
  SetBlend(ALPHABLEND);
  DrawBackdrop(drawBehind);
  for (const auto& fragment : listaPuzelkow) fragment->draw();
  TSpark::UpdateAll();
  return 0;
}

int TCredits::start() {
  if (!problem_.empty()) {
    Notify(problem_, 1);
    return 0;
  }
  if (listaPuzelkow.IsEmpty()) return 0;  // not set up
  losujPuzelki();
  wyjdz = 0;
  RunningScreen running("credits");
  const ScreenLoop loop = Game().screen_loop();
  while (!wyjdz) {
    loop.BeginFrame();
    update();
    draw();
    loop.ShowFrame();
    SoundUpdate();
    // A click or Escape sends the fragments flying out.
    if (KeyHits(KEY_ESCAPE) || (loop.mouse() && loop.mouse()->leftPressed > 0)) exitCredits();
    if (listaPuzelkow.First()->t == 0 && listaPuzelkow.Last()->t == 0) wyjdz = 1;
  }
  return 0;
}

int TCredits::exitCredits() {
  for (const auto& fragment : listaPuzelkow) {
    fragment->go = -1;
    fragment->dAlpha = 0;
  }
  return 0;
}

}  // namespace orvela
