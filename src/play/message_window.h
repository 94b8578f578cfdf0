// TMessageWindow: the modal yes/no question of the game. A window picture with a justified
// text and two buttons, OK and Cancel, fades in over its backdrop (the frozen play screen;
// sparks keep flying), runs its own frame loop, fades out and returns the answer. Other
// questions bring their own text, button pictures and backdrop for one asking.
#pragma once

#include <string>

#include "engine/image/image.h"
#include "engine/object.h"
#include "ui/backdrop.h"
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
  int cel = 0;      // the answer: 1 OK, 0 Cancel
  int escaped = 0;  // 1 when Escape closed the window before an answer (cel is then 0)
  // The frozen screen behind the window (the play screen).
  Backdrop drawBehind;

  int setup();
  int draw();
  int update();
  // Sets the question; the game has one, whatever n is.
  int setMessage(int n);
  int setupLoop();
  // Runs the window until it has faded out after an answer; returns it (1 OK, 0 Cancel).
  // Escape answers Cancel.
  int mainLoop();

  // What ask returns when Escape closed the question: neither answer.
  static constexpr int kClosed = -1;

  // The two buttons of a question, from two-frame strips: id 1 where OK stands, id 2 where
  // Cancel stands.
  MenuRef makeButtons(const std::string& yes_image, const std::string& no_image) const;
  // Asks another question: the text, the buttons (from makeButtons) and what is drawn behind
  // the window, for this one asking; the sort-up question is back afterwards. Returns 1 for
  // the button where OK stands, 0 for the other, kClosed when Escape closed the question.
  int ask(const std::string& text, const MenuRef& buttons, const Backdrop& behind);

 private:
  PlayServices& services_;
};

}  // namespace orvela
