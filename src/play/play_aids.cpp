// TPuzzelGame: the player's aids. The rubber band that selects several pieces, the hint that
// marks two pieces belonging together, the ghost picture under the pieces, sort up (every
// piece flies home after a confirmation), clean up (loose pieces laid round the screen edge)
// and the zoom of the picture in the information window.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/engine.h"
#include "engine/random.h"
#include "play/message_window.h"
#include "play/play_screen.h"
#include "play/saved_game/game_keeper.h"
#include "play/selection.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

void TPuzzelGame::_zaznaczanie() {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return;
  if (xz == -1) {
    // A new band starts with no selection: the one just put down must not be lifted again
    // when this band is let go before it has selected anything.
    xz = mouse->x;
    yz = mouse->y;
    wz = hz = 0;
    zazn = nullptr;
    return;
  }
  auto selection = std::make_shared<TZaznaczenie>();
  wz = mouse->x - xz;
  hz = mouse->y - yz;
  int min_x = 800, min_y = 600, max_x = 0, max_y = 0;
  for (const Ref<TObject>& entry : listaPuzzli) {
    int v = 0, w = 0;
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      if (piece->wObszarze(xz, yz, wz, hz)) {
        selection->listaZaznaczonych.AddLast(entry);
        v = static_cast<int>(piece->x);
        w = static_cast<int>(piece->y);
      }
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      if (group->wObszarze(xz, yz, wz, hz)) {
        selection->listaZaznaczonych.AddLast(entry);
        v = static_cast<int>(group->x);
        w = static_cast<int>(group->y);
      }
    }
    // Entries outside the band count with (0, 0), as the spread has always been measured.
    min_y = std::min(min_y, w);
    min_x = std::min(min_x, v);
    max_x = std::max(max_x, v);
    max_y = std::max(max_y, w);
  }
  selection->x = selection->y = 0;
  selection->w = std::abs(max_x - min_x) / 2;
  selection->h = std::abs(max_y - min_y) / 2;
  zazn = selection->listaZaznaczonych.IsEmpty() ? nullptr : selection;
}

void TPuzzelGame::_giveHint() {
  // Pairs of neighbours that are not yet in one group; with every piece in one group (the win
  // fade) there is none and the hint does nothing.
  std::vector<std::pair<Ref<TPuzel>, Ref<TPuzel>>> open_pairs;
  for (const Ref<TPuzel>& piece : listaPomocnicza) {
    const GroupRef own = _wGrupie(*piece);
    for (const Ref<TSasiad>& record : piece->_sasiedzi) {
      const Ref<TPuzel> other = record->puzel.lock();
      if (!other) continue;
      const GroupRef others = _wGrupie(*other);
      if (!own || !others || own != others) open_pairs.emplace_back(piece, other);
    }
  }
  if (open_pairs.empty()) return;
  // Random draws as the hint has always made them: a piece, then one of its records, again
  // until the pair is open. Open pairs exist, so each round has a fair chance to end; the
  // rounds are bounded all the same, and the last resort is an open pair picked at random.
  const int count = listaPomocnicza.Count();
  Ref<TPuzel> s, r;
  for (int round = 0; round < 10000 && !r; ++round) {
    const Ref<TPuzel> candidate = listaPomocnicza.ValueAtIndex(RandomInt(1, count) - 1);
    if (!candidate || candidate->_sasiedzi.IsEmpty()) continue;
    const int e = RandomInt(1, candidate->_sasiedzi.Count());
    const Ref<TPuzel> partner = candidate->_sasiedzi.ValueAtIndex(e - 1)->puzel.lock();
    if (!partner) continue;
    const GroupRef gs = _wGrupie(*candidate), gr = _wGrupie(*partner);
    if (!gs || !gr || gs != gr) s = candidate, r = partner;
  }
  if (!r) {
    const auto& pair =
        open_pairs[static_cast<size_t>(RandomInt(0, static_cast<int>(open_pairs.size()) - 1))];
    s = pair.first;
    r = pair.second;
  }
  TPuzel::oczysc();
  r->_oznaczony = 1;
  s->_oznaczony = 1;
  // Marked pieces that lie loose come to the top, where the player can see them blink.
  for (const Ref<TPuzel>& marked : {s, r}) {
    if (listaPuzzli.Remove(marked)) listaPuzzli.AddLast(marked);
  }
}

void TPuzzelGame::checkGhost() {
  _ghost = 1 - _ghost;
}

