// Saving and continuing a game of the 80-piece set in the middle of play (a third of the
// pieces joined in groups): the save as the game's thread makes it and the whole save with
// the disk's part waited for, and the whole continue (the file read, the picture decoded, the masks
// drawn, the cut run again, the pieces placed), beside the cut alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/files/async_writer.h"
#include "engine/platform/headless/headless_platform.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "shell/game_context.h"
#include "shell/main_menu.h"
#include "shell/set_chooser.h"

namespace {

using namespace orvela;

// A game context with the 80-piece set in play and its profile in a folder of its own.
class MidGame {
 public:
  MidGame() : engine_(std::make_unique<HeadlessPlatform>()) {
    folder_ = std::filesystem::temp_directory_path() / "orvela-profile-bench";
    std::filesystem::create_directories(folder_ / "profiles");
    game_.userDir = folder_.string();
    game_.play->setup();
    game_.chooser->setup();  // it holds the sets' pictures, decoded
    game_.profile->_url = TProfile::kDefaultFile;
    game_.main_menu->flow.NewPuzzle(*game_.chooser->zestawy[3]);  // the 80-piece set
    TPuzzelGame& play = *game_.play;
    // Nine groups of three pieces each, as joins would leave them.
    for (int g = 0; g < 9; ++g) {
      const Ref<TPuzel> a = play.listaPomocnicza.ValueAtIndex(3 * g);
      const GroupRef group = play._stworzGrupe(a, play.listaPomocnicza.ValueAtIndex(3 * g + 1));
      play._dolacz(play.listaPomocnicza.ValueAtIndex(3 * g + 2), group);
      group->x = 10.5f * static_cast<float>(g);
      group->y = 20.25f;
    }
  }
  ~MidGame() { std::filesystem::remove_all(folder_); }

  GameContext& game() { return game_; }

 private:
  EngineScope engine_;
  GameContext game_;
  std::filesystem::path folder_;
};

// The whole save on the calling thread: the text, and the file written, flushed to the disk
// and renamed over the old one.
void BM_SaveProfileAndWait(benchmark::State& state) {
  MidGame mid;
  for (auto _ : state)
    benchmark::DoNotOptimize(mid.game().profile->save(*mid.game().play, *mid.game().shape_grid));
  state.SetLabel(std::to_string(std::filesystem::file_size(mid.game().profile->path())) + " bytes");
}

// The save as the game makes it: what the game's thread spends before it goes on (the text,
// handed to the writer's thread); the disk's part is waited for outside the measured time.
void BM_SaveProfile(benchmark::State& state) {
  MidGame mid;
  AsyncFileWriter writer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        mid.game().profile->saveInBackground(writer, *mid.game().play, *mid.game().shape_grid));
    state.PauseTiming();
    writer.Flush();
    state.ResumeTiming();
  }
}

// Continuing as the game does it: the profile was read at start-up (to know that a puzzle is
// in progress), and Continue rebuilds the puzzle from what was read.
void BM_ContinueProfile(benchmark::State& state) {
  MidGame mid;
  TProfile& profile = *mid.game().profile;
  profile.save(*mid.game().play, *mid.game().shape_grid);
  for (auto _ : state) {
    state.PauseTiming();
    profile.load();
    state.ResumeTiming();
    if (!profile.loadData(*mid.game().play, *mid.game().shape_grid))
      state.SkipWithError(profile.problem().c_str());
  }
}

// Continuing with the file read and parsed again first.
void BM_ContinueProfileFromFile(benchmark::State& state) {
  MidGame mid;
  TProfile& profile = *mid.game().profile;
  profile.save(*mid.game().play, *mid.game().shape_grid);
  for (auto _ : state) {
    if (!profile.loadData(*mid.game().play, *mid.game().shape_grid))
      state.SkipWithError(profile.problem().c_str());
  }
}

// What start-up spends reading the profile (the file read and parsed, the header checked).
void BM_LoadProfile(benchmark::State& state) {
  MidGame mid;
  TProfile& profile = *mid.game().profile;
  profile.save(*mid.game().play, *mid.game().shape_grid);
  for (auto _ : state) benchmark::DoNotOptimize(profile.load());
}

void BM_Cut80(benchmark::State& state) {
  MidGame mid;
  const PixmapRef picture = mid.game().chooser->zestawy[3]->pm;
  const PixmapRef mask = mid.game().shape_grid->drawOn(picture->width, picture->height);
  TRozcinacz& cutter = *mid.game().cutter;
  for (auto _ : state) {
    cutter.setup(picture, mask, mask);
    benchmark::DoNotOptimize(cutter.potnij(picture->width, picture->height, 0, 0, 0));
  }
}

BENCHMARK(BM_SaveProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProfileAndWait)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinueProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinueProfileFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cut80)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
