// The construction demonstration screens.
#include "demos/pieces_demo.h"

#include <memory>
#include <string>

#include "construction/cutter.h"
#include "construction/picture_sets.h"
#include "construction/shape_grid.h"
#include "engine/engine.h"
#include "play/spark.h"
#include "play/waiting_screen.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

// A table that only answers which piece is on top (the one drawn last).
class DemoTable : public PieceHost {
 public:
  TList<TPuzel> pieces;
  int moznaOver(const TPuzel& piece) override {
    const MouseRef& mouse = GlobalMouse();
    for (const Ref<TPuzel>& other : pieces) {
      if (!other->img || other.get() == &piece) continue;
      const bool under = mouse->x > other->x && mouse->x < other->x + other->img->width &&
                         mouse->y > other->y && mouse->y < other->y + other->img->height;
      if (under && other->_kolejka > piece._kolejka) return 0;
    }
    return 1;
  }
  void setPuzzel(const Ref<TPuzel>&) override {}
  const TList<TPuzel>& allPieces() const override { return pieces; }
  Ref<TObject> groupOf(const TPuzel&) override { return nullptr; }
};

std::shared_ptr<WaitingScreen> MakeWaitingScreen() {
  TZegar::setup();
  return std::make_shared<WaitingScreen>(TImage::Load("gfx/menu-screen.jpg", -1),
                                         MakeWaitingClock(400, 380), nullptr, std::nullopt,
                                         nullptr);
}

}  // namespace

void RunPiecesDemo(int set) {
  const PictureSet& chosen = kPictureSets[set < 0 || set > 3 ? 0 : set];
  auto mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/kursor.png", 1, 1);
  SetGlobalMouse(mouse);
  LoadParticleImages();
  ParticleSparkEmitter sparks;
  SetSparkEmitter(&sparks);

  PixmapRef picture = LoadPixmapFile(chosen.url);
  const int w = picture ? picture->width : 640, h = picture ? picture->height : 480;
  TKreatorKlockow grid;
  grid.KSZTALT = chosen.ksztalt;
  grid.createGrid(static_cast<float>(chosen.cols), static_cast<float>(chosen.rows),
                  static_cast<float>(w), static_cast<float>(h), 0, 0);
  PixmapRef mask1 = grid.drawOn(w, h);
  PixmapRef mask2 = grid.drawOn(w, h);
  auto waiting = MakeWaitingScreen();
  TRozcinacz cutter;
  cutter.progress = waiting.get();
  cutter.setup(chosen.url, mask1, mask2);
  cutter.potnij(w, h, 0, grid._skokX, grid._skokY);
  cutter.progress = nullptr;

  DemoTable table;
  SetPieceHost(&table);
  // Laid out apart: the solved layout spread about its centre, centred below the bar.
  const float spread = 1.2f;
  for (const Ref<TPuzel>& piece : cutter.listaPomocnicza) {
    piece->x = 400 + (piece->xD - w / 2.0f) * spread;
    piece->y = 316 + (piece->yD - h / 2.0f) * spread;
    piece->_shadowAlpha = piece->_dShadowAlpha = 1;
    piece->_lezy = 0;
    table.pieces.AddLast(piece);
  }
  if (table.pieces.Count() > 2) table.pieces.ValueAtIndex(2)->_oznaczony = 1;
  const ImageRef belka = TImage::Load("gfx/game.jpg", -1);
  TDeltaTime timer;
  timer.SetFPS(60);
  const ScreenLoop loop(timer, mouse.get());
  try {
    while (KeyHits(KEY_ESCAPE) == 0) {
      loop.BeginFrame();
      for (const Ref<TPuzel>& piece : table.pieces) piece->update(1, 0, 0);
      SetBlend(ALPHABLEND);
      SetColor(255, 255, 255);
      SetAlpha(1);
      DrawImageFrame(belka, 0, 0, 0);
      int order = 0;
      for (const Ref<TPuzel>& piece : table.pieces) {
        piece->drawShadow(1, 0, 0);
        piece->draw(1, 0, 0);
        piece->_kolejka = order++;
      }
      TSpark::UpdateAll();
      loop.ShowFrame();
    }
  } catch (...) {
    SetPieceHost(nullptr);
    SetSparkEmitter(nullptr);
    SetGlobalMouse(nullptr);
    throw;
  }
  SetPieceHost(nullptr);
  SetSparkEmitter(nullptr);
  SetGlobalMouse(nullptr);
}

void RunWaitingDemo() {
  auto waiting = MakeWaitingScreen();
  waiting->Start();
  while (KeyHits(KEY_ESCAPE) == 0) {
    waiting->Update();
    waiting->Draw();
  }
}

}  // namespace orvela
