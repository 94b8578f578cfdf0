// The construction demonstration screens: a real picture set cut as the game cuts it, its
// pieces laid out apart on the play table with their shadows (one hovered, one blinking),
// and the waiting screen with its turning clock.
#pragma once

namespace orvela {

// Cuts picture set 0..3 and shows its pieces until Escape.
void RunPiecesDemo(int set);
// Shows the waiting screen until Escape.
void RunWaitingDemo();

}  // namespace orvela
