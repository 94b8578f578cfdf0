// The more-games screen: TMoreGames shows a full-screen picture with three page cards in
// frames, lights the frame under the pointer with a label, opens the frame's page (or, from
// the Home page button, the first page) in the browser, and fades out on Quit. It is also
// shown once more when the game ends. It reads the settings (to leave full screen before the
// browser opens), the help pages, the mouse and the sound update.
#pragma once

#include <array>

#include "engine/image/image.h"
#include "engine/object.h"
#include "ui/menu.h"

namespace orvela {

class TMoreGames : public TObject {
 public:
  // Button identifiers.
  static constexpr int kHomePage = 1;
  static constexpr int kQuit = 2;

  float fade = 0;  // the black cover, 0 clear to 1 black
  float dFade = 0;
  int wyjdz = 0;
  MenuRef menu;
  int wybrany = 0;                // the frame under the pointer: 0 none, 1 to 3
  std::array<ImageRef, 3> ramka;  // the highlighted frame pictures
  ImageRef img;                   // the background
  ImageRef info;                  // the label shown over the highlighted frame

  int setup();
  // Steps the cover and finds the frame under the pointer.
  int update();
  int draw();
  // Runs the screen: it fades in from black and ends when Quit has faded it out again, or at
  // once on Escape.
  int start();

  // The frame (1 to 3) whose hover zone holds the point, or 0. The zones' edges are outside.
  static int ZoneAt(int x, int y);

 private:
  // The Home page button: leaves full screen first, then opens the first page.
  void OpenHomePage();
};

}  // namespace orvela
