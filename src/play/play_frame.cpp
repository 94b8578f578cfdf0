// TPuzzelGame: one frame of play. The states step their animations, the carried object
// follows the pointer, a click or a release drops it, and the last drop of a game wins it.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/engine.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "play/saved_game/game_keeper.h"
#include "play/selection.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

// The drag rule: a pick-up held down longer than this becomes a drag that ends on release.
constexpr int kDragAfterMs = 500;

}  // namespace

void TPuzzelGame::update() {
  const float f = FrameFactor();
  if (_stan == "GRA") {
    if (paused == 0 && !waitForRelease_) updateGame();
    if (waitForRelease_ && !(GlobalMouse() && GlobalMouse()->leftHolded)) waitForRelease_ = false;
    timeUpdate();
  } else if (_stan == "WIN" || _stan == "AUTOWIN") {
    ApproachTarget(_obrAlpha, _obrDAlpha, 0.005f * f);
    if (_obrAlpha == 1) _stan = _stan == "WIN" ? "SHOWWININFO" : "SHOWENDINFO";
  } else if (_stan == "AUTO") {
    int home = 0;
    for (const Ref<TObject>& entry : listaPuzzli) {
      if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
        piece->updateCurve();
        if (piece->t == 1) ++home;
      }
    }
    if (home == listaPuzzli.Count()) {
      _stan = "AUTOWIN";
      _obrDAlpha = 1;
      _obrx = 400 - (obr ? obr->width / 2 : 0);
      _obry = 300 - (obr ? obr->height / 2 : 0);
    }
  } else if (_stan == "SHOWWININFO") {
    _stan = "WININFO";
    _infoKoncowe();
  } else if (_stan == "SHOWENDINFO") {
    _stan = "ENDINFO";
    _infoKoncowe();
  } else if (_stan == "ENDINFO" || _stan == "WININFO") {
    if (_infoAlpha < _dInfoAlpha) _infoAlpha = std::min(_infoAlpha + 0.005f * f, _dInfoAlpha);
    _imgShowUpdate();
  } else if (_stan == "SHOWIMG-END") {
    _imgShowUpdate();
  } else if (_stan == "HIDEIMG-END") {
    _imgShowUpdate();
    if (_imgScale == _dImgScale) _stan = "ENDINFO";
  }
  if (_stan != "GRA") timeUpdate();  // stops the clock
  ApproachTarget(fade, dFade, 0.05f * f);
}

void TPuzzelGame::updateGame() {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return;
  if (!puzel) {
    if (pressOnBar) return;  // the press is a bar button's
    // Nothing carried: every entry tests the pointer; a click picks the entry up.
    const std::vector<Ref<TObject>> entries = listaPuzzli.ToArray();
    for (const Ref<TObject>& entry : entries) {
      if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
        piece->update(_scale, 0, 0);
      } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
        group->update(_scale);
        if (group->_clicked) {
          setPuzzel(Ref<TObject>(group));
          // The grab offset keeps its sign, so the group stays under the pointer wherever it
          // was grabbed (its reference point can lie right of or below the pointer).
          group->w = static_cast<float>(mouse->x) - group->x;
          group->h = static_cast<float>(mouse->y) - group->y;
        }
      }
    }
    return;
  }
  const auto piece = std::dynamic_pointer_cast<TPuzel>(puzel);
  const auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(puzel);
  const auto selection = std::dynamic_pointer_cast<TZaznaczenie>(puzel);
  if (piece) {
    const int w = piece->img ? piece->img->width : 0, h = piece->img ? piece->img->height : 0;
    piece->x = static_cast<float>(mouse->x - w / 2);
    piece->y = static_cast<float>(mouse->y - h / 2);
  } else if (group) {
    group->move(static_cast<int>(static_cast<float>(mouse->x) - group->w),
                static_cast<int>(static_cast<float>(mouse->y) - group->h));
    for (const Ref<TPuzel>& member : group->listaSpasowanych) member->alphaUpdate();
  } else if (selection) {
    // The selection was lifted where the pointer let the band go; it follows the pointer's
    // movement from there, so it stays where it lies until the pointer moves.
    selection->move(mouse->x, mouse->y);
  }
  if (pressOnBar) {
    // A bar button's press neither drops nor turns the pick-up into a drag.
  } else if (!selection) {
    if (mouse->leftHolded) {
      if (MilliBetween(holdedTime, MilliClock()) > kDragAfterMs) puzzelHolded = 1;
    } else if (puzzelHolded == 1) {
      _upuscPuzel();
    }
  }
  if (puzel && mouse->leftPressed && puzzelHolded == 0 && !pressOnBar) _upuscPuzel();
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto loose = std::dynamic_pointer_cast<TPuzel>(entry)) loose->alphaUpdate();
  }
}

void TPuzzelGame::checkMouse() {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return;
  if (mouse->leftHolded) {
    if (!puzel && !pressOnBar) _zaznaczanie();
    return;
  }
  if (xz != -1) {
    puzel = zazn;
    if (zazn) {
      zazn->x = mouse->x;  // carried from where the pointer let the band go
      zazn->y = mouse->y;
      for (const Ref<TObject>& entry : zazn->listaZaznaczonych) {
        if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) piece->_dShadowAlpha = 1;
      }
    }
  }
  xz = yz = -1;
}

