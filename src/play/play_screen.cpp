// TPuzzelGame: setting up, starting and running the play screen.
#include "play/play_screen.h"

#include <vector>

#include "construction/cutter.h"
#include "engine/engine.h"
#include "engine/random.h"
#include "play/play_services.h"
#include "play/saved_game/game_keeper.h"
#include "play/selection.h"
#include "ui/dim.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

// The play bar: id, picture and left edge of each button; all sit at y = 5.
struct BarButton {
  int id;
  const char* image;
  int x;
};
constexpr BarButton kBar[6] = {
    {1, "gfx/b_main_menu.png", 10},    {2, "gfx/b_get_hint.png", 130},
    {3, "gfx/b_sort_up.png", 230},     {4, "gfx/b_clean_up.png", 330},
    {5, "gfx/b_ghost_image.png", 440}, {6, "gfx/b_options.png", 575},
};

DimRef PointDim(int x, int y) {
  return CreateDim(static_cast<float>(x), static_cast<float>(y), 0, 0, 0, 1, 1, 0);
}

}  // namespace

TPuzzelGame::TPuzzelGame(PlayServices& services) : services_(services) {
  SetPieceHost(this);
}

TPuzzelGame::~TPuzzelGame() {
  if (CurrentPieceHost() == this) SetPieceHost(nullptr);
}

void TPuzzelGame::clear() {
  listaPuzzli.Clear();
  puzel = nullptr;
  _stan = "GRA";
  xz = yz = -1;
  setPlaySeconds(0);
  clockComplete = true;
  joinsMade_ = 0;
}

void TPuzzelGame::setup() {
  belka = TImage::Load("gfx/game.jpg", -1);
  progressTab_ = TImage::Load("gfx/gui/progress_tab.png", -1);
  pauseLabel_ = TImage::Load("gfx/gui/paused.png", -1);
  newBestBadge_ = TImage::Load("gfx/gui/new_best.png", -1);
  menu = std::make_shared<TMenu>();
  for (const BarButton& b : kBar) {
    ButtonRef button = CreateImageButton(b.id, b.image, PointDim(b.x, 5), 1, 1, 0);
    button->alpha = 0.6f;
    menu->AddItem(button);
  }
  infoWin = TImage::Load("gfx/gui/ustawienia/window.png", -1);
  infoMenu = std::make_shared<TMenu>();
  infoMenu->AddItem(
      CreateAnimButton(1, "gfx/gui/ustawienia/ok.png", {0, 1}, PointDim(380, 420), 1));
  setupInfo();
}

void TPuzzelGame::setupInfo() {
  const ButtonRef ok = infoMenu->GetItem(1);
  ok->SetState(0, 0);
  ok->alpha = 0;
  _infoAlpha = _dInfoAlpha = 0;
}

int TPuzzelGame::moznaOver(const TPuzel& piece) {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return 1;
  const float px = static_cast<float>(mouse->x), py = static_cast<float>(mouse->y);
  auto covers = [&](const TPuzel& other) {
    if (!other.img) return false;
    return px > other.x && px < other.x + other.img->width && py > other.y &&
           py < other.y + other.img->height && other._kolejka > piece._kolejka;
  };
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto other = std::dynamic_pointer_cast<TPuzel>(entry)) {
      if (covers(*other)) return 0;
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      for (const Ref<TPuzel>& member : group->listaSpasowanych) {
        if (covers(*member)) return 0;
      }
    }
  }
  return 1;
}

bool TPuzzelGame::CutPieces(const Source& picture, const PixmapRef& maskA, const PixmapRef& maskB,
                            int cellW, int cellH) {
  RunningScreen waiting("waiting");
  TRozcinacz& cutter = services_.Cutter();
  const PixmapRef buffer = cutter.setup(picture, maskA, maskB);
  _stan = "GRA";
  if (!buffer) {
    cutter.potnij(0, 0, 0, cellW, cellH);  // no pieces: the old puzzle's are let go
  } else {
    cutter.potnij(buffer->width, buffer->height, 0, cellW, cellH);
  }
  listaPuzzli.Clear();
  for (const Ref<TPuzel>& piece : cutter.listaObrazkow) listaPuzzli.AddLast(piece);
  listaPomocnicza = cutter.listaPomocnicza;
  wyjdz = 0;
  _adX = cutter._adX;
  _adY = cutter._adY;
  _scale = cutter._scale;
  // A new table starts with nothing carried and no rubber band.
  puzel = nullptr;
  zazn = nullptr;
  xz = yz = -1;
  return !listaPuzzli.IsEmpty();
}

