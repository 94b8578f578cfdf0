// TMoreGames, the more-games screen.
#include "shell/more_games.h"

#include <string>
#include <vector>

#include "engine/engine.h"
#include "shell/game_context.h"
#include "shell/help_pages.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

// Each frame's hover zone (strict bounds), where its highlight is drawn, and the centre of
// its label.
struct Frame {
  int left, right;
  float highlight_x;
  int label_centre;
};
constexpr std::array<Frame, 3> kFrames = {{
    {0, 266, 0, 137},
    {273, 530, 273, 408},
    {536, 800, 536, 679},
}};
constexpr int kZoneBottom = 537;
constexpr float kLabelY = 300;

DimRef At(float x, float y) {
  return CreateDim(x, y, 0, 0, 0, 1, 1, 0);
}

}  // namespace

int TMoreGames::ZoneAt(int x, int y) {
  if (!(0 < y && y < kZoneBottom)) return 0;
  for (int i = 0; i < 3; ++i) {
    if (kFrames[i].left < x && x < kFrames[i].right) return i + 1;
  }
  return 0;
}

int TMoreGames::setup() {
  img = TImage::Load("gfx/moreGames.jpg", -1);
  for (int i = 0; i < 3; ++i) {
    ramka[i] = TImage::Load("gfx/gui/mg_0" + std::to_string(i + 1) + ".png", -1);
  }
  info = TImage::Load("gfx/gui/more_info.png", -1);
  menu = std::make_shared<TMenu>();
  const std::vector<int> frames = {0, 1};
  menu->AddItem(CreateAnimButton(kHomePage, "gfx/gui/go_to.png", frames, At(250, 545), 1));
  const ButtonRef quit = CreateImageButton(kQuit, "gfx/gui/quit.png", At(700, 553), 1, 1, 0);
  quit->alpha = 0.5f;
  menu->AddItem(quit);
  return 0;
}

int TMoreGames::update() {
  ApproachTarget(fade, dFade, 0.05f * FrameFactor());
  const MouseRef& mouse = GlobalMouse();
  wybrany = mouse ? ZoneAt(mouse->x, mouse->y) : 0;
  return 0;
}

int TMoreGames::draw() {
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  DrawImageFrame(img, 0, 0, 0);
  menu->Draw(1);
  if (wybrany >= 1 && wybrany <= 3) {
    const Frame& frame = kFrames[wybrany - 1];
    SetColor(255, 255, 255);
    DrawImageFrame(ramka[wybrany - 1], frame.highlight_x, 0, 0);
    const int half = info ? info->width / 2 : 0;
    const auto left = static_cast<float>(frame.label_centre - half);
    SetColor(0, 0, 0);
    SetAlpha(0.4f);
    DrawImageFrame(info, left, kLabelY + 4, 0);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImageFrame(info, left - 4, kLabelY, 0);
  }
  SetColor(0, 0, 0);
  SetAlpha(fade);
  DrawRect(0, 0, 800, 600);
  SetAlpha(1);
  SetColor(255, 255, 255);
  return 0;
}

// The browser must not open behind a full-screen game, so the game drops to a window first;
// the saved setting stays as it is. The settings' switch toggles the live mode, so it is only
// used while the live mode is full screen too: the saved flag still says full screen after
// an earlier click of this button (or a switch to a window cancelled in the settings window),
// and toggling then would put the game back into full screen over the browser.
void TMoreGames::OpenHomePage() {
  TGameSettings& settings = *Game().settings;
  if (settings.pelnyEkran && settings._pelnyEkran) settings.switchScreen();
  OpenHelpPage(PAGE_HOW_TO_PLAY);
}

int TMoreGames::start() {
  wyjdz = 0;
  dFade = 0;
  fade = 1;
  RunningScreen running("more");
  const ScreenLoop loop = Game().screen_loop();
  while (!wyjdz) {
    loop.BeginFrame();
    const int r = menu->State();
    update();
    draw();
    loop.ShowFrame();
    SoundUpdate();
    if (r == kHomePage) OpenHomePage();
    if (r == kQuit) dFade = 1;
    if (KeyHits(KEY_ESCAPE)) wyjdz = 1;
    if (fade == 1 && dFade == 1) wyjdz = 1;
    if (loop.mouse() && loop.mouse()->leftPressed > 0 && wybrany >= 1 && wybrany <= 3) {
      OpenHelpPage(wybrany - 1);
    }
  }
  return 0;
}

}  // namespace orvela
