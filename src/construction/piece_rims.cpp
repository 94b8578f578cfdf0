// The rim passes (see piece_rims.h). Runs start and end where a pixel is the key and its
// neighbour is not; both passes look for those places eight pixels at a time and visit the
// few they find, rather than testing every pixel's state one by one.
#include "construction/piece_rims.h"

#include <algorithm>
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

// Calls visit(x) for every x in [0, count) where a[x] and b[x] differ in being the key.
template <typename Visit>
void ForEachKeyChange(const uint32_t* a, const uint32_t* b, int count, Visit visit) {
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    uint32_t change = 0;
    for (int k = 0; k < 8; ++k) change |= (a[x + k] == kKey) ^ (b[x + k] == kKey);
    if (change == 0) continue;
    for (int k = 0; k < 8; ++k) {
      if ((a[x + k] == kKey) != (b[x + k] == kKey)) visit(x + k);
    }
  }
  for (; x < count; ++x) {
    if ((a[x] == kKey) != (b[x] == kKey)) visit(x);
  }
}

}  // namespace

void LightRowRuns(const uint32_t* from, uint32_t* to, int count) {
  if (count <= 0) return;
  if (from != to) std::copy(from, from + count, to);
  // Lighting keeps every pixel what it was, key or not, so the runs read the same in place.
  auto light = [&](int x) {
    for (int k = 0; k < 3 && x + k < count && from[x + k] != kKey; ++k) {
      to[x + k] = Brighter(from[x + k], 45 - 15 * k, k == 0 ? 0xEE000000u : 0xFF000000u);
    }
  };
  if (from[0] != kKey) light(0);
  ForEachKeyChange(from + 1, from, count - 1, [&](int x) {
    if (from[x + 1] != kKey) light(x + 1);
  });
}

void LightAndShadeColumns(TPixmap& b, int last_x, int last_y) {
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
  for (int y = 0; y <= last_y; ++y) {
    const uint32_t* row = b.Row32(y);
    if (y == 0) {
      for (size_t x = 0; x < columns; ++x) {
        if (row[x] != kKey) start(static_cast<int>(x));
      }
    } else {
      const int window = std::min(y, 4);  // rows y − window … y − 1
      ForEachKeyChange(row, b.Row32(y - 1), static_cast<int>(columns), [&](int x) {
        if (row[x] != kKey) {
          start(x);
          return;
        }
        // The end of a run: the window's pixels darken, the newest most.
        for (int k = 0; k < window; ++k) {
          const int at = y - window + k;
          const uint32_t was = read(x, at);
          if (was != kKey) change(x, at, Darker(was, 25 * k));
        }
      });
    }
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
