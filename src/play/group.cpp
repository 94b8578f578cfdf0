// TSpasowanePuzle, a group of joined pieces.
#include "play/group.h"

#include <cmath>

#include "engine/engine.h"

namespace orvela {

int TSpasowanePuzle::wObszarze(int ax, int ay, int aw, int ah) const {
  for (const Ref<TPuzel>& piece : listaSpasowanych) {
    if (piece->wObszarze(ax, ay, aw, ah)) return 1;
  }
  return 0;
}

int TSpasowanePuzle::draw(float scale, int k) {
  SetAlpha(1);
  for (const Ref<TPuzel>& piece : listaSpasowanych) {
    piece->draw(scale, 0, 0);
    piece->_kolejka = k++;
  }
  return k;
}

void TSpasowanePuzle::drawShadows(float scale) const {
  for (const Ref<TPuzel>& piece : listaSpasowanych) piece->drawShadow(scale, 0, 0);
}

void TSpasowanePuzle::move(int new_x, int new_y) {
  const int ox = static_cast<int>(x), oy = static_cast<int>(y);
  x = static_cast<float>(new_x);
  y = static_cast<float>(new_y);
  // |d| × sign(d), truncated: the whole-pixel change of the reference point.
  const int dx = static_cast<int>(std::trunc(static_cast<float>(new_x - ox)));
  const int dy = static_cast<int>(std::trunc(static_cast<float>(new_y - oy)));
  for (const Ref<TPuzel>& piece : listaSpasowanych) {
    piece->x += static_cast<float>(dx);
    piece->y += static_cast<float>(dy);
  }
}

void TSpasowanePuzle::update(float scale) {
  _over = 0;
  _clicked = 0;
  for (const Ref<TPuzel>& piece : listaSpasowanych) {
    piece->update(scale, 0, 0);
    if (piece->_over) _over = 1;
    if (piece->_clicked) {
      _clicked = 1;
      w = piece->x;
      h = piece->y;
    }
  }
  if (_clicked) {
    // The piece's own click told the host about the piece; the host looks the group up and
    // carries that instead, and the whole group's shadows rise.
    for (const Ref<TPuzel>& piece : listaSpasowanych) piece->_dShadowAlpha = 1;
  }
  if (_over) {
    for (const Ref<TPuzel>& piece : listaSpasowanych) piece->_over = 1;
  }
}

int TSpasowanePuzle::zawiera(const TPuzel& piece) const {
  for (const Ref<TPuzel>& member : listaSpasowanych) {
    if (member.get() == &piece) return 1;
  }
  return 0;
}

}  // namespace orvela
