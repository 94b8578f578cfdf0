// RegionFill (see region_fill.h).
#include "construction/region_fill.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

int RegionFill::Fill(int sx, int sy, int id, CutProgress* progress) {
  uint16_t* const state = state_.data();
  uint32_t* const queue = queue_.get();
  uint32_t* const lines = lines_.get();
  const uint16_t own = static_cast<uint16_t>(kFirstOwner + id);
  for (size_t k = 0; k < met_; ++k) state[lines[k]] = kLine;  // the last fill's marks go
  size_t tail = 0, met = 0;
  const uint32_t seed = Index(sx, sy);
  queue[tail++] = seed;
  // The bounds of the points queued, as indices (whose order is that of y: a grid row is 1024
  // states) and as x.
  uint32_t lo = seed, hi = seed, lo_x = seed % kStride, hi_x = lo_x;
  // Most neighbours met are claimed already; the rest are mostly free, and the branches on
  // what is found predict better than writing every neighbour down unconditionally.
  // The waiting screen pulses after every 1024 points taken off the queue.
  for (size_t head = 0; head < tail;) {
    for (const size_t end = std::min(tail, head + 1024); head < end; ++head) {
      const uint32_t at = queue[head];
      auto meet = [&](uint32_t n) {
        const uint16_t s = state[n];
        if (s > kLine) return;
        if (s == kFree) {
          state[n] = own;
          queue[tail++] = n;
          lo = std::min(lo, n), hi = std::max(hi, n);
          lo_x = std::min(lo_x, n % kStride), hi_x = std::max(hi_x, n % kStride);
        } else {
          lines[met++] = n;
        }
      };
      meet(at - kStride);
      meet(at - 1);
      meet(at + 1);
      meet(at + kStride);
    }
    if (progress && head % 1024 == 0) progress->Pulse();
  }
  for (size_t k = 0; k < met; ++k) state[lines[k]] = kLineMet;
  queued_ = tail, met_ = met;
  // The box: every point off the queue widens it by its neighbours inside the picture. Those
  // points are connected (the claimed pixels and the seed among them, or the seed alone), so
  // the box follows from their bounds: a side on the picture's edge moves in by one when the
  // points reach past that line, and is left where the box starts when they do not.
  const int x0 = X(lo_x), y0 = Y(lo), x1 = X(hi_x), y1 = Y(hi);
  const int last_x = width_ - 1, last_y = height_ - 1;
  constexpr int kStart = TRozcinacz::kMaxWidth;
  min_x = x0 > 0 ? x0 - 1 : (x1 > 0 ? 0 : kStart);
  min_y = y0 > 0 ? y0 - 1 : (y1 > 0 ? 0 : kStart);
  max_x = x1 < last_x ? x1 + 1 : (x0 < last_x ? last_x : 0);
  max_y = y1 < last_y ? y1 + 1 : (y0 < last_y ? last_y : 0);
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

namespace {

inline uint32_t UsedUpPixel(uint32_t s, uint32_t was, uint32_t claimed, uint32_t sliver) {
  const uint32_t is_claimed = 0u - static_cast<uint32_t>(s >= RegionFill::kFirstOwner);
  const uint32_t is_sliver = 0u - static_cast<uint32_t>(s == RegionFill::kSliver);
  return (claimed & is_claimed) | (sliver & is_sliver) | (was & ~(is_claimed | is_sliver));
}

// Also tells whether the row has free pixels left.
bool UsedUpRow(const uint16_t* __restrict state, const uint32_t* __restrict mask,
               uint32_t* __restrict out, int count, uint32_t claimed, uint32_t sliver) {
  uint32_t free = 0;
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    for (int k = 0; k < 8; ++k) {
      out[x + k] = UsedUpPixel(state[x + k], mask[x + k], claimed, sliver);
      free |= state[x + k] == RegionFill::kFree;
    }
  }
  for (; x < count; ++x) {
    out[x] = UsedUpPixel(state[x], mask[x], claimed, sliver);
    free |= state[x] == RegionFill::kFree;
  }
  return free != 0;
}

}  // namespace

bool RegionFill::UsedUpRow(int y, const TPixmap& mask, TPixmap& out, uint32_t claimed,
                           uint32_t sliver) const {
  return orvela::UsedUpRow(StateRow(y), mask.Row32(y), out.Row32(y), width_, claimed, sliver);
}

int RegionFill::NextFree(int y, int x) const {
  const uint16_t* row = StateRow(y);
  for (; x + 8 <= width_; x += 8) {  // eight at a time into eight bytes of 0 or 1, one word
    uint8_t lanes[8];
    for (int k = 0; k < 8; ++k) lanes[k] = row[x + k] == kFree;
    uint64_t free;
    std::memcpy(&free, lanes, sizeof free);
    if (free != 0) return x + std::countr_zero(free) / 8;
  }
  while (x < width_ && row[x] != kFree) ++x;
  return x;
}

void RegionFill::SetQueued(uint16_t state) {
  for (size_t k = 0; k < queued_; ++k) state_[queue_[k]] = state;
}

}  // namespace orvela
