// Test support for the play screen.
#include "play/play_support.h"

#include <cmath>

#include "engine/engine.h"

namespace orvela::testing {

namespace {
struct PlayStopped {};
}  // namespace

FakePlayServices::FakePlayServices() {
  small_font = TImageFont::Load("gfx/bluehigh.ttf", 14, FONT_SMOOTH);
  middle_font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
}

FontRef FakePlayServices::Font(FontSize size) {
  return size == FontSize::kSmall ? small_font : middle_font;
}

PlayTest::PlayTest(bool draws_pixels) {
  // Runs that read no pixels draw through the null renderer, which keeps them fast.
  if (!draws_pixels) {
    platform().UseNullRenderer();
    OpenGraphics(800, 600, 0, 60, 0);
  }
  SetGlobalMouse(services.mouse);
  play = std::make_unique<TPuzzelGame>(services);
  play->keeper = &keeper;
  play->setup();
  message = std::make_unique<TMessageWindow>(services);
  message->setup();
  message->drawBehind = [this] { play->draw(); };
  play->messageWindow = message.get();
  play->obr = TImage::Load(SolidPixmap(640, 480, 0xFF336699u), -1);
}

PlayTest::~PlayTest() {
  play.reset();
  message.reset();
}

void PlayTest::MakePuzzle(int cols, int rows, int cell, float ox, float oy) {
  cell_ = cell;
  play->listaPuzzli.Clear();
  play->listaPomocnicza.Clear();
  std::vector<Ref<TPuzel>> pieces;
  for (int id = 0; id < cols * rows; ++id) {
    auto piece = std::make_shared<TPuzel>();
    piece->id = id;
    piece->img = TImage::Load(SolidPixmap(cell, cell, 0xFF808080u + static_cast<uint32_t>(id)), 1);
    piece->xD = static_cast<float>((id % cols) * cell);
    piece->yD = static_cast<float>((id / cols) * cell);
    piece->x = piece->xD + ox;
    piece->y = piece->yD + oy;
    piece->_scale = 1;
    pieces.push_back(piece);
  }
  auto link = [&](int a, int b) {
    auto record = std::make_shared<TSasiad>();
    const TPuzel& pa = *pieces[a];
    const TPuzel& pb = *pieces[b];
    record->puzel = pieces[b];
    record->odx = static_cast<int32_t>(std::fabs(pa.xD - pb.xD));
    record->ody = static_cast<int32_t>(std::fabs(pa.yD - pb.yD));
    record->sigX = pb.xD < pa.xD ? 1 : (pb.xD > pa.xD ? -1 : 0);
    record->sigy = pb.yD < pa.yD ? 1 : (pb.yD > pa.yD ? -1 : 0);
    pieces[a]->_sasiedzi.AddLast(record);
  };
  for (int id = 0; id < cols * rows; ++id) {
    const int c = id % cols, r = id / cols;
    if (c + 1 < cols) link(id, id + 1);
    if (c > 0) link(id, id - 1);
    if (r + 1 < rows) link(id, id + cols);
    if (r > 0) link(id, id - cols);
  }
  for (const Ref<TPuzel>& piece : pieces) {
    play->listaPuzzli.AddLast(piece);
    play->listaPomocnicza.AddLast(piece);
  }
}

Ref<TPuzel> PlayTest::Piece(int id) const {
  return TPuzel::getByID(play->listaPomocnicza, id);
}

void PlayTest::PlaceBeside(const Ref<TPuzel>& piece, const Ref<TPuzel>& anchor, float dx,
                           float dy) {
  piece->x = anchor->x + (piece->xD - anchor->xD) + dx;
  piece->y = anchor->y + (piece->yD - anchor->yD) + dy;
}

void PlayTest::Drop(const Ref<TObject>& carried) {
  play->setPuzzel(carried);
  play->_upuscPuzel();
}

int PlayTest::RunPlay(const std::function<void(int frame)>& on_frame) {
  int frame = 0;
  // A test that forgot to stop (or whose expectation failed before it could) ends anyway.
  platform().SetPresentHook([&] {
    if (frame > 5000) {
      ADD_FAILURE() << "the play screen was still running after 5000 frames";
      StopPlay();
    }
    on_frame(frame++);
  });
  try {
    play->mainLoop();
  } catch (const PlayStopped&) {
  }
  platform().SetPresentHook(nullptr);
  return frame;
}

void PlayTest::StopPlay() {
  throw PlayStopped{};
}

void PlayTest::Press(int x, int y) {
  platform().QueueMouseMove(x, y);
  platform().QueueMouseButton(1, true);
}

void PlayTest::Key(int code) {
  platform().QueueKey(code, true);
  platform().QueueKey(code, false);
}

}  // namespace orvela::testing
