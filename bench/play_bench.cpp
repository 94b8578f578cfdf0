// The play screen's worst frame and its costliest drop, on the game's 80-piece set:
//   BM_PlayFrame/0  update + draw of 80 loose pieces with their shadows, one of them carried,
//                   the pointer over the table, issued to the null renderer (the CPU cost the
//                   game pays on any graphics card);
//   BM_PlayFrame/1  the same frame rasterised by the headless software renderer;
//   BM_PlayFrame/2  as /0 with nothing carried: every piece tests the pointer, and those
//                   under it ask which piece lies on top;
//   BM_ChainedDrop  one drop that chains three joins (piece to piece, the new group into a
//                   resting group, the grown group pulling a loose piece over), sparks and
//                   sounds included.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/random.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "play/spark.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace {

using namespace orvela;

// The game around the play screen, doing nothing that the benchmark does not measure.
class QuietServices : public PlayServices {
 public:
  ScreenLoop Loop() override { return ScreenLoop(*timer, mouse.get(), 1.0f); }
  void SoundUpdate() override {}
  void Play(PlaySound) override {}
  void OpenSettings() override {}
  FontRef Font(FontSize) override { return font; }
  TRozcinacz& Cutter() override { return cutter; }
  FinishTime RecordTime(int) override { return {}; }

  std::shared_ptr<TDeltaTime> timer = TDeltaTime::Create(60);
  MouseRef mouse = std::make_shared<TMouse>();
  TRozcinacz cutter;
  FontRef font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
};

// An engine with the 80-piece set cut and scattered as the game does.
struct Table {
  explicit Table(bool null_renderer) {
    auto platform = std::make_unique<HeadlessPlatform>();
    if (null_renderer) platform->UseNullRenderer();
    engine = std::make_unique<EngineScope>(std::move(platform));
    OpenGraphics(800, 600, 0, 60, 0);
    services = std::make_unique<QuietServices>();
    SetGlobalMouse(services->mouse);
    SetFrameFactor(1);
    for (int i = 0; i < 3; ++i) TSpark::Images()[i] = TImage::Load("gfx/particle/1.png", -1);
    play = std::make_unique<TPuzzelGame>(*services);
    play->setup();
    SeedRandom(11);
    TKreatorKlockow grid;
    grid.KSZTALT = CUT_BUMP;
    grid.createGrid(10, 8, 640, 480, 0, 0);
    play->startNewGame("gfx/puzzle/obr2.jpg", grid.drawOn(640, 480), grid.drawOn(640, 480),
                       grid._skokX, grid._skokY);
    play->fade = play->dFade = 0;
  }
  ~Table() {
    play.reset();
    TSpark::destroyAll();
    TSpark::Images().fill(nullptr);
    SetGlobalMouse(nullptr);
  }
  Ref<TPuzel> Piece(int id) const { return TPuzel::getByID(play->listaPomocnicza, id); }
  // The neighbour of the piece on the given side (sigX or sigy of its record), or null.
  static Ref<TPuzel> Beside(const TPuzel& piece, int sig_x, int sig_y) {
    for (const Ref<TSasiad>& record : piece._sasiedzi) {
      if (record->sigX == sig_x && record->sigy == sig_y) return record->puzel.lock();
    }
    return nullptr;
  }

  std::unique_ptr<EngineScope> engine;
  std::unique_ptr<QuietServices> services;
  std::unique_ptr<TPuzzelGame> play;
};

void BM_PlayFrame(benchmark::State& state) {
  Table table(state.range(0) != 1);
  TPuzzelGame& play = *table.play;
  // One piece carried (or none), the pointer over the middle of the table.
  if (state.range(0) != 2) play.setPuzzel(Ref<TObject>(play.listaPuzzli.Last()));
  table.services->mouse->x = 400;
  table.services->mouse->y = 320;
  for (const Ref<TPuzel>& piece : play.listaPomocnicza) piece->_shadowAlpha = 1;
  play.draw();  // textures are made outside the timing
  for (auto _ : state) {
    Cls();
    play.update();
    play.draw();
    benchmark::ClobberMemory();
  }
  const char* labels[] = {"null renderer", "software renderer", "null renderer, none carried"};
  state.SetLabel(labels[state.range(0)]);
}

void BM_ChainedDrop(benchmark::State& state) {
  Table table(true);
  TPuzzelGame& play = *table.play;
  // Four pieces in a row, a, b, c, d (b right of a, and so on), and e right of d.
  Ref<TPuzel> a;
  for (const Ref<TPuzel>& piece : play.listaPomocnicza) {
    Ref<TPuzel> p = piece;
    int run = 0;
    while (p && run < 4) p = Table::Beside(*p, -1, 0), ++run;
    if (p && run == 4) {
      a = piece;
      break;
    }
  }
  const Ref<TPuzel> b = Table::Beside(*a, -1, 0), c = Table::Beside(*b, -1, 0);
  const Ref<TPuzel> d = Table::Beside(*c, -1, 0), e = Table::Beside(*d, -1, 0);
  const std::vector<Ref<TObject>> scattered = play.listaPuzzli.ToArray();
  auto place = [&](const Ref<TPuzel>& piece, float x) {
    piece->x = a->x + (piece->xD - a->xD) + x;
    piece->y = a->y + (piece->yD - a->yD);
  };
  for (auto _ : state) {
    state.PauseTiming();
    // The table: c and d joined and resting, a and e loose at their places beside them,
    // b about to be dropped two pixels off its place between a and c.
    play.listaPuzzli.Clear();
    for (const Ref<TObject>& entry : scattered) play.listaPuzzli.AddLast(entry);
    a->x = 300, a->y = 250;
    place(c, 0), place(d, 0), place(b, 2);
    e->x = 700, e->y = 40;
    play.setPuzzel(Ref<TObject>(d));
    play._upuscPuzel();
    place(e, 0);
    TSpark::destroyAll();
    play.setPuzzel(Ref<TObject>(b));
    state.ResumeTiming();
    play._upuscPuzel();
    state.PauseTiming();
    if (play.listaPuzzli.Count() != 80 - 4)
      state.SkipWithError("the drop did not chain three joins");
    TSpark::destroyAll();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_PlayFrame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainedDrop)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
