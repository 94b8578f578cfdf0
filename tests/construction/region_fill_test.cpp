// The cutter's fill on small random masks, against the fill as it is defined, worked out the
// plain way: which pixels it claims and in what order, the cut-line pixels it writes down, and
// its box, also for regions one pixel thin along the picture's edges.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "construction/region_fill.h"

namespace orvela {
namespace {

struct Expected {
  std::vector<uint32_t> queue, lines;
  int min_x = 800, min_y = 800, max_x = 0, max_y = 0;
};

// The breadth-first fill from a seed over pixel states (0 free, 1 line, 2 claimed), which it
// updates: up, left, right, down from each point taken off the queue, inside the picture.
Expected Defined(std::vector<int>& state, int w, int h, int sx, int sy) {
  Expected e;
  std::deque<std::pair<int, int>> queue = {{sx, sy}};
  e.queue.push_back(RegionFill::Index(sx, sy));
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    const std::pair<int, int> around[4] = {{x, y - 1}, {x - 1, y}, {x + 1, y}, {x, y + 1}};
    for (const auto& [nx, ny] : around) {
      if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
      if (nx < x) e.min_x = std::min(e.min_x, nx);
      if (ny < y) e.min_y = std::min(e.min_y, ny);
      if (nx > x) e.max_x = std::max(e.max_x, nx);
      if (ny > y) e.max_y = std::max(e.max_y, ny);
      int& s = state[static_cast<size_t>(ny * w + nx)];
      if (s == 0) {
        s = 2;
        queue.push_back({nx, ny});
        e.queue.push_back(RegionFill::Index(nx, ny));
      } else if (s == 1) {
        e.lines.push_back(RegionFill::Index(nx, ny));
      }
    }
  }
  return e;
}

TEST(RegionFillTest, EveryRegionIsFilledAsDefined) {
  std::mt19937 random(3);
  auto random_int = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
  for (int round = 0; round < 40; ++round) {
    const int w = random_int(1, 40), h = random_int(1, 30);
    const int lines = random_int(0, 3);  // how thick the cut lines lie: none to many
    auto mask = TPixmap::Create(w, h, PF_BGRA8888, 4);
    std::vector<int> state(static_cast<size_t>(w * h), 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool line = random_int(0, 9) < lines * 2;
        mask->Row32(y)[x] = line ? 0xFFFFFFFFu : 0xFF000000u;
        state[static_cast<size_t>(y * w + x)] = line ? 1 : 0;
      }
    }
    RegionFill fill;
    fill.Reset(*mask);
    int id = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (fill.State(x, y) != RegionFill::kFree) continue;
        SCOPED_TRACE(testing::Message() << "round " << round << ", seed " << x << "," << y);
        const Expected want = Defined(state, w, h, x, y);
        const int claimed = fill.Fill(x, y, id, nullptr);
        ASSERT_EQ(std::vector<uint32_t>(fill.Queue(), fill.Queue() + fill.Queued()), want.queue);
        EXPECT_EQ(claimed, static_cast<int>(want.queue.size()) - 1);
        EXPECT_EQ(std::vector<uint32_t>(fill.LinesMet(), fill.LinesMet() + fill.LinesMetCount()),
                  want.lines);
        EXPECT_EQ(fill.min_x, want.min_x);
        EXPECT_EQ(fill.min_y, want.min_y);
        EXPECT_EQ(fill.max_x, want.max_x);
        EXPECT_EQ(fill.max_y, want.max_y);
        for (size_t k = 1; k < want.queue.size(); ++k) {
          EXPECT_EQ(fill.Owner(RegionFill::X(want.queue[k]), RegionFill::Y(want.queue[k])), id);
        }
        // A seed no neighbour claimed (a region of one pixel) is set aside.
        if (claimed == 0) fill.Block();
        ++id;
      }
    }
  }
}

}  // namespace
}  // namespace orvela
