// TPuzzelGame: snapping and groups. A dropped piece or group that lies within a few pixels of
// where it belongs beside a neighbour is moved to the exact place and joined with it; sparks
// fly and the snap sound plays. Two groups that meet merge into one.
#include <cmath>
#include <cstdlib>

#include "engine/random.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "play/spark.h"

namespace orvela {

namespace {

// A piece fits its neighbour when both distances are less than this many pixels off.
constexpr int kSnapTolerance = 5;
// Pieces of a carried group fit the group they are merged into within this tolerance.
constexpr int kMergeTolerance = 20;

// The piece lies within `tolerance` pixels of its place beside the record's neighbour. Only
// distances are compared, not sides: the mirror place fits too.
bool Fits(const TPuzel& piece, const TSasiad& record, int tolerance) {
  const Ref<TPuzel> neighbour = record.puzel.lock();
  if (!neighbour) return false;
  const int dx = static_cast<int>(std::fabs(piece.x - neighbour->x));
  const int dy = static_cast<int>(std::fabs(piece.y - neighbour->y));
  return std::abs(record.odx - dx) < tolerance && std::abs(record.ody - dy) < tolerance;
}

// Moves the piece to its exact place beside the record's neighbour.
void SnapTo(TPuzel& piece, const TSasiad& record) {
  const Ref<TPuzel> neighbour = record.puzel.lock();
  piece.x = neighbour->x + static_cast<float>(record.odx * record.sigX);
  piece.y = neighbour->y + static_cast<float>(record.ody * record.sigy);
}

// Moves the piece to its exact place from the neighbour's record of it (the relation the
// cutter found can be one-sided: only the neighbour may know the piece).
void SnapFrom(TPuzel& piece, const TPuzel& neighbour, const TSasiad& record_of_piece) {
  piece.x = neighbour.x - static_cast<float>(record_of_piece.odx * record_of_piece.sigX);
  piece.y = neighbour.y - static_cast<float>(record_of_piece.ody * record_of_piece.sigy);
}

bool Within(const TPuzel& a, const TPuzel& b, const TSasiad& record_of_b, int tolerance) {
  const int dx = static_cast<int>(std::fabs(a.x - b.x));
  const int dy = static_cast<int>(std::fabs(a.y - b.y));
  return std::abs(record_of_b.odx - dx) < tolerance && std::abs(record_of_b.ody - dy) < tolerance;
}

}  // namespace

int TPuzzelGame::spasowany(const TPuzel& piece) const {
  for (const Ref<TSasiad>& record : piece._sasiedzi) {
    if (Fits(piece, *record, kSnapTolerance)) return 1;
  }
  return 0;
}

Ref<TObject> TPuzzelGame::spasuj() {
  const auto piece = std::dynamic_pointer_cast<TPuzel>(puzel);
  Ref<TObject> result;
  if (piece) {
    for (const Ref<TSasiad>& record : piece->_sasiedzi) {
      if (!Fits(*piece, *record, kSnapTolerance)) continue;
      const Ref<TPuzel> neighbour = record->puzel.lock();
      SnapTo(*piece, *record);
      _ustawSasiada(*piece, *record);
      const GroupRef group = _wGrupie(*neighbour);
      result = group ? Ref<TObject>(_dolacz(piece, group))
                     : Ref<TObject>(_stworzGrupe(piece, neighbour));
      const int w = piece->img ? piece->img->width : 0, h = piece->img ? piece->img->height : 0;
      _sparkiSmarki(static_cast<int>(piece->x), static_cast<int>(piece->y), w, h);
      break;
    }
  }
  puzel = nullptr;
  services_.Play(PlaySound::kGood);
  return result;
}

void TPuzzelGame::_ustawSasiada(TPuzel& piece, TSasiad& record) {
  record.spasowany = 1;
  const Ref<TPuzel> neighbour = record.puzel.lock();
  if (!neighbour) return;
  if (const Ref<TSasiad> back = TSasiad::getByPuzel(piece, *neighbour)) back->spasowany = 1;
}

GroupRef TPuzzelGame::_wGrupie(const TPuzel& piece) const {
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      if (group->zawiera(piece)) return group;
    }
  }
  return nullptr;
}

