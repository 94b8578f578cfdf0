// TKreatorKlockow, TShape and Tline: the grid of cut lines and its mask.
//
// Every real-to-integer conversion truncates toward zero. Real values that are kept (the cell
// step, the curve parameter, the constants 2.5, 3.4, 4.4, 4.8 and 1.1) are single precision;
// the expressions over them are evaluated in double precision and truncated at the end, so a
// 640-pixel picture in 6 columns puts its last grid point at trunc(6 × 106.666664) = 639.
#include "construction/shape_grid.h"

#include <cstdlib>

#include "engine/engine.h"
#include "engine/random.h"
#include "engine/render/raster.h"

namespace orvela {

namespace {

int Trunc(double value) {
  return static_cast<int>(value);
}
double F(int value) {
  return static_cast<double>(value);
}
double F(float value) {
  return static_cast<double>(value);
}

}  // namespace

// ---- TShape ----------------------------------------------------------------------------

void TShape::dodajLinie(int ax, int ay, int bx, int by, int red, int green, int blue) {
  listaLini.push_back(Tline{ax, ay, bx, by, red, green, blue});
}

void TShape::createShape(int px, int py, int qx, int qy, int kx, int ky, int flag, float scale) {
  x1 = Trunc(F(px) * scale), y1 = Trunc(F(py) * scale);
  x2 = Trunc(F(qx) * scale), y2 = Trunc(F(qy) * scale);
  a = Trunc(F(kx) * scale), b = Trunc(F(ky) * scale);
  wybrany = flag;
  // B(t) = P + 2t(K − P) + t²(P − 2K + Q); t runs 0, 0.01, ... while below 1 in single
  // precision: 101 samples, the first segment of zero length, the last within a pixel of Q.
  int prev_x = x1, prev_y = y1;
  for (float t = 0.0f; t < 1.0f; t += 0.01f) {
    const int bx = Trunc(F(x1) + 2.0 * F(t) * F(a - x1) + F(t) * F(t) * F(x1 - 2 * a + x2));
    const int by = Trunc(F(y1) + 2.0 * F(t) * F(b - y1) + F(t) * F(t) * F(y1 - 2 * b + y2));
    dodajLinie(prev_x, prev_y, bx, by, 255, 255, 255);
    prev_x = bx, prev_y = by;
  }
  // The samples stop short of Q by up to a pixel. Inside the picture the next cut line, which
  // starts at Q, still touches the last sample; but a curve ending on the picture's last
  // column or row (a width that does not divide into whole cells puts the last grid point
  // there) would leave that pixel open and two pieces would run into each other. A closing
  // segment ends every curve exactly on Q.
  if (prev_x != x2 || prev_y != y2) dodajLinie(prev_x, prev_y, x2, y2, 255, 255, 255);
}

void TShape::draw() const {
  SetColor(255, 255, 255);
  for (const Tline& line : listaLini) {
    SetColor(line.r, line.g, line.b);
    DrawLine(F(line.x1 + x), F(line.y1 + y), F(line.x2 + x), F(line.y2 + y), 1);
  }
}

// ---- TKreatorKlockow -------------------------------------------------------------------

void TKreatorKlockow::addline(int x1, int y1, int x2, int y2, float scale) {
  TShape shape;
  shape.dodajLinie(Trunc(F(x1) * scale), Trunc(F(y1) * scale), Trunc(F(x2) * scale),
                   Trunc(F(y2) * scale), 255, 255, 255);
  shapes.push_back(std::move(shape));
}

void TKreatorKlockow::addShape(int x1, int y1, int x2, int y2, int cx, int cy, int flag,
                               float scale) {
  TShape shape;
  shape.createShape(x1, y1, x2, y2, cx, cy, flag, scale);
  shapes.push_back(std::move(shape));
}

void TKreatorKlockow::_stworzTablicePunktow(float stepX, float stepY, float columns, float rows,
                                            int jitterX, int jitterY) {
  const int nx = Trunc(columns + 2), ny = Trunc(rows + 2);
  points.assign(nx, std::vector<TWsp>(ny));
  for (int j = 0; j <= Trunc(rows + 1); ++j) {
    for (int i = 0; i <= Trunc(columns + 1); ++i) {
      TWsp p = TWsp::Create(Trunc(F(i) * stepX), Trunc(F(j) * stepY), 0);
      if (0 < i && F(i) < columns + 1 && 0 < j && F(j) < rows + 1) {
        const int sign = (i * j) % 2 == 0 ? 1 : -1;
        p.x += sign * jitterX;
        p.y += sign * jitterY;
      }
      points[i][j] = p;
    }
  }
  _pointX = Trunc(columns + 1);
  _pointY = Trunc(rows + 1);
}

void TKreatorKlockow::createGrid(float columns, float rows, float width, float height, int jitterX,
                                 int jitterY) {
  shapes.clear();
  w = Trunc(columns);
  h = Trunc(rows);
  const float stepX = width / columns, stepY = height / rows;
  _skokX = Trunc(stepX);
  _skokY = Trunc(stepY);
  CHX = jitterX;
  CHY = jitterY;
  _stworzTablicePunktow(stepX, stepY, columns, rows, jitterX, jitterY);
  for (int i = 1; i <= w - 1; ++i) {
    for (int j = 0; j <= h - 1; ++j) cutLine(points[i][j], points[i][j + 1], 1);
  }
  for (int j = 1; j <= h - 1; ++j) {
    for (int i = 0; i <= w - 1; ++i) cutLine(points[i][j], points[i + 1][j], 0);
  }
}

void TKreatorKlockow::cutLine(const TWsp& from, const TWsp& to, int vertical) {
  // The side sign is drawn first, then (mixed style only) the style of this line.
  const int s = RandomInt(0, 1) == 0 ? 1 : -1;
  int style = KSZTALT;
  if (style == CUT_MIXED) style = RandomInt(0, 4);
  const int x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
  switch (style) {
    case CUT_CLASSIC:
      drawShapedLine(x1, y1, x2, y2, _skokX, _skokY, vertical, s);
      break;
    case CUT_ARC:
      drawSimpleShapedLine(x1, y1, x2, y2, _skokX, _skokY, vertical, s);
      break;
    case CUT_ZIGZAG:
      drawZigLine(x1, y1, x2, y2, _skokX, _skokY, vertical, s);
      break;
    case CUT_TOOTH:
      drawZigLine2(x1, y1, x2, y2, _skokX, _skokY, vertical, s);
      break;
    case CUT_BUMP:
      drawZigShapeLine(x1, y1, x2, y2, _skokX, _skokY, vertical, s);
      break;
    default:
      break;  // no interior cut lines for an unknown style
  }
}

void TKreatorKlockow::drawShapedLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical,
                                     int s) {
  P p0{x1, y1}, p1, p2, p3, p4{x2, y2}, c0, c1, c2, c3;
  if (vertical) {
    p1 = {x1 + s * (sx / 12), Trunc(F(y1) + F(sy) / 2.5f)};
    p2 = {Trunc(F(x1) + F(s * sx) / 3.4f), y1 + sy / 2};
    p3 = {x1 + s * (sx / 12), Trunc(F(y2) - F(sy) / 2.5f)};
    c0 = {x1 - s * (sx / 8), Trunc(F(p0.y) + 1.1f * F(std::abs(p1.y - p0.y)))};
    c1 = {Trunc(F(p1.x) + F(s * sx) / 4.4f), Trunc(F(p1.y) - F(std::abs(p2.y - p1.y)) / 1.1f)};
    c2 = {Trunc(F(p1.x) + F(s * sx) / 4.4f), Trunc(F(p3.y) + F(std::abs(p2.y - p1.y)) / 1.1f)};
    c3 = {x1 - s * (sx / 8), Trunc(F(p4.y) - 1.1f * F(std::abs(p1.y - p0.y)))};
  } else {
    p1 = {Trunc(F(x1) + F(sx) / 2.5f), y1 + s * (sy / 12)};
    p2 = {x1 + sx / 2, Trunc(F(y1) + F(s * sy) / 3.4f)};
    p3 = {Trunc(F(x2) - F(sx) / 2.5f), y2 + s * (sy / 12)};
    c0 = {Trunc(F(p0.x) + 1.1f * F(std::abs(p1.x - p0.x))), y1 - s * (sy / 8)};
    c1 = {Trunc(F(p1.x) - F(std::abs(p2.x - p1.x)) / 1.1f), Trunc(F(p1.y) + F(s * sy) / 4.8f)};
    c2 = {Trunc(F(p3.x) + F(std::abs(p2.x - p1.x)) / 1.1f), Trunc(F(p1.y) + F(s * sy) / 4.8f)};
    c3 = {Trunc(F(p4.x) - 1.1f * F(std::abs(p4.x - p3.x))), y1 - s * (sy / 8)};
  }
  addShape(p0.x, p0.y, p1.x, p1.y, c0.x, c0.y, 0, 1.0f);
  addShape(p1.x, p1.y, p2.x, p2.y, c1.x, c1.y, 0, 1.0f);
  addShape(p2.x, p2.y, p3.x, p3.y, c2.x, c2.y, 0, 1.0f);
  addShape(p3.x, p3.y, p4.x, p4.y, c3.x, c3.y, 0, 1.0f);
}

