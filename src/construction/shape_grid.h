// The shape grid (TKreatorKlockow, with TShape and Tline): where the cuts between the pieces
// run. A regular grid of points over the picture, neighbouring points joined by cut lines whose
// tab shape depends on the cut style, each line kept as short straight segments, and the mask:
// those segments as pure white 1-pixel lines on black, which the cutter splits the picture by.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "construction/point.h"
#include "engine/image/pixmap.h"
#include "engine/object.h"

namespace orvela {

// One straight segment of a cut line, relative to its shape's offset.
struct Tline {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t r = 255, g = 255, b = 255;
};

// One straight piece or one curve of a cut line, as segments in drawing order.
class TShape {
 public:
  std::vector<Tline> listaLini;
  int32_t x = 0, y = 0;    // offset added to every segment when drawn
  int32_t x1 = 0, y1 = 0;  // curve start (scaled)
  int32_t x2 = 0, y2 = 0;  // curve end
  int32_t a = 0, b = 0;    // curve control point
  int32_t wybrany = 0;

  // Stores the scaled points and flattens the quadratic curve from (x1, y1) through the
  // control point (a, b) to (x2, y2) into 101 samples joined by segments, and a closing
  // segment to (x2, y2) when the last sample falls short of it.
  void createShape(int x1, int y1, int x2, int y2, int a, int b, int wybrany, float scale);
  void dodajLinie(int x1, int y1, int x2, int y2, int r, int g, int b);
  // Draws every segment as a 1-pixel line including its end point, in its own colour.
  void draw() const;
};

// Cut styles.
enum CutStyle : int32_t {
  CUT_CLASSIC = 0,  // shoulder, neck, round head, neck, shoulder
  CUT_ARC = 1,      // one gentle arc
  CUT_ZIGZAG = 2,   // shoulders back, sharp point forward
  CUT_TOOTH = 3,    // straight thirds with a triangular tooth
  CUT_BUMP = 4,     // straight thirds with a rounded bump
  CUT_MIXED = 10,   // a style chosen at random for every cut line
};

class TKreatorKlockow : public TObject {
 public:
  std::vector<TShape> shapes;             // every cut-line piece of the grid, in creation order
  int32_t w = 0;                          // columns of pieces
  int32_t h = 0;                          // rows of pieces
  std::array<int32_t, 4> a{}, b{};        // not used in building the grid
  int32_t wyb = 0;                        // not used
  int32_t KSZTALT = CUT_CLASSIC;          // the cut style, set before createGrid
  int32_t _skokX = 0, _skokY = 0;         // cell size in pixels
  std::vector<std::vector<TWsp>> points;  // grid points, [column][row]
  int32_t _pointX = 0, _pointY = 0;       // columns + 1, rows + 1
  int32_t CHX = 0, CHY = 0;               // jitter of interior points (0 in play)

  // Builds the grid and every interior cut line for the current style. The picture's border
  // gets no cut lines (drawOn adds it).
  void createGrid(float columns, float rows, float width, float height, int jitterX, int jitterY);
  // The mask: a new width × height buffer, black, with every segment and the top and left
  // border as pure white 1-pixel lines (right and bottom borders fall just outside).
  PixmapRef drawOn(int width, int height) const;
  TWsp getWH() const { return TWsp::Create(_skokX, _skokY, 0); }
  // Draws every shape in white on the screen.
  void draw() const;
  void clear() { shapes.clear(); }

  void addline(int x1, int y1, int x2, int y2, float scale);
  void addShape(int x1, int y1, int x2, int y2, int cx, int cy, int flag, float scale);

  // The line styles: end points, cell size, vertical (1) or horizontal (0), side sign s.
  void drawShapedLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical, int s);
  void drawSimpleShapedLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical, int s);
  void drawZigLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical, int s);
  void drawZigLine2(int x1, int y1, int x2, int y2, int sx, int sy, int vertical, int s);
  void drawZigShapeLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical, int s);

 private:
  struct P {
    int x, y;
  };
  void addPolyline(std::initializer_list<P> corners);
  void _stworzTablicePunktow(float stepX, float stepY, float columns, float rows, int jitterX,
                             int jitterY);
  void cutLine(const TWsp& from, const TWsp& to, int vertical);
};

}  // namespace orvela
