// The runner's `dump`: the state of the running game as JSON, for end-to-end tests and for
// anyone who wants to look inside.
//   {"screen": NAME, ...}  NAME: "menu", "chooser", "waiting", "play", "settings", "message",
//                          "credits", "more" (the screen whose loop is running), or "" when
//                          none runs.
// On "play" and "message" (the question over the table) also the play screen's:
//   "state"    its state ("GRA", "WIN", "WININFO", ...)
//   "clock"    the play clock as the bar shows it, "mm:ss"
//   "progress" [MADE, TOTAL]: the joins made and the joins the puzzle needs
//   "paused"   0 or 1
//   "ghost"    0 or 1
//   "carried"  "none", "piece", "group" or "selection"
//   "marked"   ids of the pieces that blink as a hint
//   "entries"  the play list in drawing order, each
//              {"piece": ID, "x": X, "y": Y, "w": W, "h": H, "xD": XD, "yD": YD} (position,
//              image size, solved position) or {"group": [pieces as above], "x": X, "y": Y}
//              (members in joining order, the group's reference point).
// On "chooser" also:
//   "best"     the best time of each picture set in seconds, in the chooser's order, null
//              where none is kept
#pragma once

#include <string>

namespace orvela {

std::string GameStateJson();

}  // namespace orvela
