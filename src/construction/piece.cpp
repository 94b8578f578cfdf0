// TPuzel and TSasiad.
#include "construction/piece.h"

#include <cmath>

#include "construction/piece_shadow.h"
#include "engine/engine.h"
#include "engine/random.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {
PieceHost* host = nullptr;
SparkEmitter* emitter = nullptr;
}  // namespace

void SetPieceHost(PieceHost* new_host) {
  host = new_host;
}
PieceHost* CurrentPieceHost() {
  return host;
}
void SetSparkEmitter(SparkEmitter* new_emitter) {
  emitter = new_emitter;
}
SparkEmitter* CurrentSparkEmitter() {
  return emitter;
}

Ref<TSasiad> TSasiad::getByPuzel(const TPuzel& target, const TPuzel& owner) {
  for (const Ref<TSasiad>& record : owner._sasiedzi) {
    if (record->puzel.lock().get() == &target) return record;
  }
  return nullptr;
}

void TPuzel::updateCurve() {
  if (t >= 1) return;
  const double px = std::trunc(x), py = std::trunc(y);
  const double qx = std::trunc(xD), qy = std::trunc(yD);
  auto along = [](double p, double k, double q, double s) {
    return p + 2 * s * (k - p) + s * s * (q - 2 * k + p);
  };
  xc = static_cast<float>(along(px, mx, qx, t));
  yc = static_cast<float>(along(py, my, qy, t));
  t += 0.005f * FrameFactor();
  if (t >= 1) {
    t = 1;
    xc = static_cast<float>(qx);  // the curve's end: exactly the destination
    yc = static_cast<float>(qy);
    x = xc;
    y = yc;
  }
  _sparki();
}

void TPuzel::_sparki() {
  // The draws come in this order: green, blue, lifetime, y, x, image, then the velocity's
  // second value before its first.
  const int green = RandomInt(50, 100);
  const int blue = RandomInt(50, 100);
  const int lifetime = RandomInt(50, 100);
  const int dy = RandomInt(0, Height() - 10);
  const int dx = RandomInt(0, Width() - 10);
  const int image = RandomInt(0, 2);
  const float vy = RandomFloat(-0.5f, 0.5f);
  const float vx = RandomFloat(-0.5f, 0.5f);
  if (emitter) {
    emitter->Emit(image, static_cast<int>(xc + dx), static_cast<int>(yc + dy), 1.0f, lifetime, 100,
                  green, blue, 1, 1, vx, vy);
  }
}

void TPuzel::drawPoints() const {
  SetColor(255, 0, 0);
  for (const Ref<TSasiad>& record : _sasiedzi) {
    const Ref<TPuzel> n = record->puzel.lock();
    if (!n) continue;
    DrawRect(n->x, n->y, 4, 4);
    DrawLine(n->x, n->y, n->x + record->sigX * record->odx, n->y + record->sigy * record->ody, 1);
  }
  SetColor(255, 255, 255);
}

int TPuzel::_zgadzaSie(const TWsp& p, int) const {
  for (const TWsp& e : _krawedzie) {
    if (e.x == p.x && e.y == p.y) return 1;
  }
  return 0;
}

int TPuzel::_nieSasiad(const TPuzel& b) const {
  for (const Ref<TSasiad>& record : _sasiedzi) {
    if (record->puzel.lock().get() == &b) return 0;
  }
  return 1;
}

void TPuzel::drawShadow(float scale, float ox, float oy) const {
  if (!img || img->Empty() || !DrawsAnything(_shadowAlpha, GetBlend())) return;
  if (!_shadow) _shadow = MakePieceShadow(*img);
  if (!_shadow) return;
  SetColor(0, 0, 0);
  SetDrawScale(scale, scale);
  SetAlpha(_shadowAlpha);
  DrawImageFrame(_shadow, std::trunc(x + 1 + ox), std::trunc(y + 6 + oy), 0);
}