void TPuzzelGame::drawGhost() {
  if (!obr) return;
  SetAlpha(0.5f);
  SetColor(255, 255, 255);
  SetDrawScale(_scale, _scale);
  DrawImageFrame(obr, 400 - static_cast<float>(obr->width) * _scale / 2,
                 300 - static_cast<float>(obr->height) * _scale / 2, 0);
}

void TPuzzelGame::_uluz() {
  playClock.Stop();  // the time the question is open is not played
  if (messageWindow) {
    messageWindow->setMessage(0);
    if (messageWindow->mainLoop() == 0) return;
  }
  // A puzzle sorted up is finished without a time, and with the joins the player made.
  joinsMade_ = progress().first;
  winTime = WinTime{};
  if (keeper) keeper->gameFinished();
  _stan = "AUTO";
  puzel = nullptr;
  xz = yz = -1;
  // Every group dissolves: its pieces become loose entries, in the list's order.
  std::vector<Ref<TPuzel>> pieces;
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) pieces.push_back(piece);
  }
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      for (const Ref<TPuzel>& member : group->listaSpasowanych) pieces.push_back(member);
    }
  }
  listaPuzzli.Clear();
  const float w = obr ? static_cast<float>(obr->width) : 0.0f;
  const float h = obr ? static_cast<float>(obr->height) : 0.0f;
  for (const Ref<TPuzel>& piece : pieces) {
    listaPuzzli.AddLast(piece);
    piece->t = 0;
    const int mx = RandomInt(0, 800);
    const int my = RandomInt(0, 600);
    piece->mx = static_cast<float>(mx);
    piece->my = static_cast<float>(my);
    piece->xD += 400 - w * _scale / 2;
    piece->yD += 300 - h * _scale / 2;
  }
}

void TPuzzelGame::poukladajPuzzle() {
  std::vector<Ref<TPuzel>> loose;
  int min_w = 800, min_h = 600;
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      loose.push_back(piece);
      if (piece->img) {
        min_w = std::min(min_w, piece->img->width);
        min_h = std::min(min_h, piece->img->height);
      }
    }
  }
  int x = 0, y = 31, dx = min_w, dy = 0, k = 1;
  for (const Ref<TPuzel>& piece : loose) {
    piece->x = static_cast<float>(x);
    piece->y = static_cast<float>(y);
    x += dx;
    y += dy;
    if (!przerzucic(k, x, y, min_w, min_h)) continue;
    // After six laps (leg 25) the walk no longer turns: it goes on up the left edge.
    if (++k > 24) continue;
    switch (k % 4) {
      case 1:  // along the top, rightward
        dx = min_w, dy = 0;
        y = k + 31;
        x = RandomInt(1, 5);
        break;
      case 2:  // down the right edge
        dx = 0, dy = min_h;
        y = RandomInt(1, 5) + 31 + min_h;
        x = 800 - (min_w + k);
        break;
      case 3:  // along the bottom, leftward
        dx = -min_w, dy = 0;
        y = 600 - (min_h + k);
        x = 800 - min_w;
        break;
      default:  // up the left edge
        dx = 0, dy = -min_h;
        y = 600 - min_h;
        x = RandomInt(1, 5);
        break;
    }
  }
  // The laid-out pieces come to the top of the table, in the walk's order, so that none of
  // them lies hidden under a group.
  for (const Ref<TPuzel>& piece : loose) {
    listaPuzzli.Remove(piece);
    listaPuzzli.AddLast(piece);
  }
  if (keeper) keeper->tableChanged();
}

bool TPuzzelGame::przerzucic(int k, int x, int y, int w, int h) {
  if (k < 1 || k > 24) return false;
  switch (k % 4) {
    case 1:
      return x > 800 - w / 2;
    case 2:
      return y > 600 - h / 2;
    case 3:
      return x < w / 2;
    default:
      return y < h / 2 + 31;
  }
}

void TPuzzelGame::_showHide() {
  if (_stan == "WININFO" || _stan == "ENDINFO") {
    _dImgScale = 1;
    _stan = "SHOWIMG-END";
  } else if (_stan == "SHOWIMG-END") {
    const float window_width = infoWin ? static_cast<float>(infoWin->width) : 0.0f;
    const float picture_width = obr ? static_cast<float>(obr->width) : 0.0f;
    _dImgScale = window_width / (picture_width + 240);
    _stan = "HIDEIMG-END";
  }
}

void TPuzzelGame::_imgShowUpdate() {
  ApproachTarget(_imgScale, _dImgScale, 0.005f * FrameFactor());
}

}  // namespace orvela
