// orvela-soak: plays the whole game headless for a given number of frames with the random
// player of monkey.h, restarting it whenever it ends, then checks what the run left behind:
// every settings and profile file readable, no temporary file, no file set aside as broken,
// no message box shown, and (in a build without the sanitizer, for long runs) memory that
// does not keep growing. Exit status 0 when all is well, 1 with the problems listed.
//
//   orvela-soak [--frames N] [--seed S] [--home DIR] [--draw] [--max-growth-mb M]
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/files/data_folder.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "shell/game_context.h"
#include "shell/startup.h"
#include "soak/monkey.h"
#include "ui/screen_loop.h"

namespace fs = std::filesystem;
using namespace orvela;

namespace {

struct SoakFinished {};

// The resident memory of this process in MB, from /proc (0 where there is none).
double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages_total = 0, pages_resident = 0;
  if (!(statm >> pages_total >> pages_resident)) return 0;
  return static_cast<double>(pages_resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

// The memory the program holds allocated (not what the allocator keeps for later), in MB.
double LiveHeapMegabytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The largest of the samples from the fraction `from` to `to` of the run.
double PeakBetween(const std::vector<double>& samples, double from, double to) {
  const auto first = static_cast<size_t>(static_cast<double>(samples.size()) * from);
  const auto last = static_cast<size_t>(static_cast<double>(samples.size()) * to);
  double peak = 0;
  for (size_t i = first; i < last && i < samples.size(); ++i) peak = std::max(peak, samples[i]);
  return peak;
}

// What the run left in the per-user folder that the game could not read back.
std::vector<std::string> CheckUserFiles(const fs::path& user_dir) {
  std::vector<std::string> problems;
  std::error_code ec;
  int settings = 0;
  for (fs::recursive_directory_iterator it(user_dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const std::string path = it->path().string();
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && name.ends_with(".tmp")) {
      problems.push_back("a temporary file was left: " + path);
    } else if (name.find(".broken") != std::string::npos) {
      problems.push_back("a file was set aside as unreadable: " + path);
    } else if (name.ends_with(".tsc") || name.ends_with(".prof")) {
      try {
        auto file = TTSCFile::Create();
        file->Load(path);
        if (name == "options.tsc") {
          ++settings;
          for (const char* key : {"sound", "music", "ekran"}) {
            if (!file->ResolveKey("options", key)) {
              problems.push_back(path + " lacks the key options::" + key);
            }
          }
        }
      } catch (const RuntimeError& error) {
        problems.push_back(path + " cannot be read: " + error.what());
      }
    }
  }
  if (settings != 1) problems.push_back("no settings file was left in " + user_dir.string());
  return problems;
}

int Usage() {
  std::fputs(
      "usage: orvela-soak [--frames N] [--seed S] [--home DIR] [--draw] [--max-growth-mb M]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  long frames = 20000;
  unsigned long seed = 1;
  [[maybe_unused]] double max_growth_mb = 16;  // judged outside the sanitizer build
  bool draw = false;
  std::string home;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--frames" && has_value) {
      frames = std::strtol(argv[++i], nullptr, 10);
    } else if (arg == "--seed" && has_value) {
      seed = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--home" && has_value) {
      home = argv[++i];
    } else if (arg == "--max-growth-mb" && has_value) {
      max_growth_mb = std::strtod(argv[++i], nullptr);
    } else if (arg == "--draw") {
      draw = true;
    } else {
      return Usage();
    }
  }
  if (frames <= 0) return Usage();
  const bool own_home = home.empty();
  if (own_home) {
    std::string pattern = (fs::temp_directory_path() / "orvela-soak-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("orvela-soak: temporary folder");
      return 2;
    }
    home = pattern;
  }
  home = fs::absolute(home).string();
  fs::create_directories(home);

  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& platform = *owned;
  platform.SetAppDataPath(home);
  platform.UseNullRenderer(!draw);  // the canvas is read by no one unless asked
  std::vector<std::string> messages;
  platform.SetMessageHook([&](const std::string& text) { messages.push_back(text); });
  Monkey monkey(platform, static_cast<uint32_t>(seed));

  long frame = 0;
  int starts = 0;
  std::vector<double> memory;    // resident MB every 250 frames
  std::vector<double> at_start;  // live heap MB as each new start of the game begins
  platform.SetPresentHook([&] {
    if (++frame % 250 == 0) memory.push_back(ResidentMegabytes());
    if (frame >= frames) throw SoakFinished{};
    monkey.NextFrame(RunningScreen::Current());
  });

  ChangeToGameDataFolder();
  EngineScope engine(std::move(owned));
  const int status = RunGuarded([&] {
    while (frame < frames) {
      ++starts;
      at_start.push_back(LiveHeapMegabytes());
      try {
        // A frame factor of 1 whatever the virtual clock says: the same seed, the same run.
        RunGame([](GameContext& game) { game.fixed_frame_factor = 1.0f; });
      } catch (const SoakFinished&) {
      } catch (const QuitRequested&) {
      }
    }
    return 0;
  });

  std::vector<std::string> problems;
  if (status != 0) problems.push_back("the game ended with status " + std::to_string(status));
  // A run long enough to play a few puzzles reaches every screen.
  if (frames >= 8000) {
    for (const std::string& screen : monkey.ScreensNeverSeen()) {
      problems.push_back("the run never reached the screen \"" + screen + "\"");
    }
  }
  for (const std::string& text : messages) problems.push_back("message box: " + text);
  for (const std::string& problem : CheckUserFiles(fs::path(home) / "Orvela Puzzle Game")) {
    problems.push_back(problem);
  }

  std::printf("orvela-soak: %ld frames, seed %lu, %d starts, %d window closes\n", frame, seed,
              starts, monkey.closes());
  std::printf("frames per screen: %s\n", monkey.ScreenReport().c_str());
  if (!memory.empty()) {
    // The first quarter loads and cuts every picture once; after it the memory should stay
    // level. The sanitizer keeps freed memory on purpose, so its build only reports.
    const double settled = PeakBetween(memory, 0.25, 0.5);
    const double late = PeakBetween(memory, 0.75, 1.0);
    std::printf(
        "resident memory: %.1f MB after the first quarter, %.1f MB in the last, %.1f MB"
        " at the end\n",
        settled, late, memory.back());
#ifndef ORVELA_SANITIZED
    if (frames >= 10000 && late - settled > max_growth_mb) {
      char text[128];
      std::snprintf(text, sizeof text, "memory grew by %.1f MB (more than %.1f MB)", late - settled,
                    max_growth_mb);
      problems.push_back(text);
    }
#endif
  }
  // Between two starts everything of the game before is gone: what is still allocated at the
  // later starts beyond what was at the second (the first comes before anything was loaded)
  // has leaked. A sound effect may still be sounding at one start; the least of the later
  // half is taken.
  if (at_start.size() >= 3) {
    [[maybe_unused]] const double grown =
        *std::min_element(at_start.begin() + static_cast<long>(at_start.size() / 2),
                          at_start.end()) -
        at_start[1];
    std::printf(
        "allocated at the starts of the game: %.2f MB at the second, %.2f MB at the last"
        " (%zu starts)\n",
        at_start[1], at_start.back(), at_start.size());
#ifndef ORVELA_SANITIZED
    if (grown > 1.0) {
      char text[128];
      std::snprintf(text, sizeof text, "%.2f MB more was allocated at the last start", grown);
      problems.push_back(text);
    }
#endif
  }
  for (const std::string& problem : problems) std::printf("PROBLEM: %s\n", problem.c_str());
  if (own_home && problems.empty()) fs::remove_all(home);
  if (own_home && !problems.empty()) std::printf("the per-user folder is kept: %s\n", home.c_str());
  return problems.empty() ? 0 : 1;
}
