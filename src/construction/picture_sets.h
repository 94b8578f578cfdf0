// The game's four picture sets: each a picture with its rows, columns and cut style, so the
// choice of picture is also the choice of difficulty. Listed in the picture chooser's order.
#pragma once

#include "construction/shape_grid.h"

namespace orvela {

struct PictureSet {
  const char* url;
  int rows;
  int cols;
  int ksztalt;  // the cut style
};

constexpr PictureSet kPictureSets[4] = {{"gfx/puzzle/obr1.jpg", 3, 4, CUT_ARC},
                                        {"gfx/puzzle/obr4.jpg", 6, 8, CUT_CLASSIC},
                                        {"gfx/puzzle/obr3.jpg", 5, 6, CUT_ZIGZAG},
                                        {"gfx/puzzle/obr2.jpg", 8, 10, CUT_BUMP}};

}  // namespace orvela
