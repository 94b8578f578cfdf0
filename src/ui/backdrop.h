// What a modal window draws behind itself every frame: the screen it was opened over, drawn as
// that screen last stood and not advanced (sparks, which move as they are drawn, keep flying).
// The settings window, the message window and its questions, and the credits each hold one,
// set by whoever wires the game together, so that no window knows the screens behind it.
#pragma once

#include <functional>

namespace orvela {

// Draws the screen behind a modal window; empty when nothing is behind it.
using Backdrop = std::function<void()>;

// Sets the drawing state a backdrop starts from (white, opaque, unscaled), then draws the
// backdrop when there is one.
void DrawBackdrop(const Backdrop& backdrop);

}  // namespace orvela