void TKreatorKlockow::drawSimpleShapedLine(int x1, int y1, int x2, int y2, int sx, int sy,
                                           int vertical, int s) {
  const P k = vertical ? P{x1 + s * (sx / 5), y1 + sy / 2} : P{x1 + sx / 2, y1 + s * (sy / 5)};
  addShape(x1, y1, x2, y2, k.x, k.y, 0, 1.0f);
}

// Straight segments joining the points in order.
void TKreatorKlockow::addPolyline(std::initializer_list<P> corners) {
  const P* previous = nullptr;
  for (const P& point : corners) {
    if (previous) addline(previous->x, previous->y, point.x, point.y, 1.0f);
    previous = &point;
  }
}

void TKreatorKlockow::drawZigLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical,
                                  int s) {
  P p1, p2, p3;
  if (vertical) {
    p1 = {x1 - s * (sx / 8), y1 + sy / 3};
    p2 = {x1 + s * (sx / 6), y1 + sy / 2};
    p3 = {x1 - s * (sx / 8), y2 - sy / 3};
  } else {
    p1 = {x1 + sx / 3, y1 - s * (sy / 8)};
    p2 = {x1 + sx / 2, y1 + s * (sy / 6)};
    p3 = {x2 - sx / 3, y1 - s * (sy / 8)};
  }
  addPolyline({{x1, y1}, p1, p2, p3, {x2, y2}});
}

