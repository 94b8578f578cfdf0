// Fuzzes the saved-game reader: any profile file is either rebuilt into a sound table or
// refused (as broken, or for a picture that cannot be had), and never crashes or hangs. A
// rebuilt table holds every piece of the puzzle exactly once, loose or in a group of two or
// more, at places near the screen, every loose piece at least partly on it. Runs in the repository
// folder (the game's pictures). Seeds: a game of the first set saved in the middle of play, and a
// profile without a game.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "construction/shape_grid.h"
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "play/group.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "shell/game_context.h"
#include "shell/set_chooser.h"

namespace {

using namespace orvela;

// The game's objects as start-up makes them, with the per-user folder in a folder of this
// run's own.
struct World {
  World() {
    folder = std::filesystem::temp_directory_path() /
             ("orvela-fuzz-profile-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "profiles");
    game = std::make_unique<GameContext>();
    game->userDir = folder.string();
    game->play->setup();
    game->chooser->setup();
    game->profile->_url = TProfile::kDefaultFile;
  }
  ~World() {
    game.reset();
    std::filesystem::remove_all(folder);
  }
  EngineScope engine{std::make_unique<HeadlessPlatform>()};
  std::filesystem::path folder;
  std::unique_ptr<GameContext> game;
};

void Check(bool sound) {
  if (!sound) std::abort();
}

void CheckPlace(const TPuzel& piece) {
  Check(std::isfinite(piece.x) && std::isfinite(piece.y));
  Check(std::fabs(piece.x) <= TProfile::kFarthest + 800.0f);
  Check(std::fabs(piece.y) <= TProfile::kFarthest + 600.0f);
}

// A loose piece lies at least partly on the 800 × 600 table, where it can be taken hold of.
void CheckOnTable(const TPuzel& piece) {
  const float w = piece.img ? static_cast<float>(piece.img->width) : 0.0f;
  const float h = piece.img ? static_cast<float>(piece.img->height) : 0.0f;
  Check(piece.x + w >= 0 && piece.x <= 800 && piece.y + h >= 0 && piece.y <= 600);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World world;
  TProfile& profile = *world.game->profile;
  {
    std::ofstream out(profile.path(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  profile.load();
  if (!profile.loadData(*world.game->play, *world.game->shape_grid)) return 0;
  const TPuzzelGame& play = *world.game->play;
  std::set<const TPuzel*> seen;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      Check(seen.insert(piece.get()).second);
      CheckPlace(*piece);
      CheckOnTable(*piece);
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      Check(group->listaSpasowanych.Count() >= 2);
      Check(std::isfinite(group->x) && std::isfinite(group->y));
      for (const Ref<TPuzel>& member : group->listaSpasowanych) {
        Check(seen.insert(member.get()).second);
        CheckPlace(*member);
      }
    } else {
      Check(false);
    }
  }
  Check(static_cast<int>(seen.size()) == play.listaPomocnicza.Count());
  return 0;
}
