// TMouse: the pointer state of one frame (position, movement since the last frame, presses and
// held buttons) and the cursor picture drawn last in every frame. It reads only the engine's
// input and drawing services. The toolkit's buttons read the one global mouse object kept here.
#pragma once

#include <memory>
#include <string>

#include "engine/image/image.h"
#include "engine/object.h"

namespace orvela {

class TMouse : public TObject {
 public:
  int x = 0, y = 0;      // pointer position read by the last fetchState
  int xa = 0, ya = 0;    // the position of the fetch before it
  int vx = 0, vy = 0;    // xa − x and ya − y: positive when the pointer moved left or up
  int leftPressed = 0;   // presses of the left button since the previous fetch
  int rightPressed = 0;  // the same for the right button
  int leftHolded = 0;    // 1 while the left button is down
  int rightHolded = 0;   // 1 while the right button is down
  ImageRef cursor;       // cursor picture (null: nothing is drawn)

  // Loads the cursor with the default image flags; (handleX, handleY) is the picture point
  // placed on the pointer. A picture that cannot be read leaves no cursor.
  virtual int loadCursor(const std::string& path, int handleX, int handleY);
  // Draws the cursor at the pointer with alpha blending, white, unrotated and unscaled.
  virtual int Draw();
  // Reads the pointer for this frame; called once per frame before any widget's State.
  virtual int fetchState();
  // Forgets the position and the presses of this frame; the held flags stay.
  virtual int Clear();
};

using MouseRef = std::shared_ptr<TMouse>;

// The global mouse object every widget reads. Start-up installs the game's own mouse (a TMouse
// subtype); tests install a plain TMouse. Null until installed: widgets then see no pointer.
// Clear it (SetGlobalMouse(nullptr)) before the engine context goes, so the cursor picture is
// not freed after its renderer.
void SetGlobalMouse(MouseRef mouse);
const MouseRef& GlobalMouse();

}  // namespace orvela
