// The credits screen: TCredits flies the 48 fragments of the credits picture (TPuzelek) in
// from outside the screen along curved paths, throwing sparks, over its backdrop (the main
// menu); a click sends them back out while they fade. It reads the layout file
// dane/credits.tsc, the sparks, the mouse and the sound update; nothing else.
#pragma once

#include <memory>
#include <string>

#include "engine/image/image.h"
#include "engine/object.h"
#include "ui/backdrop.h"

namespace orvela {

// One fragment of the credits picture on its quadratic path from (x, y) outside the screen
// through the control point (mx, my) to its place (dx, dy).
class TPuzelek : public TObject {
 public:
  ImageRef img;
  float x = 0, y = 0;    // start of the path
  float px = 0, py = 0;  // where it is drawn
  float dx = 0, dy = 0;  // its place in the finished picture
  float mx = 0, my = 0;  // control point of the path
  float alpha = 0;
  float dAlpha = 0;
  float t = 0;  // 0 at the start of the path, 1 at its place
  int go = 1;   // 1 flying in, -1 flying out

  // Moves along the path by 0.02 per frame-factor unit (throwing sparks) and steps the opacity.
  int update();
  int draw();
  // One spark somewhere over the fragment.
  int _sparki();
  // Sets px, py to the point of the path at t.
  void PlaceOnPath();
};

class TCredits : public TObject {
 public:
  static constexpr int kFragments = 48;
  static constexpr const char* kLayoutFile = "dane/credits.tsc";

  TList<TPuzelek> listaPuzelkow;  // the fragments in file order
  int wyjdz = 0;
  Backdrop drawBehind;  // the main menu

  // Reads the layout and the fragment pictures, then draws the first paths. A layout that
  // cannot be read, or lacks a fragment's place, leaves the list empty and the reason kept:
  // the screen is then skipped (see start).
  int setup();
  // New random start points and control points; every fragment starts flying in.
  int losujPuzelki();
  int update();
  int draw();
  // Runs the screen until the first and the last fragment are both back at their starts.
  // Without a readable layout it shows one message saying why and returns at once.
  int start();
  // Every fragment flies back along its path while fading.
  int exitCredits();

  // Why the credits cannot be shown; empty when they can.
  const std::string& problem() const { return problem_; }

 private:
  std::string problem_;
};

}  // namespace orvela
