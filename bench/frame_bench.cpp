// The frame benchmark: the whole game, from start-up, drawn through SDL on its offscreen video
// driver (or on the X display in DISPLAY) with the render driver asked for by name (SDL's
// software renderer unless another is named, or none with "auto": the game's own choice), the
// way a machine without a working graphics driver draws it. Scripted input walks the screens a
// player sees; for each it reports the CPU time a frame costs, the start-up time to the first
// frame of the main menu and the peak memory of the run (an 80-piece game).
//   frame_bench [--x11] [--gpu-device] [--window WxH] [--no-still-layers] [RENDER_DRIVER]
// RENDER_DRIVER: software (the default), opengl, auto, ...
// --x11 draws through SDL's x11 video driver; --gpu-device chooses the renderer as on a
// machine with a GPU device node (the game then asks the GL driver what it draws with).
// --window draws the canvas scaled into a window of that size (as full screen on a larger
// display does); --no-still-layers draws every screen whole each frame, for comparison.
// The clock is virtual (each paced frame is exactly 1/60 s), so the game animates as on a
// machine that keeps up, and a frame's cost is the CPU time it took, not the time it waited.
#include <SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/render/still_layer.h"
#include "play/play_screen.h"
#include "play/selection.h"
#include "shell/game_context.h"
#include "shell/startup.h"
#include "ui/screen_loop.h"

namespace {

using namespace orvela;
namespace fs = std::filesystem;

double CpuMs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

const auto program_start = std::chrono::steady_clock::now();
GameContext* game = nullptr;

struct Result {
  std::string screen;
  int frames = 0;
  double process_ms = 0;  // every thread of the process (sound mixing included)
  double main_ms = 0;     // the game's own thread
  long drawn = 0;         // frames drawn and presented (the others showed nothing new)
};

// One scripted step, run after a shown frame; true when done, false to be asked again next
// frame.
using Step = std::function<bool()>;

// The SDL platform's renderer, telling when each frame ends: a frame that shows nothing new
// is never presented, so the script moves on from here.
class FrameEnds : public Renderer {
 public:
  FrameEnds(Renderer& renderer, std::function<void()> on_end)
      : inner(renderer), on_end_(std::move(on_end)) {}
  int Width() const override { return inner.Width(); }
  int Height() const override { return inner.Height(); }
  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override {
    return inner.CreateTexture(bgra, filtered);
  }
  void Clear() override { inner.Clear(); }
  void DrawQuad(const QuadDraw& quad) override { inner.DrawQuad(quad); }
  void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                  float alpha, int blend) override {
    inner.DrawPoints(points, r, g, b, alpha, blend);
  }
  void DrawPixmap(const TPixmap& pixmap, int x, int y) override { inner.DrawPixmap(pixmap, x, y); }
  PixmapRef ReadPixels(int x, int y, int w, int h) override { return inner.ReadPixels(x, y, w, h); }
  void Flush() override { inner.Flush(); }
  bool FinishFrame(bool must_show) override {
    const bool shown = inner.FinishFrame(must_show);
    on_end_();
    return shown;
  }
  std::unique_ptr<Texture> CreateTarget(int width, int height) override {
    return inner.CreateTarget(width, height);
  }
  bool SetTarget(Texture* target) override { return inner.SetTarget(target); }

  Renderer& inner;

 private:
  std::function<void()> on_end_;
};

// The SDL platform with a virtual clock and scripted input in front of it.
class BenchPlatform : public Platform {
 public:
  BenchPlatform(std::string home, std::string device_folder)
      : sdl_(std::move(device_folder)), home_(std::move(home)) {}
  std::string RenderDriver() const { return sdl_.RenderDriver(); }

  void Queue(std::function<void(InputSink&)> event) { events_.push_back(std::move(event)); }
  void Add(Step step) { steps_.push_back(std::move(step)); }
  bool Finished() const { return steps_.empty(); }

