// TZaznaczenie: a rubber-band selection of loose pieces and groups of the play list, carried
// as one. Moving it moves its loose pieces; groups inside it stay where they lie.
#pragma once

#include <memory>

#include "engine/object.h"

namespace orvela {

class TZaznaczenie : public TObject {
 public:
  // The reference point: (0, 0) when made, the pointer where the band was let go once the
  // selection is lifted, then the last place moved to.
  int x = 0, y = 0;
  int w = 0, h = 0;                  // half the spread of the selected entries' positions
  TList<TObject> listaZaznaczonych;  // the selected entries: loose pieces and groups

  // Moves the reference point to (new_x, new_y) and every loose piece by the same change.
  void move(int new_x, int new_y);
};

}  // namespace orvela
