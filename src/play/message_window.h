// TMessageWindow: the modal yes/no question of the game. A window picture with a justified
// text and two buttons, OK and Cancel, fades in over the frozen screen behind it (the play
// screen; sparks keep flying), runs its own frame loop, fades out and returns the answer.
#pragma once

#include <functional>
#include <string>

#include "engine/image.h"
#include "engine/object.h"
#include "ui/menu.h"

namespace orvela {

class PlayServices;

class TMessageWindow : public TObject {
 public:
  explicit TMessageWindow(PlayServices& services) : services_(services) {}

  ImageRef img;      // the window picture
  int x = 0, y = 0;  // its top-left corner
  MenuRef menu;      // OK (id 1) and Cancel (id 2)
  int wyjdz = 0;
  std::string txt;  // the question
  float alpha = 0, dAlpha = 0;
  int cel = 0;  // the answer: 1 OK, 0 Cancel
  // Draws the frozen screen behind the window (the play screen's draw).
  std::function<void()> drawBehind;

  int setup();
  int draw();
  int update();
  // Sets the question; the game has one, whatever n is.
  int setMessage(int n);
  int setupLoop();
  // Runs the window until it has faded out after an answer; returns it (1 OK, 0 Cancel).
  int mainLoop();

 private:
  PlayServices& services_;
};

}  // namespace orvela