  bool OpenDisplay(const DisplayMode& mode) override {
    if (!sdl_.OpenDisplay(mode)) return false;
    // A window of another size: the canvas is drawn scaled into it.
    if (window_w_ > 0) SDL_SetWindowSize(sdl_.Window(), window_w_, window_h_);
    return true;
  }
  void SetWindowSize(int width, int height) { window_w_ = width, window_h_ = height; }
  Renderer* GetRenderer() override {
    Renderer* inner = sdl_.GetRenderer();
    if (!inner) return nullptr;
    if (!frames_ || &frames_->inner != inner) {
      frames_ = std::make_unique<FrameEnds>(*inner, [this] { NextSteps(); });
    }
    return frames_.get();
  }
  void Present(bool vsync) override {
    sdl_.Present(vsync);
    ++shown_;
  }
  // Frames presented (the others were left undrawn as unchanged).
  long Shown() const { return shown_; }
  bool HasVsync() const override { return false; }
  void WarpMouse(int x, int y) override { sdl_.WarpMouse(x, y); }
  void ShowCursor(bool visible) override { sdl_.ShowCursor(visible); }
  void SetTitle(const std::string& title) override { sdl_.SetTitle(title); }
  int64_t Milliseconds() override { return now_; }
  void SleepUntil(int64_t milliseconds) override { now_ = std::max(now_, milliseconds); }
  void PumpEvents(InputSink& sink) override {
    sdl_.PumpEvents(sink);
    for (auto& event : events_) event(sink);
    events_.clear();
    if (steps_.empty()) sink.OnQuitRequest();
  }
  void ShowMessage(const std::string& text, bool) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  void OpenUrl(const std::string&) override {}
  std::string AppDataPath() override { return home_; }
  AudioOutput& Audio() override { return sdl_.Audio(); }

 private:
  SdlPlatform sdl_;
  std::string home_;
  int64_t now_ = 0;
  int window_w_ = 0, window_h_ = 0;
  std::vector<std::function<void(InputSink&)>> events_;
  std::deque<Step> steps_;
  long shown_ = 0;
  std::unique_ptr<FrameEnds> frames_;

  void NextSteps() {
    while (!steps_.empty() && steps_.front()()) steps_.pop_front();
  }
};

// The script: the steps below, in order, with what they measure.
class Script {
 public:
  explicit Script(BenchPlatform& platform) : p_(platform) {}

  void Move(int x, int y) {
    p_.Add([this, x, y] {
      MoveNow(x, y);
      return true;
    });
  }
  // The pointer moves at the next event pump (from inside a step).
  void MoveNow(int x, int y) {
    p_.Queue([x, y](InputSink& s) { s.OnMouseMove(x, y); });
  }
  void Button(bool down) {
    p_.Add([this, down] {
      p_.Queue([down](InputSink& s) { s.OnMouseButton(1, down); });
      return true;
    });
  }
  void Click(int x, int y) {
    Move(x, y);
    Button(true);
    Wait(1);
    Button(false);
  }
  void Key(int code) {
    p_.Add([this, code] {
      p_.Queue([code](InputSink& s) {
        s.OnKey(code, true, false);
        s.OnKey(code, false, false);
      });
      return true;
    });
  }
  void Wait(int frames) {
    auto left = std::make_shared<int>(frames);
    p_.Add([left] { return --*left < 0; });
  }
  void WaitFor(const char* screen) {
    p_.Add([screen] { return std::string(RunningScreen::Current()) == screen; });
  }
  void Do(std::function<void()> action) {
    p_.Add([action = std::move(action)] {
      action();
      return true;
    });
  }
  // Measures `frames` frames; `each_frame`, when given, runs before every one (moving input).
  void Measure(std::string screen, int frames, std::function<void(int)> each_frame = nullptr) {
    auto state = std::make_shared<Result>();
    state->screen = std::move(screen);
    auto start = std::make_shared<std::pair<double, double>>();
    auto shown = std::make_shared<long>();
    p_.Add([this, state, start, shown, frames, each_frame] {
      if (state->frames == 0) {
        *start = {CpuMs(CLOCK_PROCESS_CPUTIME_ID), CpuMs(CLOCK_THREAD_CPUTIME_ID)};
        *shown = p_.Shown();
      } else if (state->frames == frames) {
        state->process_ms = (CpuMs(CLOCK_PROCESS_CPUTIME_ID) - start->first) / frames;
        state->main_ms = (CpuMs(CLOCK_THREAD_CPUTIME_ID) - start->second) / frames;
        state->drawn = p_.Shown() - *shown;
        results.push_back(*state);
        return true;
      }
      if (each_frame) each_frame(state->frames);
      ++state->frames;
      return false;
    });
  }

