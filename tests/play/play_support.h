// Test support for the play screen: a PlayServices that records what the play screen asks of
// the game around it, a GameKeeper that records what it tells the keeper of its saved game,
// and a fixture with a play screen over a synthetic puzzle of solid rectangles whose neighbour
// records are those of a plain grid.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "construction/cutter.h"
#include "construction/piece.h"
#include "play/game_statics.h"
#include "play/message_window.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "play/saved_game/game_keeper.h"
#include "support/headless.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela::testing {

class FakePlayServices : public PlayServices {
 public:
  FakePlayServices();

  ScreenLoop Loop() override { return ScreenLoop(*timer, mouse.get(), 1.0f); }
  void SoundUpdate() override { ++sound_updates; }
  void Play(PlaySound sound) override { sounds.push_back(sound); }
  void OpenSettings() override { ++settings_opened; }
  FontRef Font(FontSize size) override;
  TRozcinacz& Cutter() override { return cutter; }
  FinishTime RecordTime(int seconds) override {
    recorded.push_back(seconds);
    return finish_time;
  }

  std::shared_ptr<TDeltaTime> timer = TDeltaTime::Create(60);
  MouseRef mouse = std::make_shared<TMouse>();
  TRozcinacz cutter;
  FontRef small_font, middle_font;
  std::vector<PlaySound> sounds;
  int sound_updates = 0;
  int settings_opened = 0;
  std::vector<int> recorded;  // the times of the wins
  FinishTime finish_time;     // what RecordTime answers
};

class FakeGameKeeper : public GameKeeper {
 public:
  void puzzleStarted(int, int) override {}
  int saveProfile() override {
    ++saves;
    return 1;
  }
  void tableChanged() override { ++table_changes; }
  void saveWhenDue() override { ++save_checks; }
  void gameFinished() override { ++finished; }

  int saves = 0;
  int table_changes = 0;
  int save_checks = 0;
  int finished = 0;
};

class PlayTest : public HeadlessTest {
 protected:
  // With draws_pixels the play screen draws on the software canvas (slow under the
  // sanitizers); otherwise through the null renderer.
  explicit PlayTest(bool draws_pixels = false);
  ~PlayTest() override;

  // A cols × rows puzzle of cell × cell pieces (id = row · cols + col), every piece lying at
  // its solved place shifted by (ox, oy), loose, in id order; each piece knows its edge
  // neighbours, right, left, below, above.
  void MakePuzzle(int cols, int rows, int cell, float ox = 100, float oy = 100);
  Ref<TPuzel> Piece(int id) const;
  // Puts the piece at its solved place relative to the first piece of the group (or piece)
  // `anchor`, shifted by (dx, dy).
  void PlaceBeside(const Ref<TPuzel>& piece, const Ref<TPuzel>& anchor, float dx = 0, float dy = 0);
  // Carries the piece or group and drops it as a click would.
  void Drop(const Ref<TObject>& carried);
  GroupRef GroupOf(int id) const { return play->_wGrupie(*Piece(id)); }
  // Lays the pieces out apart in rows of six, `step` pixels from one to the next.
  void SpreadInRows(float step, float left) {
    for (int id = 0; id < play->listaPomocnicza.Count(); ++id) {
      Piece(id)->x = step * static_cast<float>(id % 6) + left;
      Piece(id)->y = 150.0f * static_cast<float>(id / 6) + 100;
    }
  }

  // Runs the play screen's loop, calling on_frame(n) after every shown frame until the loop
  // ends or StopPlay() is called.
  int RunPlay(const std::function<void(int frame)>& on_frame);
  [[noreturn]] static void StopPlay();
  static constexpr int kFadedIn = 22;  // the frame by which the play screen has faded in
  // Input read by the next frame.
  void MoveTo(int x, int y) { platform().QueueMouseMove(x, y); }
  void Press(int x, int y);
  void Release() { platform().QueueMouseButton(1, false); }
  void Key(int code);

  GameStatics statics;  // clean game-level state, made first and gone last
  FakePlayServices services;
  FakeGameKeeper keeper;
  std::unique_ptr<TPuzzelGame> play;
  std::unique_ptr<TMessageWindow> message;
  int cell_ = 0;
};

}  // namespace orvela::testing
