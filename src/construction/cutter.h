// TRozcinacz, the picture cutter: finds every region of the mask enclosed by white cut lines,
// copies the picture's pixels of each region (its border line included) into a piece image
// cropped to the region, lights the piece's upper and left rims and shades its lower rims,
// makes a TPuzel of it, works out which pieces touch, and shuffles them. While it works it
// keeps the waiting screen alive through the CutProgress it is given.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "construction/piece.h"
#include "construction/point.h"
#include "construction/region_fill.h"
#include "engine/image/pixmap.h"
#include "engine/loading.h"
#include "engine/object.h"

namespace orvela {

// The waiting screen as the cutter sees it.
class CutProgress {
 public:
  virtual ~CutProgress() = default;
  virtual void Start() {}  // the cut begins: the waiting clock starts
  // Called very often during the fill: lets pending events in and feeds the music (an
  // implementation does that at most once a millisecond).
  virtual void Pulse() {}
  virtual void Update() {}  // the frame timer and the clock
  virtual void Draw() {}    // one frame of the waiting screen, shown
};

class TRozcinacz : public TObject {
 public:
  // Pixel values of the cut.
  static constexpr uint32_t kKey = 0x00FF00FFu;      // transparent background of the pieces
  static constexpr uint32_t kClaimed = 0xFFFFFF00u;  // written into the mask for used pixels
  static constexpr int kMaxWidth = 800, kMaxHeight = 600;
  // Regions of fewer free pixels are slivers walled in where two cut lines pass close to each
  // other, not pieces: a real piece of the game's sets has thousands of pixels.
  static constexpr int kMinPieceArea = 100;

  PixmapRef targetImg;            // the picture
  PixmapRef imageMask;            // the first mask, kept as given
  PixmapRef tempMask;             // the working mask, consumed by the cut
  TList<TPuzel> listaObrazkow;    // the pieces, shuffled at the end of the cut
  TList<TPuzel> listaPomocnicza;  // the same pieces in creation order
  std::vector<TWsp> _tempList;    // edge pixels of the region filled last
  float _tempX = 0, _tempY = 0, _tempXX = 0, _tempYY = 0;  // its box
  int32_t _imgMaxX = 0, _imgMaxY = 0;
  float _scale = 0;
  int32_t _adX = 0, _adY = 0;  // screen position of the centred picture
  int32_t bylo = 0;
  int32_t liczbaPuzzli = 0;         // pieces made so far
  CutProgress* progress = nullptr;  // the waiting screen; not owned (null: none)

  void clear();
  // Takes the picture (a path loaded as a pixel buffer, or a buffer) and the two masks (or a
  // path in place of the first, loading both from that file). Returns the picture, or null
  // after a message box when the picture cannot be loaded, is larger than 800 × 600, or the
  // masks do not fit it: the cut then makes no pieces.
  PixmapRef setup(const Source& picture, const Source& mask, const PixmapRef& mask2);
  // The breadth-first fill of one region from a seed point, for the piece liczbaPuzzli: the
  // region's free pixels are claimed as that piece's in the cutter's pixel grid (the cut marks
  // them in the working mask when it ends), the cut-line pixels met become the edge list
  // (_tempList) and the box is stored. Returns the number of pixels claimed.
  int wytnijObrazek(int x, int y);
  void update();
  void draw();
  // Crops a region buffer (picture coordinates, the key outside the region) to the box and
  // lights the first three pixels of every run in each row.
  PixmapRef stworzKrawedzieV(const TPixmap& region);
  // In place: lights the top three pixels of every vertical run and shades the last four.
  PixmapRef stworzKrawedzieH(const PixmapRef& buffer);
  Ref<TPuzel> stworzPuzel(int x, int y);
  // Cuts the whole picture; returns the number of pieces (0 when setup failed).
  int potnij(int width, int height, int unused1, int unused2, int unused3);
  // Where the pieces of a mask start: one seed of the 5-pixel lattice per region, the first
  // in row-major order, as the cut meets them. Slivers (regions under kMinPieceArea free
  // pixels) are first turned into cut-line pixels in the mask, so that they become part of the
  // pieces around them instead of pieces of their own.
  static std::vector<TWsp> PieceSeeds(TPixmap& working_mask, int width, int height);
  void wylosuj();
  void stworzSasiadow();
  Ref<TSasiad> stworzSasiada(const TPuzel& a, const Ref<TPuzel>& b) const;

  static int col(uint32_t c) { return (c & 0xFFFFFFu) == 0xFFFFFFu ? 1 : 0; }
  static int col1(uint32_t c) {
    const uint32_t rgb = c & 0xFFFFFFu;
    return rgb != 0xFFFFFFu && rgb != 0xFFFF00u ? 1 : 0;
  }

 private:
  // The piece of the last fill: its region cut out of the picture, lit and shaded.
  Ref<TPuzel> MakePiece();
  // The last fill's region cropped to its box, the key elsewhere, its rows lit; row_bits_
  // holds which of its pixels are picture pixels, row by row.
  PixmapRef CutOut();
  // stworzKrawedzieH, given the buffer's picture pixels as bits (or null).
  PixmapRef ShadeColumns(const PixmapRef& buffer, const uint64_t* row_bits);
  void PrepareFill();  // the pixel grid from the working mask as it is now

  PixmapRef picture_;               // the picture as 32-bit pixels for the fill
  bool picture_is_own_ = false;     // picture_ is the cutter's copy, not the caller's picture
  RegionFill fill_;                 // the working mask's pixel states; which piece claimed what
  bool fill_ready_ = false;         // fill_ is the working mask's, with this cut's claims
  bool owners_recorded_ = false;    // fill_ holds the claims of the last cut's pieces, all made
  std::vector<uint64_t> row_bits_;  // see CutOut
  bool ready_ = false;
};

}  // namespace orvela
