// TGame, the main menu.
#include "shell/main_menu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "play/spark.h"
#include "shell/credits.h"
#include "shell/game_context.h"
#include "shell/more_games.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

constexpr int kButtonIds[5] = {1, 6, 2, 3, 4};  // play, options, credits, more, quit
constexpr const char* kNames[5] = {"play", "options", "credits", "more", "quit"};
constexpr float kLeft = 325;  // where the buttons and highlights rest: 800 / 2 − 75

}  // namespace

int TGame::setup() {
  img = TImage::Load("gfx/menu-screen.jpg", -1);
  butt = std::make_shared<TMenu>();
  const std::vector<int> frames = {0, 1};
  for (int i = 0; i < 5; ++i) {
    y[i] = 320 + 40 * i;
    const std::string name = kNames[i];
    butt->AddItem(CreateAnimButton(kButtonIds[i], "gfx/GUI/p_" + name + ".png", frames,
                                   CreateDim(kLeft, static_cast<float>(y[i]), 0, 0, 0, 1, 1, 0),
                                   1));
    but[i] = TImage::Load("gfx/GUI/p_" + name + "02.png", -1);
    a[i] = 1.0f;
  }
  for (int id : {1, 2, 3, 4, 6}) butt->GetItem(id)->SetState(0, 0);
  for (int i = 0; i < 5; ++i) x[i] = -250.0f * i - 100;
  fade = 0;
  dFade = 0;
  Game().songs->loadSong("sfx/puzzle.ogg", 1);
  return 0;
}

int TGame::newGame() {
  flow.Clear();
  return 0;
}

int TGame::start() {
  TSongManager& songs = *Game().songs;
  songs.music = StartMusic(songs, "sfx/puzzle.ogg", 1, 1.0f);
  wyjdz = 0;
  fade = 0;
  dFade = 0;
  _dokad = GO_EXIT;
  return mainLoop();
}

int TGame::update() {
  const float f = FrameFactor();
  ApproachTarget(fade, dFade, 0.05f * f);
  if (x[4] < kLeft) {
    for (float& hx : x) {
      if (hx < kLeft) hx = std::min(hx + 20 * f, kLeft);
    }
    if (x[4] == kLeft) {
      for (int id : {1, 2, 3, 4, 6}) butt->GetItem(id)->SetState(1, 1);
    }
  }
  if (x[4] == kLeft && a[0] > 0) {
    for (float& alpha : a) alpha = std::max(alpha - 0.05f * f, 0.0f);
  }
  return 0;
}

int TGame::draw() {
  SetColor(255, 255, 255);
  DrawImageFrame(img, 0, 0, 0);
  butt->Draw(1.0f);
  if (a[0] > 0) {
    SetColor(255, 255, 255);
    for (int i = 0; i < 5; ++i) {
      SetAlpha(a[i]);
      DrawImageFrame(but[i], x[i], static_cast<float>(y[i]), 0);
    }
    SetAlpha(1);
  }
  const GameContext& game = Game();
  SetDrawScale(1, 1);
  SetColor(0, 0, 0);
  SetAlpha(fade);
  DrawRect(0, 0, static_cast<float>(game.screenWidth), static_cast<float>(game.screenHeight));
  SetAlpha(1);
  SetColor(255, 255, 255);
  TSpark::UpdateAll();
  return 0;
}

int TGame::mainLoop() {
  GameContext& game = Game();
  RunningScreen running("menu");
  const ScreenLoop loop = game.screen_loop();
  loop.WarmUp();
  while (!wyjdz) {
    loop.BeginFrame();
    update();
    const int r = butt->State();
    draw();
    loop.ShowFrame();
    if (KeyHits(KEY_ESCAPE)) wyjdz = 1;
    switch (r) {
      case 1:
        goToPlay();
        break;
      case 2:
        credits();
        break;
      case 3:
        goToMoreGames();
        break;
      case 4:
        exitGame();
        break;
      case 6:
        game.settings->start(0);
        break;
      default:
        break;
    }
    auto covered = [&] { return fade == 1 && dFade == 1; };
    if (covered() && _dokad == GO_NEW_GAME) StartNewGame();
    if (covered() && _dokad == GO_CONTINUE) continueFree();
    if (covered() && _dokad == GO_EXIT) wyjdz = 1;
    if (covered() && _dokad == GO_MORE_GAMES) moreGames();
    SoundUpdate();
  }
  moreGames();  // shown once more before the program ends
  return 0;
}

int TGame::exitGame() {
  _dokad = GO_EXIT;
  dFade = 1;
  return 0;
}

int TGame::goToNewGame() {
  dFade = 1;
  _dokad = GO_NEW_GAME;
  return 0;
}

int TGame::goToMoreGames() {
  dFade = 1;
  _dokad = GO_MORE_GAMES;
  return 0;
}

int TGame::StartNewGame() {
  dFade = 0;
  flow.ChooseAndPlay();
  return 0;
}

int TGame::playFree(const TZestaw& zestaw) {
  flow.PlaySet(zestaw);
  return 0;
}

int TGame::goToPlay() {
  if (!flow.GameInProgress()) return goToNewGame();
  switch (flow.AskContinue([this] { draw(); })) {
    case GameFlow::Choice::kContinue:
      return goToContinue();
    case GameFlow::Choice::kNewGame:
      return goToNewGame();
    case GameFlow::Choice::kStay:
      break;  // the menu stays, the saved puzzle waits
  }
  return 0;
}

int TGame::goToContinue() {
  dFade = 1;
  _dokad = GO_CONTINUE;
  return 0;
}

int TGame::continueFree() {
  dFade = 0;
  flow.Continue();
  return 0;
}

int TGame::credits() {
  Game().credits->start();
  dFade = 0;
  _dokad = GO_EXIT;
  return 0;
}

int TGame::moreGames() {
  Game().more_games->start();
  dFade = 0;
  _dokad = GO_EXIT;
  return 0;
}

}  // namespace orvela
