// orvela-run: plays a script of mouse and key input against a screen of the game on the
// headless platform and writes screenshots.
//   orvela-run [--screen NAME] [--home DIR] SCRIPT
// The default screen is the whole game from start-up.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demos/engine_demo.h"
#include "demos/pieces_demo.h"
#include "demos/toolkit_demo.h"
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/files/data_folder.h"
#include "engine/files/files.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/runtime_error.h"
#include "runner/script.h"
#include "runner/state_dump.h"
#include "shell/startup.h"

namespace fs = std::filesystem;
using namespace orvela;

namespace {

using Screen = std::function<void(const std::vector<std::string>& args)>;

const std::map<std::string, Screen>& Screens() {
  static const std::map<std::string, Screen> screens = {
      {"game", [](const std::vector<std::string>&) { RunGame(); }},
      {"pieces-demo",
       [](const std::vector<std::string>& args) {
         OpenGraphics(800, 600, 0, 60, 0);
         RunPiecesDemo(args.empty() ? 0 : std::atoi(args[0].c_str()));
       }},
      {"waiting",
       [](const std::vector<std::string>&) {
         OpenGraphics(800, 600, 0, 60, 0);
         RunWaitingDemo();
       }},
      {"engine-demo",
       [](const std::vector<std::string>&) {
         OpenGraphics(800, 600, 0, 60, 0);
         RunEngineDemo();
       }},
      {"toolkit-demo",
       [](const std::vector<std::string>&) {
         OpenGraphics(800, 600, 0, 60, 0);
         RunToolkitDemo();
       }},
  };
  return screens;
}

int Usage() {
  std::fprintf(stderr, "usage: orvela-run [--screen NAME] [--home DIR] SCRIPT\nscreens:");
  for (const auto& [name, screen] : Screens()) std::fprintf(stderr, " %s", name.c_str());
  std::fprintf(stderr, "\n");
  return 2;
}

// "pieces-demo 2" or "pieces-demo:2" -> name and arguments.
std::vector<std::string> SplitScreen(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == ' ' || c == ':') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

}  // namespace

int main(int argc, char** argv) {
  std::string screen_spec = "game";
  std::string home;
  std::string script_path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screen" && i + 1 < argc) {
      screen_spec = argv[++i];
    } else if (arg == "--home" && i + 1 < argc) {
      home = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && script_path.empty()) {
      script_path = arg;
    } else {
      return Usage();
    }
  }
  if (script_path.empty()) return Usage();
  std::vector<std::string> screen_args = SplitScreen(screen_spec);
  if (screen_args.empty()) return Usage();
  const std::string screen_name = screen_args.front();
  screen_args.erase(screen_args.begin());
  const auto screen = Screens().find(screen_name);
  if (screen == Screens().end()) return Usage();

  const fs::path caller_folder = fs::current_path();
  std::ifstream in(script_path);
  if (!in) {
    std::fprintf(stderr, "orvela-run: cannot read %s\n", script_path.c_str());
    return 2;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (home.empty()) {
    home = (fs::temp_directory_path() / "orvela-run-home").string();
    std::error_code ec;
    fs::create_directories(home, ec);
  }
  home = fs::absolute(home).string();

  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& platform = *owned;
  platform.SetAppDataPath(home);
  platform.SetMessageHook([](const std::string& text) {
    std::printf("notify: %s\n", text.c_str());
    std::fflush(stdout);
  });
  platform.SetUrlHook([](const std::string& address) {
    std::printf("url: %s\n", address.c_str());
    std::fflush(stdout);
  });
  ScriptPlayer player(platform, lines, caller_folder.string(), GameStateJson);
  if (const std::string problem = player.Validate(); !problem.empty()) {
    std::fprintf(stderr, "orvela-run: %s: %s\n", script_path.c_str(), problem.c_str());
    return 2;
  }
  platform.SetPresentHook([&player] { player.OnFrame(); });

  ChangeToGameDataFolder();
  EngineScope engine(std::move(owned));
  return RunGuarded([&] {
    try {
      screen->second(screen_args);
    } catch (const ScriptFinished&) {
    } catch (const QuitRequested&) {
    }
    return 0;
  });
}
