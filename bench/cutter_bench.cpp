// The cut of each of the game's four picture sets (compute time alone: no waiting screen), and
// two of its steps alone: the pieces' shadows and the neighbour search.
#include <benchmark/benchmark.h>

#include <memory>

#include "construction/cutter.h"
#include "construction/picture_sets.h"
#include "construction/piece_shadow.h"
#include "construction/shape_grid.h"
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"

namespace {

using namespace orvela;

using Set = PictureSet;
constexpr const PictureSet (&kSets)[4] = kPictureSets;

struct Prepared {
  PixmapRef picture, mask;
  int cell_w = 0, cell_h = 0;
};

Prepared Prepare(const Set& set) {
  Prepared p;
  p.picture = LoadPixmapFile(set.url);
  TKreatorKlockow grid;
  grid.KSZTALT = set.ksztalt;
  grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows),
                  static_cast<float>(p.picture->width), static_cast<float>(p.picture->height), 0,
                  0);
  p.mask = grid.drawOn(p.picture->width, p.picture->height);
  p.cell_w = grid._skokX, p.cell_h = grid._skokY;
  return p;
}

void BM_Cut(benchmark::State& state) {
  EngineScope engine(std::make_unique<HeadlessPlatform>());
  const Set& set = kSets[state.range(0)];
  const Prepared p = Prepare(set);
  TRozcinacz cutter;
  CutProgress idle;  // a waiting screen that does nothing: compute time alone
  cutter.progress = &idle;
  for (auto _ : state) {
    cutter.setup(p.picture, p.mask, p.mask);
    benchmark::DoNotOptimize(
        cutter.potnij(p.picture->width, p.picture->height, 0, p.cell_w, p.cell_h));
  }
  state.SetLabel(std::to_string(set.rows * set.cols) + " pieces");
}

void BM_NeighbourSearch(benchmark::State& state) {
  EngineScope engine(std::make_unique<HeadlessPlatform>());
  const Set& set = kSets[state.range(0)];
  const Prepared p = Prepare(set);
  TRozcinacz cutter;
  CutProgress idle;
  cutter.progress = &idle;
  cutter.setup(p.picture, p.mask, p.mask);
  cutter.potnij(p.picture->width, p.picture->height, 0, p.cell_w, p.cell_h);
  for (auto _ : state) {
    for (const auto& piece : cutter.listaObrazkow) piece->_sasiedzi.Clear();
    cutter.stworzSasiadow();
  }
  state.SetLabel(std::to_string(set.rows * set.cols) + " pieces");
}

// The shadows of every piece of a set, made again from the pieces' images.
void BM_PieceShadows(benchmark::State& state) {
  EngineScope engine(std::make_unique<HeadlessPlatform>());
  const Set& set = kSets[state.range(0)];
  const Prepared p = Prepare(set);
  TRozcinacz cutter;
  CutProgress idle;
  cutter.progress = &idle;
  cutter.setup(p.picture, p.mask, p.mask);
  cutter.potnij(p.picture->width, p.picture->height, 0, p.cell_w, p.cell_h);
  for (auto _ : state) {
    for (const auto& piece : cutter.listaObrazkow)
      benchmark::DoNotOptimize(MakePieceShadow(*piece->img));
  }
  state.SetLabel(std::to_string(set.rows * set.cols) + " pieces");
}

BENCHMARK(BM_Cut)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PieceShadows)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeighbourSearch)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
