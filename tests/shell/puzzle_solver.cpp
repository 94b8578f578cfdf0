// The scripted player.
#include "shell/puzzle_solver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "construction/piece.h"
#include "play/group.h"
#include "play/play_screen.h"

namespace orvela::testing {

namespace {

// Where the pointer may press: on the screen and below the play bar.
constexpr int kLeft = 2, kRight = 797, kTop = 40, kBottom = 597;

struct Point {
  int x, y;
};

std::vector<Ref<TPuzel>> Members(const Ref<TObject>& entry) {
  if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) return {piece};
  std::vector<Ref<TPuzel>> out;
  if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
    for (const Ref<TPuzel>& member : group->listaSpasowanych) out.push_back(member);
  }
  return out;
}

bool Holds(const std::vector<Ref<TPuzel>>& members, const TPuzel& piece) {
  return std::any_of(members.begin(), members.end(),
                     [&](const Ref<TPuzel>& m) { return m.get() == &piece; });
}

// A point strictly inside the piece's box, inside the pressable area, that stays inside it
// when moved by (dx, dy); none when there is no such point.
std::optional<Point> GrabPoint(const TPuzel& piece, int dx, int dy) {
  const int w = piece.img->width, h = piece.img->height;
  const int x0 = std::max({static_cast<int>(std::floor(piece.x)) + 2, kLeft, kLeft - dx});
  const int x1 = std::min({static_cast<int>(std::ceil(piece.x)) + w - 2, kRight, kRight - dx});
  const int y0 = std::max({static_cast<int>(std::floor(piece.y)) + 2, kTop, kTop - dy});
  const int y1 = std::min({static_cast<int>(std::ceil(piece.y)) + h - 2, kBottom, kBottom - dy});
  if (x0 > x1 || y0 > y1) return std::nullopt;
  return Point{(x0 + x1) / 2, (y0 + y1) / 2};
}

bool Pressable(Point p) {
  return p.x >= kLeft && p.x <= kRight && p.y >= kTop && p.y <= kBottom;
}

}  // namespace

void PuzzleSolver::Click(int x, int y) {
  platform_.QueueMouseMove(x, y);
  platform_.QueueMouseButton(1, true);
}

void PuzzleSolver::OnFrame() {
  if (!steps_.empty()) {
    const auto step = steps_.front();
    steps_.pop_front();
    step();
    return;
  }
  if (play_._stan == "GRA" && play_.listaPuzzli.Count() > 1 && stuck_.empty()) Plan();
}

void PuzzleSolver::Plan() {
  const Ref<TObject> top = play_.listaPuzzli.Last();
  const std::vector<Ref<TPuzel>> members = Members(top);
  const bool single = std::dynamic_pointer_cast<TPuzel>(top) != nullptr;
  const int entries_before = play_.listaPuzzli.Count();

  // Every join the top entry could make: how far it must move for a member to sit exactly
  // beside a neighbour outside it. The shortest moves come first.
  struct Join {
    int dx, dy;
  };
  std::vector<Join> joins;
  for (const Ref<TPuzel>& member : members) {
    for (const Ref<TSasiad>& record : member->_sasiedzi) {
      const Ref<TPuzel> n = record->puzel.lock();
      if (!n || Holds(members, *n)) continue;
      joins.push_back(
          {static_cast<int>(n->x) + record->odx * record->sigX - static_cast<int>(member->x),
           static_cast<int>(n->y) + record->ody * record->sigy - static_cast<int>(member->y)});
    }
  }
  std::sort(joins.begin(), joins.end(), [](const Join& a, const Join& b) {
    return std::abs(a.dx) + std::abs(a.dy) < std::abs(b.dx) + std::abs(b.dy);
  });
  // No join reachable on the screen: carry the entry so that its box is centred at
  // (400, 320), then try again.
  float left = 1e9f, top_y = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const Ref<TPuzel>& m : members) {
    left = std::min(left, m->x), top_y = std::min(top_y, m->y);
    right = std::max(right, m->x + static_cast<float>(m->img->width));
    bottom = std::max(bottom, m->y + static_cast<float>(m->img->height));
  }
  joins.push_back(
      {static_cast<int>(400 - (left + right) / 2), static_cast<int>(320 - (top_y + bottom) / 2)});

  for (size_t j = 0; j < joins.size(); ++j) {
    const Join& join = joins[j];
    const bool recentre = j + 1 == joins.size();
    for (const Ref<TPuzel>& grabbed : members) {
      Point from{}, to{};
      if (single) {
        // A carried piece hangs centred on the pointer.
        const std::optional<Point> p = GrabPoint(*grabbed, 0, 0);
        if (!p) continue;
        from = *p;
        to = {static_cast<int>(grabbed->x) + join.dx + grabbed->img->width / 2,
              static_cast<int>(grabbed->y) + join.dy + grabbed->img->height / 2};
        if (!Pressable(to)) continue;
      } else {
        // A carried group keeps its offset to the pointer.
        const std::optional<Point> p = GrabPoint(*grabbed, join.dx, join.dy);
        if (!p) continue;
        from = *p;
        to = {from.x + join.dx, from.y + join.dy};
      }
      ++moves_;
      recentred_ = recentre ? recentred_ + 1 : 0;
      if (recentred_ > 2) {
        stuck_ = "no reachable join for the top entry, even from the middle";
        return;
      }
      steps_.push_back([this] { platform_.QueueMouseButton(1, false); });
      steps_.push_back([this, to] { Click(to.x, to.y); });
      steps_.push_back([this] { platform_.QueueMouseButton(1, false); });
      steps_.push_back([this, entries_before, recentre] {
        if (!recentre && play_._stan == "GRA" && play_.listaPuzzli.Count() >= entries_before) {
          stuck_ = "a drop beside its neighbour did not join";
        }
      });
      Click(from.x, from.y);
      return;
    }
  }
  stuck_ = "the top entry cannot be picked up anywhere on the screen";
}

}  // namespace orvela::testing