  std::vector<Result> results;
  double startup_s = 0;

 private:
  BenchPlatform& p_;
};

// A rubber band that takes in as many entries as it can: its start on a free point of the
// table (no piece's box covers it), its end in the opposite corner of the screen.
struct Band {
  int x0 = 2, y0 = 40, x1 = 798, y1 = 598;
};

Band WidestBand(const TPuzzelGame& play) {
  Band best;
  int best_count = -1;
  const std::pair<int, int> corners[4] = {{798, 598}, {2, 598}, {798, 40}, {2, 40}};
  for (int y = 40; y < 598; y += 4) {
    for (int x = 2; x < 798; x += 4) {
      bool covered = false;
      for (const Ref<TPuzel>& piece : play.listaPomocnicza) {
        const int w = piece->img ? piece->img->width : 0, h = piece->img ? piece->img->height : 0;
        if (x >= piece->x - 2 && x <= piece->x + w + 2 && y >= piece->y - 2 &&
            y <= piece->y + h + 2) {
          covered = true;
          break;
        }
      }
      if (covered) continue;
      for (const auto& [cx, cy] : corners) {
        int count = 0;
        for (const Ref<TObject>& entry : play.listaPuzzli) {
          if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
            count += piece->wObszarze(x, y, cx - x, cy - y);
          }
        }
        if (count > best_count) best_count = count, best = {x, y, cx, cy};
      }
    }
  }
  return best;
}

void WriteScript(Script& s) {
  constexpr int kFrames = 240;
  s.WaitFor("menu");
  s.Do([&s] {
    s.startup_s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - program_start).count();
  });
  s.Move(20, 580);
  s.Wait(90);  // the menu fades in
  s.Measure("main menu, idle", kFrames);
  s.Measure("main menu, pointer moving", kFrames,
            [&s](int frame) { s.MoveNow(20 + frame % 60, 580); });

  s.Click(400, 418);  // Credits
  s.WaitFor("credits");
  s.Wait(80);
  s.Measure("credits", kFrames);
  s.Click(400, 300);
  s.WaitFor("menu");
  s.Wait(60);

  s.Click(400, 335);  // Play
  s.WaitFor("chooser");
  s.Move(20, 580);
  s.Wait(45);
  s.Measure("chooser", kFrames);
  s.Click(590, 420);  // the 80-piece picture
  s.WaitFor("play");
  s.Move(400, 16);  // over the bar, between two buttons
  s.Wait(60);
  s.Measure("play table, 80 pieces at rest", kFrames);
  s.Measure("play table, pointer moving over it", kFrames, [&s](int frame) {
    // Over pieces and bare table alike: the pieces under it light up and go dark again.
    s.MoveNow(100 + (frame * 3) % 600, 120 + (frame * 7) % 440);
  });

  // A rubber band round (nearly) every piece, then the selection carried about.
  auto band = std::make_shared<Band>();
  s.Do([band] { *band = WidestBand(*game->play); });
  s.Do([&s, band] { s.MoveNow(band->x0, band->y0); });
  s.Wait(2);
  s.Button(true);
  s.Wait(2);
  s.Do([&s, band] { s.MoveNow(band->x1, band->y1); });
  s.Wait(2);
  s.Button(false);
  s.Wait(2);
  s.Do([] {
    const auto selection = std::dynamic_pointer_cast<TZaznaczenie>(game->play->puzel);
    std::printf("carried selection: %d of %d entries\n",
                selection ? selection->listaZaznaczonych.Count() : 0,
                game->play->listaPuzzli.Count());
  });
  s.Measure("carrying an 80-piece rubber-band selection", kFrames, [&s](int frame) {
    // Back and forth, a few pixels each frame, as a hand moves.
    const int dx = (frame / 20) % 2 == 0 ? frame % 20 : 20 - frame % 20;
    s.MoveNow(700 + 4 * dx, 500);
  });
  s.Click(700, 500);  // put it down
  s.Wait(30);
  s.Key(27);  // back to the menu
  s.WaitFor("menu");
  s.Wait(60);

  s.Key(27);  // the more-games screen
  s.WaitFor("more");
  s.Move(20, 300);
  s.Wait(40);
  s.Measure("more games", kFrames);
}

}  // namespace

