// RegionFill (see region_fill.h).
#include "construction/region_fill.h"

#include <algorithm>
#include <climits>

#include "construction/cutter.h"

namespace orvela {

namespace {

// The states of count mask pixels, eight at a time without branches, for the vector unit.
void StatesOf(const uint32_t* __restrict mask, uint16_t* __restrict out, int count) {
  auto state = [](uint32_t c) {
    const uint32_t rgb = c & 0xFFFFFFu;
    return static_cast<uint16_t>((rgb == 0xFFFFFFu ? RegionFill::kLine : 0) |
                                 (rgb == 0xFFFF00u ? RegionFill::kBlocked : 0));
  };
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    for (int k = 0; k < 8; ++k) out[x + k] = state(mask[x + k]);
  }
  for (; x < count; ++x) out[x] = state(mask[x]);
}

}  // namespace

void RegionFill::Reset(const TPixmap& mask) {
  width_ = mask.width, height_ = mask.height;
  const size_t size = static_cast<size_t>(height_ + 2) * kStride;
  if (state_.size() != size) state_.assign(size, kBlocked);
  // The frame, and the states of the picture's pixels; the grid's columns past the frame are
  // never read.
  std::fill_n(&state_[Index(-1, -1)], width_ + 2, kBlocked);
  std::fill_n(&state_[Index(-1, height_)], width_ + 2, kBlocked);
  for (int y = 0; y < height_; ++y) {
    uint16_t* out = &state_[Index(0, y)];
    out[-1] = out[width_] = kBlocked;
    StatesOf(mask.Row32(y), out, width_);
  }
  const size_t room = static_cast<size_t>(width_) * static_cast<size_t>(height_) + 1;
  if (room_ < room) {
    queue_ = std::make_unique_for_overwrite<uint32_t[]>(room);
    lines_ = std::make_unique_for_overwrite<uint32_t[]>(4 * room);
    room_ = room;
  }
  queued_ = met_ = 0;
}

namespace {

struct Bounds {
  int min_x, min_y, max_x, max_y;
};

// The smallest and largest x and y of count points (at least one), eight at a time for the
// vector unit. A row of the grid is 1024 states, so the order of the indices is that of y.
Bounds BoundsOf(const uint32_t* __restrict points, size_t count) {
  int32_t lo = INT32_MAX, hi = 0, lo_x = INT32_MAX, hi_x = 0;
  auto take = [&](uint32_t p) {
    const int32_t at = static_cast<int32_t>(p), x = at & (RegionFill::kStride - 1);
    lo = std::min(lo, at), hi = std::max(hi, at);
    lo_x = std::min(lo_x, x), hi_x = std::max(hi_x, x);
  };
  size_t k = 0;
  for (; k + 8 <= count; k += 8) {
    for (size_t j = 0; j < 8; ++j) take(points[k + j]);
  }
  for (; k < count; ++k) take(points[k]);
  return {lo_x - 1, lo / RegionFill::kStride - 1, hi_x - 1, hi / RegionFill::kStride - 1};
}

}  // namespace

int RegionFill::Fill(int sx, int sy, int id, CutProgress* progress) {
  uint16_t* const state = state_.data();
  uint32_t* const queue = queue_.get();
  uint32_t* const lines = lines_.get();
  const uint16_t own = static_cast<uint16_t>(kFirstOwner + id);
  for (size_t k = 0; k < met_; ++k) state[lines[k]] = kLine;  // the last fill's marks go
  size_t tail = 0, met = 0;
  queue[tail++] = Index(sx, sy);
  // Most neighbours met are claimed already; the rest are mostly free, and the branches on
  // what is found predict better than writing every neighbour down unconditionally.
  for (size_t head = 0; head < tail; ++head) {
    const uint32_t at = queue[head];
    auto meet = [&](uint32_t n) {
      const uint16_t s = state[n];
      if (s > kLine) return;
      if (s == kFree) {
        state[n] = own;
        queue[tail++] = n;
      } else {
        lines[met++] = n;
      }
    };
    meet(at - kStride);
    meet(at - 1);
    meet(at + 1);
    meet(at + kStride);
    if ((head & 1023) == 1023 && progress) progress->Pulse();
  }
  for (size_t k = 0; k < met; ++k) state[lines[k]] = kLineMet;
  queued_ = tail, met_ = met;
  // The box: every point off the queue widens it by its neighbours inside the picture. Those
  // points are connected (the claimed pixels and the seed among them, or the seed alone), so
  // the box follows from their bounds: a side on the picture's edge moves in by one when the
  // points reach past that line, and is left where the box starts when they do not.
  const Bounds b = BoundsOf(queue, tail);
  const int last_x = width_ - 1, last_y = height_ - 1;
  constexpr int kStart = TRozcinacz::kMaxWidth;
  min_x = b.min_x > 0 ? b.min_x - 1 : (b.max_x > 0 ? 0 : kStart);
  min_y = b.min_y > 0 ? b.min_y - 1 : (b.max_y > 0 ? 0 : kStart);
  max_x = b.max_x < last_x ? b.max_x + 1 : (b.min_x < last_x ? last_x : 0);
  max_y = b.max_y < last_y ? b.max_y + 1 : (b.min_y < last_y ? last_y : 0);
  return static_cast<int>(tail) - 1;
}

namespace {

inline uint32_t Selected(uint32_t s, uint32_t picture, uint16_t own, uint32_t key) {
  const uint32_t in = 0u - static_cast<uint32_t>((s == own) | (s == RegionFill::kLineMet));
  return (picture & in) | (key & ~in);
}

// Eight pixels at a time, without branches, for the vector unit.
void Select(const uint16_t* __restrict state, const uint32_t* __restrict picture,
            uint32_t* __restrict out, int count, uint16_t own, uint32_t key) {
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    for (int k = 0; k < 8; ++k) out[x + k] = Selected(state[x + k], picture[x + k], own, key);
  }
  for (; x < count; ++x) out[x] = Selected(state[x], picture[x], own, key);
}

}  // namespace

void RegionFill::RegionRow(int y, int x0, int count, int id, const uint32_t* picture, uint32_t key,
                           uint32_t* out) const {
  Select(&state_[Index(x0, y)], picture, out, count, static_cast<uint16_t>(kFirstOwner + id), key);
}

void RegionFill::SetQueued(uint16_t state) {
  for (size_t k = 0; k < queued_; ++k) state_[queue_[k]] = state;
}

}  // namespace orvela