void TKreatorKlockow::drawZigLine2(int x1, int y1, int x2, int y2, int sx, int sy, int vertical,
                                   int s) {
  P p1, p2, p3;
  if (vertical) {
    p1 = {x1, y1 + sy / 3};
    p2 = {x1 + s * (sx / 6), y1 + sy / 2};
    p3 = {x1, y2 - sy / 3};
  } else {
    p1 = {x1 + sx / 3, y1};
    p2 = {x1 + sx / 2, y1 + s * (sy / 6)};
    p3 = {x2 - sx / 3, y1};
  }
  addPolyline({{x1, y1}, p1, p2, p3, {x2, y2}});
}

void TKreatorKlockow::drawZigShapeLine(int x1, int y1, int x2, int y2, int sx, int sy, int vertical,
                                       int s) {
  P p1, p3, k;
  if (vertical) {
    p1 = {x1, y1 + sy / 3};
    p3 = {x1, y2 - sy / 3};
    k = {x1 + s * (sx / 3), y1 + sy / 2};
  } else {
    p1 = {x1 + sx / 3, y1};
    p3 = {x2 - sx / 3, y1};
    k = {x1 + sx / 2, y1 + s * (sy / 3)};
  }
  addline(x1, y1, p1.x, p1.y, 1.0f);
  addline(p3.x, p3.y, x2, y2, 1.0f);
  addShape(p1.x, p1.y, p3.x, p3.y, k.x, k.y, 0, 1.0f);
}

PixmapRef TKreatorKlockow::drawOn(int width, int height) const {
  auto mask = TPixmap::Create(width, height, PF_BGRA8888, 4);
  if (mask->Empty()) return mask;
  mask->ClearPixels(0xFF000000u);
  auto line = [&mask](int x1, int y1, int x2, int y2, uint32_t colour) {
    ForEachLinePixel(x1, y1, x2, y2, true, [&](int x, int y) {
      if (x >= 0 && y >= 0 && x < mask->width && y < mask->height) mask->Row32(y)[x] = colour;
    });
  };
  for (const TShape& shape : shapes) {
    for (const Tline& l : shape.listaLini) {
      const uint32_t colour =
          0xFF000000u | ((l.r & 255u) << 16) | ((l.g & 255u) << 8) | (l.b & 255u);
      line(l.x1 + shape.x, l.y1 + shape.y, l.x2 + shape.x, l.y2 + shape.y, colour);
    }
  }
  const uint32_t white = 0xFFFFFFFFu;
  line(0, 0, width, 0, white);
  line(0, 0, 0, height, white);
  line(width, 0, width, height, white);
  line(0, height, width, height, white);
  return mask;
}

void TKreatorKlockow::draw() const {
  SetColor(255, 255, 255);
  for (const TShape& shape : shapes) shape.draw();
}

}  // namespace orvela
