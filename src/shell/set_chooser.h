// TZestaw and TWyborZestawu: the picture-set chooser shown before a new puzzle. Each of the
// four sets is a fixed picture with its rows, columns and cut style, so the choice of picture
// is also the choice of difficulty. The thumbnails sit on the screen with a drop shadow; the
// one under the pointer dims and shows its size; a press picks it, the screen fades to black
// and hands the set back to the main menu. Cancel returns without a choice.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "construction/picture_sets.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/object.h"
#include "ui/menu.h"

namespace orvela {

class TZestaw : public TObject {
 public:
  PixmapRef pm;  // the picture
  ImageRef img;  // the same picture, drawn as the thumbnail
  int rows = 0, cols = 0;
  int ksztalt = 0;
  int x = 0, y = 0;  // thumbnail centre
  float _sc = 0.4f;  // thumbnail scale
  int _over = 0;
  int _clicked = 0;
  std::string url;
  int h = 0, w = 0;  // the picture's size
  int best = -1;     // the best time of the set in seconds, -1 when none is kept

  // The thumbnail with its shadow, dimmed while hovered, and (with labels) the labels while
  // hovered. The chooser draws every thumbnail first and the labels after them.
  int draw(bool labels = true);
  // "Size: C x R" and "Pieces: N" under the thumbnail, outlined.
  int drawData();
  // The text centred on x: black at the four diagonal offsets, then white.
  int drawOutLinedCntr(const std::string& text, int at_x, int at_y);
  // Hover and press test; 1 when a press (or a held button) over the thumbnail picks the set.
  int update();
};

using ZestawRef = std::shared_ptr<TZestaw>;

class TWyborZestawu : public TObject {
 public:
  int wyjdz = 0;
  ImageRef img;  // the background
  MenuRef butt;  // Cancel
  std::array<ZestawRef, 4> zestawy;
  float fade = 0, dFade = 0;
  int _dokad = 0;  // after the cover is black: -1 cancel, 1 a set was chosen
  ZestawRef wybrany;
  ImageRef bestPlate;  // the plate of a set's best time

  // "Best: mm:ss" on a plate in the thumbnail's lower right corner (nothing without a time).
  void drawBest(const TZestaw& set);

  int setup();
  int stworzZestawy();
  // Fades in from black with nothing chosen; a click that opened the screen does not count.
  int start();
  // Runs until a set is chosen (returned) or Cancel (null).
  ZestawRef mainLoop();
  int zakoncz();
  int update();
  int draw();
};

}  // namespace orvela
