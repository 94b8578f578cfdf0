// The game's four picture sets: each a fixed picture with its rows, columns and cut style, so
// the choice of picture is also the choice of difficulty. The chooser shows them, the cut and
// saved games look them up by picture; the table lives here, beside the shape grid it feeds.
#pragma once

#include "construction/shape_grid.h"

namespace orvela {

// One row of the game's table of picture sets: the picture, its grid, its cut style and
// where the chooser centres its thumbnail.
struct PictureSet {
  const char* url;
  int rows;
  int cols;
  int ksztalt;  // the cut style
  int x, y;     // thumbnail centre
};

// The game's picture sets, in the chooser's order.
inline constexpr PictureSet kPictureSets[4] = {
    {"gfx/puzzle/obr1.jpg", 3, 4, CUT_ARC, 210, 210},
    {"gfx/puzzle/obr4.jpg", 6, 8, CUT_CLASSIC, 590, 210},
    {"gfx/puzzle/obr3.jpg", 5, 6, CUT_ZIGZAG, 210, 420},
    {"gfx/puzzle/obr2.jpg", 8, 10, CUT_BUMP, 590, 420},
};

}  // namespace orvela
