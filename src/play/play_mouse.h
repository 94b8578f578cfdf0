// TPuzzelMouse: the game's one global mouse object, the toolkit's mouse state with the two
// members the play screen carries.
#pragma once

#include "ui/mouse.h"

namespace orvela {

class TPuzzelMouse : public TMouse {
 public:
  int rightHoldedTime = 0;  // not used
  int update() { return 0; }
};

}  // namespace orvela
