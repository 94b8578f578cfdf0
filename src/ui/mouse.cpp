// TMouse and the global mouse slot.
#include "ui/mouse.h"

#include "engine/engine.h"

namespace orvela {

namespace {
MouseRef& Slot() {
  static MouseRef mouse;
  return mouse;
}
}  // namespace

void SetGlobalMouse(MouseRef mouse) {
  Slot() = std::move(mouse);
}

const MouseRef& GlobalMouse() {
  return Slot();
}

int TMouse::loadCursor(const std::string& path, int handleX, int handleY) {
  cursor = TImage::Load(path, -1);
  if (cursor) SetImageHandle(cursor, static_cast<float>(handleX), static_cast<float>(handleY));
  return 0;
}

int TMouse::Draw() {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetDrawTransform(0, 1, 1);
  SetAlpha(1);
  DrawImageFrame(cursor, static_cast<float>(x), static_cast<float>(y), 0);  // null: nothing
  return 0;
}

int TMouse::fetchState() {
  xa = x;
  ya = y;
  x = MouseXPos();
  y = MouseYPos();
  vx = xa - x;
  vy = ya - y;
  leftHolded = MouseIsDown(1);
  rightHolded = MouseIsDown(2);
  leftPressed = MouseHits(1);
  rightPressed = MouseHits(2);
  return 0;
}

int TMouse::Clear() {
  x = 0;
  y = 0;
  leftPressed = 0;
  rightPressed = 0;
  return 0;
}

}  // namespace orvela
