// TZaznaczenie, a rubber-band selection.
#include "play/selection.h"

#include "construction/piece.h"

namespace orvela {

void TZaznaczenie::move(int new_x, int new_y) {
  const int dx = new_x - x, dy = new_y - y;
  x = new_x;
  y = new_y;
  for (const Ref<TObject>& entry : listaZaznaczonych) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      piece->x += static_cast<float>(dx);
      piece->y += static_cast<float>(dy);
    }
  }
}

}  // namespace orvela
