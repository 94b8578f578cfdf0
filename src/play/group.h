// TSpasowanePuzle: a group of joined pieces. The members keep their exact solved offsets to
// each other; the group is picked up, moved, drawn and hit-tested as one body. Groups are
// entries of the play screen's list; a piece belongs to at most one group.
#pragma once

#include <memory>

#include "construction/piece.h"
#include "engine/object.h"

namespace orvela {

class TSpasowanePuzle : public TObject {
 public:
  float x = 0, y = 0;  // the reference point: (0, 0) when made, then where `move` put it
  float w = 0, h = 0;  // the grab offset: |pointer − reference point| at the pick-up
  TList<TPuzel> listaSpasowanych;  // the members, in the order they joined
  int _clicked = 0;                // a member was clicked this frame
  int _over = 0;                   // the pointer is over a member

  void _usunSasiedztwo() {}
  // 1 when any member's centre lies strictly inside the rectangle (negative sizes allowed).
  int wObszarze(int ax, int ay, int aw, int ah) const;
  // Draws the members at alpha 1, numbering them k, k + 1, ...; returns the next number.
  int draw(float scale, int k);
  void drawShadows(float scale) const;
  // Moves the reference point to (new_x, new_y) and every member by the whole-pixel change.
  void move(int new_x, int new_y);
  // Hover and click test of every member; a click picks the whole group up (through the
  // pieces' host) and lifts its shadows; hovering lights the whole group.
  void update(float scale);
  void oblicz() {}
  int zawiera(const TPuzel& piece) const;
};

using GroupRef = std::shared_ptr<TSpasowanePuzle>;

}  // namespace orvela