int main(int argc, char** argv) {
  std::string video_driver = "offscreen", render_driver = "software";
  bool gpu_device = false;
  int window_w = 0, window_h = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--window" && i + 1 < argc &&
        std::sscanf(argv[i + 1], "%dx%d", &window_w, &window_h) == 2 && window_w > 0 &&
        window_h > 0) {
      ++i;
    } else if (arg == "--no-still-layers") {
      AllowStillLayers(false);
    } else if (arg == "--x11") {
      video_driver = "x11";
    } else if (arg == "--gpu-device") {
      gpu_device = true;
    } else if (!arg.empty() && arg[0] != '-') {
      render_driver = arg;
    } else {
      std::fprintf(stderr,
                   "usage: frame_bench [--x11] [--gpu-device] [--window WxH] [--no-still-layers] "
                   "[RENDER_DRIVER|auto]\n");
      return 2;
    }
  }
  setenv("SDL_VIDEODRIVER", video_driver.c_str(), 1);
  if (render_driver == "auto") {
    unsetenv("SDL_RENDER_DRIVER");
  } else {
    setenv("SDL_RENDER_DRIVER", render_driver.c_str(), 1);
  }
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::error_code ec;
  const fs::path home =
      fs::temp_directory_path() / ("orvela-frame-bench-" + std::to_string(getpid()));
  fs::create_directories(home, ec);
  // The devices of a machine with a GPU: a render node (an empty file is enough to be seen).
  fs::path devices = "/dev";
  if (gpu_device) {
    devices = home / "dev";
    fs::create_directories(devices / "dri", ec);
    std::ofstream(devices / "dri" / "renderD128").put('\0');
  }

  std::vector<Result> results;
  double startup_s = 0;
  bool finished = false;
  std::string drawn_by;
  {
    auto owned = std::make_unique<BenchPlatform>(home.string(), devices.string());
    BenchPlatform& platform = *owned;
    platform.SetWindowSize(window_w, window_h);
    Script script(platform);
    WriteScript(script);
    EngineScope engine(std::move(owned));
    try {
      RunGame([](GameContext& context) {
        game = &context;
        context.fixed_frame_factor = 1.0f;
      });
    } catch (const QuitRequested&) {
    }
    finished = platform.Finished();
    drawn_by = platform.RenderDriver();
    results = script.results;
    startup_s = script.startup_s;
  }
  fs::remove_all(home, ec);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("SDL video driver %s, render driver asked: %s, drawn by: %s%s\n",
              video_driver.c_str(), render_driver.c_str(), drawn_by.c_str(),
              gpu_device ? " (as on a machine with a GPU device)" : "");
  std::printf("%-46s %8s %8s %12s %7s\n", "screen", "CPU ms", "game ms", "core at 60Hz", "drawn");
  for (const Result& r : results) {
    std::printf("%-46s %8.2f %8.2f %11.0f%% %3ld/%d\n", r.screen.c_str(), r.process_ms, r.main_ms,
                r.process_ms * 60 / 10, r.drawn, r.frames);
  }
  std::printf("start-up to the first menu frame: %.3f s\n", startup_s);
  std::printf("peak memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024);
  if (!finished) {
    std::fprintf(stderr, "the script did not run to its end\n");
    return 1;
  }
  return 0;
}
