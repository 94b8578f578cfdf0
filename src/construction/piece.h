// TPuzel and TSasiad: one jigsaw piece (its cut-out image, where it is and where it belongs,
// its hover, click, mark and shadow state, the curve it can fly along) and one record of a
// neighbouring piece with the offset between their correct places. Pieces reach the play
// screen they lie on and the sparks they throw only through the two interfaces below, which
// the layers above install.
#pragma once

#include <memory>
#include <vector>

#include "construction/point.h"
#include "engine/image/image.h"
#include "engine/object.h"

namespace orvela {

class TPuzel;

// What a piece needs from the screen it lies on.
class PieceHost {
 public:
  virtual ~PieceHost() = default;
  // 0 when another piece under the pointer lies on top of this one, else 1.
  virtual int moznaOver(const TPuzel& piece) = 0;
  // The piece was clicked: the screen picks it up.
  virtual void setPuzzel(const Ref<TPuzel>& piece) = 0;
  // Every piece of the puzzle, in creation order.
  virtual const TList<TPuzel>& allPieces() const = 0;
  // The group holding the piece, or null.
  virtual Ref<TObject> groupOf(const TPuzel& piece) = 0;
};

// Where the sparks pieces throw go (the arguments of a new spark and its velocity).
class SparkEmitter {
 public:
  virtual ~SparkEmitter() = default;
  virtual void Emit(int image, int x, int y, float scale, int lifetime, int r, int g, int b,
                    int blending, int mapa, float vx, float vy) = 0;
};

// The host and emitter in use (null: pieces are topmost, clicks go nowhere, sparks vanish).
// Not owned: whoever installs one removes it before it goes.
void SetPieceHost(PieceHost* host);
PieceHost* CurrentPieceHost();
void SetSparkEmitter(SparkEmitter* emitter);
SparkEmitter* CurrentSparkEmitter();

class TSasiad : public TObject {
 public:
  std::weak_ptr<TPuzel> puzel;  // the neighbour (not owned: pieces point at each other)
  float r = 0;                  // distance between the two correct places
  int32_t odx = 0, ody = 0;     // |owner − neighbour| at the correct places
  int32_t sigX = 0;             // +1 the neighbour lies left of the owner, −1 right, 0 level
  int32_t sigy = 0;             // +1 above, −1 below, 0 level
  int32_t spasowany = 0;        // 1 once the two have been joined

  // The first record in owner's list whose piece is target, or null.
  static Ref<TSasiad> getByPuzel(const TPuzel& target, const TPuzel& owner);
};

class TPuzel : public TObject, public std::enable_shared_from_this<TPuzel> {
 public:
  TList<TSasiad> _sasiedzi;
  std::vector<TWsp> _krawedzie;  // edge pixels (picture coordinates), in fill order with repeats
  ImageRef img;
  // The shadow under the lifted piece (piece_shadow.h), made when the piece is cut; a piece
  // made otherwise gets it when its shadow is first drawn.
  mutable ImageRef _shadow;
  int32_t id = 0;
  float x = 0, y = 0;    // top-left of the image now
  float xD = 0, yD = 0;  // the correct place; the end of a curve flight
  float xc = 0, yc = 0;  // the point of a curve flight
  float mx = 0, my = 0;  // control point of the flight
  int32_t _over = 0;
  int32_t _clicked = 0;
  int32_t _holded = 0;
  int32_t _oznaczony = 0;  // marked: blinks
  int32_t _lezy = 0;
  float _adX = 0, _adY = 0;  // screen position of the picture's top-left corner
  float _scale = 0;
  int32_t colr = 0;      // 5 draws the piece red
  float _k = 255;        // blink level
  float _dk = -1;        // blink direction
  int32_t _kolejka = 0;  // drawing-order number
  float _shadowAlpha = 0;
  float _dShadowAlpha = 0;
  float t = 0;  // curve flight: 0 … 1; 1 or more means no flight

  // One step of a curve flight; ends exactly on the destination.
  void updateCurve();
  // One spark at the flight point.
  void _sparki();
  // Red marks for the neighbour records (a diagnostic).
  void drawPoints() const;
  int _zgadzaSie(const TWsp& p, int ignored) const;
  int _nieSasiad(const TPuzel& b) const;
  // The soft shadow (the six grown silhouettes in one image) at _shadowAlpha; a resting piece
  // (alpha 0) casts none and draws nothing.
  void drawShadow(float scale, float ox, float oy) const;
  void drawMoved(float, float, float) const {}
  void drawCurve(float scale, int ox, int oy) const;
  void draw(float scale, int ox, int oy) const;
  Ref<TObject> _wGrupie() const;
  int getXD() const;
  int getYD() const;
  int getHoldedX() const;
  int getHoldedY() const;
  int _mouseOver(float, float, float) const;
  int _leftX(float scale) const;
  int _upY(float scale) const;
  void move(int new_x, int new_y);
  // Hover and click test, then the shadow and blink animation.
  void update(float scale, float ox, float oy);
  // Unmarks every piece of the host's puzzle.
  static void oczysc();
  // The centre lies strictly inside the rectangle (negative sizes are turned round).
  int wObszarze(int ax, int ay, int w, int h) const;
  void alphaUpdate();
  static Ref<TPuzel> getByID(const TList<TPuzel>& list, int id);

 private:
  void DrawAt(float scale, float at_x, float at_y) const;
  int Width() const { return img ? img->width : 0; }
  int Height() const { return img ? img->height : 0; }
};

}  // namespace orvela
