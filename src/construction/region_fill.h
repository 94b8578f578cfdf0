// RegionFill: the cutter's grid of pixel states and its breadth-first fill. The grid says for
// each pixel of the working mask whether it is free, on a cut line, blocked, or claimed by a
// piece (and by which); a fill from a seed claims one region of free pixels for a piece,
// writes down the cut-line pixels it meets in the order it meets them, and finds the region's
// box. Pixels are kept as indices into the grid, whose rows are 1024 states apart with a frame
// of blocked states round the picture, so that a pixel's four neighbours are fixed steps away
// and never outside.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/image/pixmap.h"

namespace orvela {

class CutProgress;

class RegionFill {
 public:
  static constexpr int kStride = 1024;  // grid row length: pictures up to 1022 pixels wide
  // Pixel states: free, on a cut line, on a cut line met by the last fill, blocked (outside
  // the picture, yellow in the mask, or set aside), in a sliver; kFirstOwner + id: claimed by
  // piece id.
  static constexpr uint16_t kFree = 0, kLine = 1, kLineMet = 2, kBlocked = 3, kSliver = 4,
                            kFirstOwner = 5;
  static constexpr int kMaxOwners = 0x10000 - kFirstOwner;

  // The grid of a working mask (PF_BGRA8888, at most 1022 × 1022): its cut-line pixels (red,
  // green and blue all 255), its pixels already claimed (yellow: blocked), the rest free.
  void Reset(const TPixmap& mask);
  int Width() const { return width_; }
  int Height() const { return height_; }

  static uint32_t Index(int x, int y) {
    return static_cast<uint32_t>(y + 1) * kStride + static_cast<uint32_t>(x + 1);
  }
  static int X(uint32_t index) { return static_cast<int>(index % kStride) - 1; }
  static int Y(uint32_t index) { return static_cast<int>(index / kStride) - 1; }
  uint16_t State(int x, int y) const { return state_[Index(x, y)]; }
  const uint16_t* StateRow(int y) const { return &state_[Index(0, y)]; }
  // The first free pixel of row y from x on, or the width when there is none.
  int NextFree(int y, int x) const;
  // The id of the piece that claimed the pixel, or −1.
  int Owner(int x, int y) const {
    const uint16_t s = State(x, y);
    return s >= kFirstOwner ? s - kFirstOwner : -1;
  }

  // The breadth-first fill from the seed (a pixel of the picture) for piece id (0 …
  // kMaxOwners − 1): every free pixel 4-connected to the seed becomes the piece's. Each point
  // taken off the queue examines its neighbours up, left, right and down; a free one is
  // claimed and queued, a cut-line one is written down (again each time it is met). The seed
  // is queued first without being claimed, and is claimed and queued again when a neighbour
  // meets it. Returns the number of pixels claimed. The progress pulses every 1024 steps.
  int Fill(int x, int y, int id, CutProgress* progress);
  // The last fill's queue (the seed, then every pixel claimed, in fill order) and the cut-line
  // pixels it met, as grid indices.
  const uint32_t* Queue() const { return queue_.get(); }
  size_t Queued() const { return queued_; }
  const uint32_t* LinesMet() const { return lines_.get(); }
  size_t LinesMetCount() const { return met_; }
  // The box of the last fill: it takes in every neighbour (inside the picture) of every point
  // taken off the queue, starting from smallest x and y 800, largest 0; it can come out the
  // wrong way round for a region one pixel thin along the picture's edge.
  int min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  // Until the next fill, the cut-line pixels it met are kLineMet: the region of the last fill
  // (for piece id) is the pixels claimed by its id and those. Writes pixels x0 … x0 + count − 1
  // of row y as the region shows the picture: picture[k] for a pixel of the region, key
  // elsewhere.
  void RegionRow(int y, int x0, int count, int id, const uint32_t* picture, uint32_t key,
                 uint32_t* out) const;
  // Row y of the mask (PF_BGRA8888, the grid's size) used up, into out (the same size):
  // claimed where a piece claimed a pixel, sliver at the pixels of slivers, as it was
  // elsewhere. Tells whether the row has free pixels left.
  bool UsedUpRow(int y, const TPixmap& mask, TPixmap& out, uint32_t claimed, uint32_t sliver) const;
  // The last fill's pixels, the seed included, become a sliver's (the region is no piece; no
  // other fill ever meets its pixels), or blocked.
  void SetAsideSliver() { SetQueued(kSliver); }
  void Block() { SetQueued(kBlocked); }

 private:
  void SetQueued(uint16_t state);

  int width_ = 0, height_ = 0;
  std::vector<uint16_t> state_;
  // Room for every pixel and the seed, and for four cut-line pixels met from each; kept from
  // fill to fill and never cleared (only what a fill writes is read).
  std::unique_ptr<uint32_t[]> queue_, lines_;
  size_t room_ = 0, queued_ = 0, met_ = 0;
};

}  // namespace orvela
