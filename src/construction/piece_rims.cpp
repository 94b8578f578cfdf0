// The rim passes (see piece_rims.h). Runs start and end where a pixel is the key and its
// neighbour is not; both passes find those places from rows of bits (which pixels are picture
// pixels) and visit the few there are, rather than testing every pixel one by one.
#include "construction/piece_rims.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "construction/cutter.h"

namespace orvela {

namespace {

constexpr uint32_t kKey = TRozcinacz::kKey;

uint32_t Brighter(uint32_t c, int amount, uint32_t alpha) {
  auto ch = [&](int shift) {
    return static_cast<uint32_t>(std::min(255, static_cast<int>((c >> shift) & 255) + amount));
  };
  return alpha | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

uint32_t Darker(uint32_t c, int amount) {
  auto ch = [&](int shift) {
    return static_cast<uint32_t>(std::max(0, static_cast<int>((c >> shift) & 255) - amount));
  };
  return 0xFF000000u | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

// Which of count pixels (up to 64) are not the key, as the bits of a word. Sixteen (or eight)
// at a time: the vector unit compares them into bytes of 0 or 1, and a multiplication gathers
// eight bytes' low bits into a word's top byte (every partial product lands on a bit of its
// own, so nothing carries).
uint64_t PictureBits(const uint32_t* row, int count) {
  constexpr uint64_t kGather = 0x0102040810204080ull;
  uint64_t bits = 0;
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    uint8_t lanes[16];
    for (int k = 0; k < 16; ++k) lanes[k] = row[x + k] != kKey;
    uint64_t low, high;
    std::memcpy(&low, lanes, sizeof low);
    std::memcpy(&high, lanes + 8, sizeof high);
    bits |= ((low * kGather) >> 56 | ((high * kGather) >> 56) << 8) << x;
  }
  if (x + 8 <= count) {
    uint8_t lanes[8];
    for (int k = 0; k < 8; ++k) lanes[k] = row[x + k] != kKey;
    uint64_t bytes;
    std::memcpy(&bytes, lanes, sizeof bytes);
    bits |= ((bytes * kGather) >> 56) << x;
    x += 8;
  }
  for (; x < count; ++x) bits |= static_cast<uint64_t>(row[x] != kKey) << x;
  return bits;
}

// Calls visit(x) for every set bit x of a word, lowest first, offset by base.
template <typename Visit>
void ForEachBit(uint64_t bits, int base, Visit visit) {
  for (; bits != 0; bits &= bits - 1) visit(base + std::countr_zero(bits));
}

}  // namespace

void LightRowRuns(const uint32_t* from, uint32_t* to, int count, uint64_t* row_bits) {
  if (count <= 0) return;
  if (from != to) std::copy(from, from + count, to);
  // Lighting keeps every pixel what it was, key or not, so the runs read the same in place.
  auto light = [&](int x) {
    for (int k = 0; k < 3 && x + k < count && from[x + k] != kKey; ++k) {
      to[x + k] = Brighter(from[x + k], 45 - 15 * k, k == 0 ? 0xEE000000u : 0xFF000000u);
    }
  };
  // A run starts at a picture pixel after the key, or at the row's first pixel.
  uint64_t before = 0;  // the bit of the pixel before these 64
  for (int base = 0; base < count; base += 64) {
    const uint64_t bits = PictureBits(from + base, std::min(64, count - base));
    if (row_bits) row_bits[base / 64] = bits;
    ForEachBit(bits & ~((bits << 1) | before), base, light);
    before = bits >> 63;
  }
}

void LightAndShadeColumns(TPixmap& b, int last_x, int last_y, const uint64_t* row_bits) {
  if (last_x < 0 || last_y < 0) return;
  const size_t columns = static_cast<size_t>(last_x) + 1;
  // Each column's brightening count (the columns with one left are listed). The pass reads
  // every pixel before it changes any in its row, and keeps what it read where it changes a
  // pixel, for the last four rows: row y of column x at (y mod 4) · columns + x, marked with
  // the row. Every other pixel still holds what was read. Lighting and shading keep a pixel
  // the key or not the key, so the runs read the same all the while.
  std::vector<uint8_t> count(columns, 0);
  std::vector<int> counting;
  std::vector<uint32_t> was_value(4 * columns);
  std::vector<int> was_row(4 * columns, -1);
  auto slot = [&](int x, int y) { return static_cast<size_t>(y & 3) * columns + x; };
  auto read = [&](int x, int y) {
    const size_t at = slot(x, y);
    return was_row[at] == y ? was_value[at] : b.Row32(y)[x];
  };
  auto change = [&](int x, int y, uint32_t value) {
    const size_t at = slot(x, y);
    uint32_t& pixel = b.Row32(y)[x];
    if (was_row[at] != y) was_row[at] = y, was_value[at] = pixel;
    pixel = value;
  };
  auto start = [&](int x) {
    if (count[static_cast<size_t>(x)] == 0) counting.push_back(x);
    count[static_cast<size_t>(x)] = 3;
  };
  // The rows' picture pixels as bits, this row's and the one above (none above the first).
  const size_t words = (columns + 63) / 64;
  std::vector<uint64_t> bits(words), above(words, 0);
  for (int y = 0; y <= last_y; ++y) {
    const uint32_t* row = b.Row32(y);
    const int window = std::min(y, 4);  // rows y − window … y − 1
    for (size_t i = 0; i < words; ++i) {
      const int base = static_cast<int>(64 * i);
      bits[i] = row_bits ? row_bits[words * static_cast<size_t>(y) + i]
                         : PictureBits(row + base, std::min(64, static_cast<int>(columns) - base));
      ForEachBit(bits[i] & ~above[i], base, start);
      // The ends of runs: the window's pixels darken, the newest most.
      ForEachBit(above[i] & ~bits[i], base, [&](int x) {
        for (int k = 0; k < window; ++k) {
          const int at = y - window + k;
          const uint32_t was = read(x, at);
          if (was != kKey) change(x, at, Darker(was, 25 * k));
        }
      });
    }
    bits.swap(above);
    for (size_t k = 0; k < counting.size();) {
      const int x = counting[k];
      uint8_t& e = count[static_cast<size_t>(x)];
      if (row[x] != kKey) {
        change(x, y, Brighter(row[x], 15 * e, 0xFF000000u));
        --e;
      }
      if (e == 0) {
        counting[k] = counting.back();
        counting.pop_back();
      } else {
        ++k;
      }
    }
  }
}

}  // namespace orvela