GroupRef TPuzzelGame::_stworzGrupe(const Ref<TPuzel>& a, const Ref<TPuzel>& b) {
  auto group = std::make_shared<TSpasowanePuzle>();
  group->listaSpasowanych.AddLast(a);
  group->listaSpasowanych.AddLast(b);
  listaPuzzli.Remove(a);
  listaPuzzli.Remove(b);
  listaPuzzli.AddLast(group);
  group->w = a->x;
  group->h = a->y;
  for (const Ref<TPuzel>& member : group->listaSpasowanych) member->_dShadowAlpha = 0;
  return group;
}

GroupRef TPuzzelGame::_dolacz(const Ref<TPuzel>& piece, const GroupRef& group) {
  group->listaSpasowanych.AddLast(piece);
  listaPuzzli.Remove(piece);
  for (const Ref<TPuzel>& member : group->listaSpasowanych) member->_dShadowAlpha = 0;
  puzel = nullptr;
  return group;
}

void TPuzzelGame::upusc(const Ref<TPuzel>& piece) {
  listaPuzzli.Remove(piece);
  listaPuzzli.AddLast(piece);
  piece->_dShadowAlpha = 0;
  puzel = nullptr;
}

bool TPuzzelGame::listaZawiera(const TList<TPuzel>& list, const TPuzel& piece) {
  for (const Ref<TPuzel>& entry : list) {
    if (entry.get() == &piece) return true;
  }
  return false;
}

Ref<TObject> TPuzzelGame::spasowanePuzle(const GroupRef& carried) const {
  // What the carried group could join: the loose pieces, then the other groups' members.
  TList<TPuzel> candidates;
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      if (!carried->zawiera(*piece)) candidates.AddLast(piece);
    }
  }
  for (const Ref<TObject>& entry : listaPuzzli) {
    auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry);
    if (!group || group == carried) continue;
    for (const Ref<TPuzel>& member : group->listaSpasowanych) candidates.AddLast(member);
  }
  for (const Ref<TPuzel>& member : carried->listaSpasowanych) {
    for (const Ref<TSasiad>& record : member->_sasiedzi) {
      const Ref<TPuzel> neighbour = record->puzel.lock();
      if (!neighbour || !listaZawiera(candidates, *neighbour)) continue;
      if (!Fits(*member, *record, kSnapTolerance)) continue;
      if (GroupRef group = _wGrupie(*neighbour)) return group;
      return neighbour;
    }
  }
  return nullptr;
}

Ref<TObject> TPuzzelGame::spasujGrupe(const Ref<TObject>& target) {
  const auto carried = std::dynamic_pointer_cast<TSpasowanePuzle>(puzel);
  Ref<TObject> result;
  if (auto piece = std::dynamic_pointer_cast<TPuzel>(target)) {
    // The loose piece comes to the group, not the group to the piece.
    puzel = piece;
    if (spasowany(*piece) || !carried) {
      result = spasuj();
    } else {
      result = JoinByMembersRecord(carried, piece);
    }
    puzel = result;
  } else if (auto other = std::dynamic_pointer_cast<TSpasowanePuzle>(target); other && carried) {
    for (const Ref<TPuzel>& member : carried->listaSpasowanych) {
      const int w = member->img ? member->img->width : 0;
      const int h = member->img ? member->img->height : 0;
      _sparkiSmarki(static_cast<int>(member->x), static_cast<int>(member->y), w, h);
    }
    listaPuzzli.Remove(other);
    listaPuzzli.Remove(carried);
    const GroupRef merged = grupaPolaczona(other, carried);
    listaPuzzli.AddLast(merged);
    result = merged;
    puzel = result;
  }
  puzel = nullptr;
  services_.Play(PlaySound::kGood);
  return result;
}

