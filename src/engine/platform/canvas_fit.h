// How the game's fixed-size canvas (800 × 600) sits in a window or screen of another size:
// scaled by one factor to the largest size that fits, centred, with black bars left and
// right or above and below. The canvas is drawn straight into the window's own pixels at that
// scale (on a high-density display too, where a window point is several pixels), never drawn
// small and stretched afterwards, so edges and text stay as sharp as the display allows.
// Pure arithmetic, shared by drawing and by the pointer.
#pragma once

namespace orvela {

struct CanvasFit {
  int canvas_w = 800, canvas_h = 600;
  float scale = 1;        // output pixels per canvas pixel
  int left = 0, top = 0;  // the canvas's top-left corner in output pixels
  int width = 800;        // the canvas's size in output pixels
  int height = 600;
};

// The fit of a canvas into an output of output_w × output_h pixels. The canvas starts on
// whole pixels; an output of no size gives the canvas unscaled.
CanvasFit FitCanvas(int canvas_w, int canvas_h, int output_w, int output_h);

// The canvas pixel under the output pixel at (x, y): the one that holds the output pixel's
// centre. Over a bar the result lies outside the canvas (below 0, or canvas_w / canvas_h and
// beyond), so the canvas's edge pixels answer only where they are drawn.
int CanvasPixelX(const CanvasFit& fit, float output_x);
int CanvasPixelY(const CanvasFit& fit, float output_y);

// The output position of the centre of a canvas pixel.
float OutputX(const CanvasFit& fit, int canvas_x);
float OutputY(const CanvasFit& fit, int canvas_y);

}  // namespace orvela