void TPuzzelGame::startNewGame(const Source& picture, const PixmapRef& maskA,
                               const PixmapRef& maskB, int cellW, int cellH) {
  const bool cut = CutPieces(picture, maskA, maskB, cellW, cellH);
  const PixmapRef target = services_.Cutter().targetImg;
  obr = cut && target ? TImage::Load(target, -1) : nullptr;
  rozlokujPuzzle();
  setPlaySeconds(0);  // a new puzzle's clock starts at zero
  clockComplete = true;
  joinsMade_ = 0;
  if (keeper) keeper->puzzleStarted(cellW, cellH);
  fade = 1;
  dFade = 0;
  _obrAlpha = 0;
  _obrDAlpha = 0;
}

void TPuzzelGame::continueGame(const Source& picture, const PixmapRef& maskA,
                               const PixmapRef& maskB, int cellW, int cellH) {
  CutPieces(picture, maskA, maskB, cellW, cellH);
  setPlaySeconds(0);  // the saved game's time is set by the profile
  clockComplete = true;
  joinsMade_ = 0;
  fade = 1;
  dFade = 0;
  setupInfo();
}

void TPuzzelGame::rozlokujPuzzle() {
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      const int x = RandomInt(50, 750);
      const int y = RandomInt(50, 550);
      piece->x = static_cast<float>(x);
      piece->y = static_cast<float>(y);
      piece->_lezy = 0;
    }
  }
}

void TPuzzelGame::setLoop() {
  xz = yz = -1;
  // The clock goes on from the time played so far; the time away from the screen is not
  // counted.
  playClock.Stop();
  minuty = playSeconds() / 60;
  sekundy = playSeconds() % 60;
  paused = 0;
  waitForRelease_ = false;
  focusLossesSeen_ = WindowFocusLosses();
  wyjdz = 0;
  dFade = 0;
  fade = 1;
  _dokad = 0;
  const float w = obr ? static_cast<float>(obr->width) : 0.0f;
  const float h = obr ? static_cast<float>(obr->height) : 0.0f;
  _obrx = static_cast<int>(400 - w * _scale / 2);
  _obry = static_cast<int>(300 - h * _scale / 2);
  imgOver = 0;
  setupInfo();
}

void TPuzzelGame::mainLoop() {
  RunningScreen running("play");
  setLoop();
  const ScreenLoop loop = services_.Loop();
  while (wyjdz == 0) {
    loop.BeginFrame();
    checkFocus();
    followBarPress();
    update();
    const int a = menu->State();
    const int b = infoMenu->State();
    draw();
    loop.ShowFrame();
    services_.SoundUpdate();
    if (KeyHits(KEY_ESCAPE)) wyjdz = 1;
    const bool space = KeyHits(KEY_SPACE) != 0;
    const bool save = KeyHits(KEY_S) != 0;
    const bool hint = KeyHits(KEY_H) != 0;
    // While paused the table is hidden: a click or P only go on, and nothing acts unseen.
    if (pauseKeys()) {
      if (save && keeper) keeper->saveProfile();
    } else {
      FrameInput(a, b, space, save, hint);
    }
    if (keeper) keeper->saveWhenDue();
    if (dFade == 1 && fade == 1 && _dokad == 0) wyjdz = 1;
  }
}

void TPuzzelGame::FrameInput(int a, int b, bool space, bool save, bool hint) {
  if (space) poukladajPuzzle();
  if (save && keeper) keeper->saveProfile();
  if (hint) _giveHint();
  if (_stan == "GRA") {
    if (a == 2) _giveHint();
    if (a == 3) _uluz();
    if (a == 4) poukladajPuzzle();
    if (a == 5) checkGhost();
  }
  if (a == 1) exitGame();
  if (a == 6) {
    playClock.Stop();  // the time in the settings window is not played
    services_.OpenSettings();
  }
  if (b == 1) exitGame();
  const MouseRef& mouse = GlobalMouse();
  if (mouse && mouse->leftPressed && imgOver == 1) _showHide();
  if (!waitForRelease_) checkMouse();
}

void TPuzzelGame::exitGame() {
  _dokad = 0;
  dFade = 1;
}

void TPuzzelGame::setPuzzel(const Ref<TPuzel>& piece) {
  setPuzzel(Ref<TObject>(piece));
}

void TPuzzelGame::setPuzzel(const Ref<TObject>& carried) {
  puzel = carried;
  holdedTime = MilliClock();
  puzzelHolded = 0;
}

void TPuzzelGame::_wyrzuc(const Ref<TObject>& entry) {
  listaPuzzli.Remove(entry);
}

}  // namespace orvela
