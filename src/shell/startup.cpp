// The start-up sequence.
#include "shell/startup.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "construction/cutter.h"
#include "engine/engine.h"
#include "engine/files/data_folder.h"
#include "engine/files/files.h"
#include "engine/files/instance_lock.h"
#include "engine/loading.h"
#include "engine/random.h"
#include "engine/system.h"
#include "play/message_window.h"
#include "play/play_mouse.h"
#include "play/play_screen.h"
#include "play/saved_game/profile_manager.h"
#include "play/spark.h"
#include "play/waiting_clock.h"
#include "play/waiting_screen.h"
#include "shell/best_times.h"
#include "shell/credits.h"
#include "shell/game_context.h"
#include "shell/main_menu.h"
#include "shell/more_games.h"
#include "shell/set_chooser.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"

namespace orvela {

namespace {

// Creates a folder when it is missing; a failure is not reported.
void EnsureFolder(const std::string& path) {
  if (FileKind(path) == FILE_NONE) MakeDir(path, 0);
}

// The game's data folders lie beside the program; without them every picture and sound would
// be reported one by one over a black screen. One message names what is missing instead.
bool GameDataPresent() {
  std::vector<std::string> missing;
  for (const char* folder : {"gfx", "sfx", "dane"}) {
    if (FileKind(folder) != FILE_FOLDER) missing.push_back(AbsolutePath(folder));
  }
  if (missing.empty()) return true;
  std::string list;
  for (size_t i = 0; i < missing.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
  }
  const std::string text = "The game's data could not be found: " + list +
                           (missing.size() == 1 ? " is" : " are") +
                           " missing.\nPlease install the game again.";
  std::fprintf(stderr, "Orvela Puzzle Game: %s\n", text.c_str());
  Notify(text, 1);
  return false;
}

// The data files start-up could not load, said in one message: without a toolkit image (the
// buttons, the menus) the game cannot be used, and it does not start; without any other file
// (a picture, a sound, the font) it goes on. False when the game cannot start.
bool ReportFailedLoads(std::vector<FailedLoads::File> files) {
  if (files.empty()) return true;
  // The files the game cannot do without are named first.
  std::stable_partition(files.begin(), files.end(),
                        [](const FailedLoads::File& file) { return file.needed; });
  bool needed = false;
  std::string list;
  constexpr size_t kListed = 12;
  for (size_t i = 0; i < files.size(); ++i) {
    needed = needed || files[i].needed;
    if (i < kListed) list += "\n    " + AbsolutePath(ResolveDataPath(files[i].path));
  }
  if (files.size() > kListed) {
    list += "\n    and " + std::to_string(files.size() - kListed) + " more";
  }
  const std::string text =
      needed ? "The game cannot start: files it needs are missing or damaged:" + list +
                   "\nPlease install the game again."
             : "Some of the game's files are missing or damaged, and the game goes on without "
               "them:" +
                   list + "\nInstalling the game again brings them back.";
  std::fprintf(stderr, "Orvela Puzzle Game: %s\n", text.c_str());
  Notify(text, needed ? 1 : 0);
  return !needed;
}

void LoadingScreen(const GameContext& game, const ImageRef& background) {
  SetBlend(ALPHABLEND);
  DrawImageFrame(background, 0, 0, 0);
  SetDrawFont(game.large_font);
  const std::string text = "Loading...";
  DrawString(text, static_cast<float>(400 - StringWidth(text) / 2), 290);
  Flip(-1);
}

}  // namespace

int RunGame(void (*before_start)(GameContext&)) {
  ChangeToGameDataFolder();
  AppTitle("Orvela Puzzle Game");  // before any message box, so that the box has it
  // Held until every file of the game has been written (the game's objects, the profile's
  // writer among them, go first).
  std::optional<InstanceLock> running;
  // From the fonts the context loads to the last screen's set-up.
  std::optional<FailedLoads> failed_loads(std::in_place);
  GameContext game;
  if (before_start) before_start(game);
  if (!GameDataPresent()) return 1;

  // The per-user folder. The platform's own application-data folder may itself be missing
  // on a fresh system; without it nothing could ever be saved, so it is made first. Without
  // one at all userDir stays empty and nothing is kept (the settings say so).
  const std::string app_data = UserAppDataPath(kAppDataFolder);
  if (!app_data.empty()) {
    if (FileKind(app_data) == FILE_NONE) MakeDir(app_data, 1);
    game.userDir = app_data + "/Orvela Puzzle Game";
    EnsureFolder(game.userDir);
    // A second copy (a double click) would write the same files as the first: it says so and
    // ends before it touches any of them.
    running.emplace(game.userDir + "/" + kLockFile);
    if (running->state() == InstanceLock::State::kHeldByOther) {
      std::fputs("Orvela Puzzle Game: the game is already running\n", stderr);
      Notify(kAlreadyRunning, 0);
      return 1;
    }
    for (const char* sub : {"/data", "/profiles"}) {
      EnsureFolder(game.userDir + sub);
      RemoveLeftoverTemporaryFiles(game.userDir + sub);  // a save killed half-way
    }
  }

  game.settings->Load();
  game.best_times->Load(game.userDir);
  const ImageRef background = TImage::Load("gfx/menu-screen.jpg", -1);
  SeedRandom(MilliClock());
  game.frame_timer->SetFPS(60);
  if (!OpenGraphics(game.screenWidth, game.screenHeight, game.settings->pelnyEkran ? 32 : 0, 60,
                    0)) {
    std::fputs("Orvela Puzzle Game: no display could be opened\n", stderr);
    return 1;
  }
  HideMouse();  // the game draws its own pointer
  LoadingScreen(game, background);

  game.mouse->loadCursor("gfx/kursor.png", 1, 1);
  if (!game.mouse->cursor) ShowMouse();  // the system's pointer stands in for the game's
  game.main_menu->setup();
  game.play->setup();
  game.profile_manager->setup();
  game.chooser->setup();
  TZegar::setup();
  LoadParticleImages();
  game.credits->setup();
  game.more_games->setup();
  game.settings->setup();
  game.waiting_clock = MakeWaitingClock(game.screenWidth / 2, 380);
  game.waiting_screen =
      std::make_shared<WaitingScreen>(game.main_menu->img, game.waiting_clock, game.frame_timer,
                                      game.fixed_frame_factor, [] { SoundUpdate(); });
  game.cutter->progress = game.waiting_screen.get();
  game.message_window->setup();
  game.sounds->load();
  const std::vector<FailedLoads::File> failed = failed_loads->files();
  failed_loads.reset();
  if (!ReportFailedLoads(failed)) return 1;
  // The saved game: read when there is one (a game in progress is offered by Play), the
  // default profile made and written when there is none.
  game.profile_manager->checkProfiles();

  game.main_menu->start();
  return 0;
}

}  // namespace orvela