void TPuzel::DrawAt(float scale, float at_x, float at_y) const {
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (_over) SetColor(230, 230, 230);
  if (colr == 5) SetColor(255, 0, 0);
  SetDrawScale(scale, scale);
  if (_oznaczony) SetColor(255, static_cast<int>(_k), static_cast<int>(_k));
  DrawImageFrame(img, at_x, at_y, 0);
  SetDrawScale(1, 1);
  SetColor(255, 255, 255);
}

void TPuzel::draw(float scale, int ox, int oy) const {
  DrawAt(scale, x + ox, y + oy);
}
void TPuzel::drawCurve(float scale, int ox, int oy) const {
  DrawAt(scale, xc + ox, yc + oy);
}

Ref<TObject> TPuzel::_wGrupie() const {
  return host ? host->groupOf(*this) : nullptr;
}

int TPuzel::getXD() const {
  return static_cast<int>(_adX + xD * _scale);
}
int TPuzel::getYD() const {
  return static_cast<int>(_adY + yD * _scale);
}

int TPuzel::getHoldedX() const {
  const MouseRef& mouse = GlobalMouse();
  return static_cast<int>((mouse ? mouse->x : 0) - Width() * _scale / 2);
}

int TPuzel::getHoldedY() const {
  const MouseRef& mouse = GlobalMouse();
  return static_cast<int>((mouse ? mouse->y : 0) - Height() * _scale / 2);
}

int TPuzel::_mouseOver(float, float, float) const {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return 0;
  const float mx_now = static_cast<float>(mouse->x), my_now = static_cast<float>(mouse->y);
  const bool inside = mx_now > x && mx_now < x + Width() && my_now > y && my_now < y + Height();
  return inside && (!host || host->moznaOver(*this)) ? 1 : 0;
}

int TPuzel::_leftX(float scale) const {
  return static_cast<int>(x - Width() * scale / 2);
}
int TPuzel::_upY(float scale) const {
  return static_cast<int>(y - Height() * scale / 2);
}

void TPuzel::move(int new_x, int new_y) {
  x = static_cast<float>(new_x);
  y = static_cast<float>(new_y);
}

void TPuzel::update(float scale, float ox, float oy) {
  if (_holded == 0 && _lezy == 0) {
    if (_mouseOver(scale, ox, oy)) {
      _over = 1;
      const MouseRef& mouse = GlobalMouse();
      _clicked = mouse && mouse->leftPressed ? 1 : 0;
    } else {
      _over = 0;
      _clicked = 0;
    }
  }
  if (_clicked) {
    if (host) host->setPuzzel(shared_from_this());
    _dShadowAlpha = 1.0f;
    oczysc();
  }
  alphaUpdate();
}

void TPuzel::oczysc() {
  if (!host) return;
  for (const Ref<TPuzel>& piece : host->allPieces()) piece->_oznaczony = 0;
}

int TPuzel::wObszarze(int ax, int ay, int w, int h) const {
  const int cx = static_cast<int>(x + Width() / 2), cy = static_cast<int>(y + Height() / 2);
  if (w < 0) ax += w, w = -w;
  if (h < 0) ay += h, h = -h;
  return cx > ax && cx < ax + w && cy > ay && cy < ay + h ? 1 : 0;
}

void TPuzel::alphaUpdate() {
  const float delta = FrameFactor();
  ApproachTarget(_shadowAlpha, _dShadowAlpha, 0.06f * delta);
  if (_oznaczony) {
    _k += _dk * 4 * delta;
    if (_k < 0) _k = 0, _dk = 1;
    if (_k > 255) _k = 255, _dk = -1;
    if (_clicked) _oznaczony = 0;
  } else {
    _k = 255;
  }
}

Ref<TPuzel> TPuzel::getByID(const TList<TPuzel>& list, int wanted) {
  for (const Ref<TPuzel>& piece : list) {
    if (piece->id == wanted) return piece;
  }
  return nullptr;
}

}  // namespace orvela