GroupRef TPuzzelGame::JoinByMembersRecord(const GroupRef& carried, const Ref<TPuzel>& piece) {
  // Only a member of the carried group knows the piece (the cutter's relation can be
  // one-sided where two pieces meet at a corner): that member's record places it.
  for (const Ref<TPuzel>& member : carried->listaSpasowanych) {
    const Ref<TSasiad> record = TSasiad::getByPuzel(*piece, *member);
    if (!record || !Fits(*member, *record, kSnapTolerance)) continue;
    SnapFrom(*piece, *member, *record);
    record->spasowany = 1;
    const GroupRef group = _dolacz(piece, carried);
    const int w = piece->img ? piece->img->width : 0, h = piece->img ? piece->img->height : 0;
    _sparkiSmarki(static_cast<int>(piece->x), static_cast<int>(piece->y), w, h);
    services_.Play(PlaySound::kGood);
    return group;
  }
  return nullptr;
}

GroupRef TPuzzelGame::grupaPolaczona(const GroupRef& a, const GroupRef& b) {
  if (a == b) return a;
  // Pass after pass, each piece of b that lies near its place beside a piece of a moves to
  // that exact place and joins a, until b is empty. The pieces of b move one by one relative
  // to their own neighbour in a, so rounding drift inside b does not carry over.
  while (!b->listaSpasowanych.IsEmpty()) {
    bool moved = false;
    const std::vector<Ref<TPuzel>> members = b->listaSpasowanych.ToArray();
    for (const Ref<TPuzel>& m : members) {
      bool joined = false;
      for (const Ref<TSasiad>& record : m->_sasiedzi) {
        const Ref<TPuzel> n = record->puzel.lock();
        if (!n || !a->zawiera(*n) || !Within(*m, *n, *record, kMergeTolerance)) continue;
        SnapTo(*m, *record);
        joined = true;
        break;
      }
      if (!joined) {
        // The cutter's neighbour relation can be one-sided: a piece of a may know m when m
        // does not know it. Its record places m just as well.
        for (const Ref<TPuzel>& n : a->listaSpasowanych) {
          const Ref<TSasiad> record = TSasiad::getByPuzel(*m, *n);
          if (!record || !Within(*n, *m, *record, kMergeTolerance)) continue;
          SnapFrom(*m, *n, *record);
          joined = true;
          break;
        }
      }
      if (joined) {
        a->listaSpasowanych.AddLast(m);
        b->listaSpasowanych.Remove(m);
        moved = true;
      }
    }
    if (!moved) break;
  }
  for (const Ref<TPuzel>& member : a->listaSpasowanych) member->_dShadowAlpha = 0;
  // Pieces that found no place in a (none do with groups built by these rules) are not lost:
  // two or more stay a group of their own, one is a loose piece again.
  if (b->listaSpasowanych.Count() >= 2) {
    listaPuzzli.AddLast(b);
  } else if (b->listaSpasowanych.Count() == 1) {
    const Ref<TPuzel> last = b->listaSpasowanych.First();
    last->_dShadowAlpha = 0;
    listaPuzzli.AddLast(last);
    b->listaSpasowanych.Clear();
  }
  return a;
}

void TPuzzelGame::upuscGrupe(const GroupRef& group) {
  puzel = nullptr;
  for (const Ref<TPuzel>& member : group->listaSpasowanych) member->_dShadowAlpha = 0;
}

void TPuzzelGame::_sparkiSmarki(int x, int y, int w, int h) {
  x -= 10;
  y -= 10;
  w -= 10;
  h -= 10;
  for (int i = 0; i < 15; ++i) {
    // The draws come in a fixed order, so a seed replays the same sparks.
    const int image = RandomInt(0, 2);
    const int sx = x + RandomInt(0, w);
    const int sy = y + RandomInt(0, h);
    const int lifetime = RandomInt(60, 120);
    const int green = RandomInt(50, 100);
    const int blue = RandomInt(50, 100);
    const auto spark =
        TSpark::Create(TSpark::Images()[image], sx, sy, 1.0f, lifetime, 100, green, blue, 1, 1);
    const float vx = RandomFloat(-0.5f, 0.5f);
    const float vy = RandomFloat(-0.5f, 0.5f);
    spark->setVelocity(vx, vy);
  }
}

}  // namespace orvela