void TPuzzelGame::followBarPress() {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse) return;
  if (mouse->leftPressed) {
    pressOnBar = OverBarButton() ? 1 : 0;
  } else if (!mouse->leftHolded) {
    pressOnBar = 0;
  }
}

bool TPuzzelGame::OverBarButton() const {
  const MouseRef& mouse = GlobalMouse();
  if (!mouse || !menu || !menu->visible) return false;
  const float px = static_cast<float>(mouse->x), py = static_cast<float>(mouse->y);
  for (const ButtonRef& button : menu->items) {
    if (button && button->visible && button->dim && button->dim->InXY(px, py)) return true;
  }
  return false;
}

void TPuzzelGame::KeepBelowBar(const Ref<TObject>& dropped) {
  auto top_of = [](const TList<TPuzel>& pieces) {
    float top = static_cast<float>(kBarBottom);
    for (const Ref<TPuzel>& piece : pieces) top = std::min(top, piece->y);
    return top;
  };
  if (auto selection = std::dynamic_pointer_cast<TZaznaczenie>(dropped)) {
    for (const Ref<TObject>& entry : selection->listaZaznaczonych) {
      if (std::dynamic_pointer_cast<TPuzel>(entry)) KeepBelowBar(entry);
    }
    return;
  }
  GroupRef group = std::dynamic_pointer_cast<TSpasowanePuzle>(dropped);
  const auto piece = std::dynamic_pointer_cast<TPuzel>(dropped);
  if (piece && !group) group = _wGrupie(*piece);  // the piece joined a group: move it whole
  if (group) {
    const float down = static_cast<float>(kBarBottom) - top_of(group->listaSpasowanych);
    if (down <= 0) return;
    group->y += down;
    for (const Ref<TPuzel>& member : group->listaSpasowanych) member->y += down;
  } else if (piece && piece->y < static_cast<float>(kBarBottom)) {
    piece->y = static_cast<float>(kBarBottom);
  }
}

void TPuzzelGame::_upuscPuzel() {
  const Ref<TObject> dropped = puzel;
  if (auto piece = std::dynamic_pointer_cast<TPuzel>(puzel)) {
    if (spasowany(*piece)) {
      if (const Ref<TObject> joined = spasuj()) {
        puzel = joined;
        _upuscPuzel();  // the group the piece joined may fit more
      }
    } else {
      upusc(piece);
    }
  } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(puzel)) {
    const Ref<TObject> target = spasowanePuzle(group);
    const int entries = listaPuzzli.Count();
    const Ref<TObject> joined = target ? spasujGrupe(target) : nullptr;
    if (!joined) {
      upuscGrupe(group);
    } else if (listaPuzzli.Count() < entries) {
      // Each further round needs a join that left fewer entries on the table; a join that
      // could not move a single piece ends the drop instead of trying again for ever.
      puzel = joined;
      _upuscPuzel();
    }
  } else if (auto selection = std::dynamic_pointer_cast<TZaznaczenie>(puzel)) {
    for (const Ref<TObject>& entry : selection->listaZaznaczonych) {
      if (auto loose = std::dynamic_pointer_cast<TPuzel>(entry)) loose->_dShadowAlpha = 0;
    }
    puzel = nullptr;
  }
  puzel = nullptr;
  KeepBelowBar(dropped);
  sprawdzCzyUlozone();
  holdedTime = MilliClock();
  puzzelHolded = 0;
  services_.Play(PlaySound::kClick);
  if (keeper) keeper->tableChanged();
}

void TPuzzelGame::sprawdzCzyUlozone() {
  // Only a game in play can be won: a chained drop checks once per join, and the win
  // sequence starts once.
  if (_stan == "GRA" && listaPuzzli.Count() == 1) _wygrana();
}

void TPuzzelGame::_wygrana() {
  // The time up to this moment is the puzzle's; it is kept when it is the picture's best.
  timeUpdate();
  playClock.Stop();
  joinsMade_ = progress().second;
  winTime = WinTime{};
  if (clockComplete) {
    const PlayServices::FinishTime record = services_.RecordTime(playSeconds());
    winTime = {true, playSeconds(), record.best_before, record.new_best};
  }
  services_.Play(PlaySound::kInfo);
  if (keeper) keeper->gameFinished();
  _stan = "WIN";
  _obrAlpha = 0;
  _obrDAlpha = 1;
  _obrx = 400 - (obr ? obr->width / 2 : 0);
  _obry = 300 - (obr ? obr->height / 2 : 0);
  const Ref<TObject> last = listaPuzzli.First();
  auto place = [&](TPuzel& piece) {
    piece.x = piece.xD + static_cast<float>(_obrx);
    piece.y = piece.yD + static_cast<float>(_obry);
  };
  if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(last)) {
    group->x = group->y = 0;
    for (const Ref<TPuzel>& piece : group->listaSpasowanych) place(*piece);
  } else if (auto piece = std::dynamic_pointer_cast<TPuzel>(last)) {
    place(*piece);  // a one-piece puzzle
  }
}

void TPuzzelGame::_infoKoncowe() {
  _dInfoAlpha = 1;
  _imgScale = _scale;
  const float window_width = infoWin ? static_cast<float>(infoWin->width) : 0.0f;
  const float picture_width = obr ? static_cast<float>(obr->width) : 0.0f;
  _dImgScale = window_width / (picture_width + 240);
  infoMenu->GetItem(1)->SetState(1, 1);
  listaPuzzli.Clear();
}

}  // namespace orvela
