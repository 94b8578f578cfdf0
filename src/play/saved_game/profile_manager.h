// TProfileManager: keeps the player's saved game. At start-up it reads the profile when there
// is one and makes the default profile when there is none; as the play screen's GameKeeper it
// writes the game on the play screen as it is played (on S, after changes of the table at
// most once a second, and when the puzzle is finished), and when the play screen is left; it
// tells whether a puzzle can be continued, and rebuilds it. A profile that cannot be read is
// kept aside as "tobrin.prof.broken", reported once, and replaced by a fresh one. The file is
// written by a thread of its own, so that play never waits for the disk. It holds the play
// screen and the shape grid it keeps; the rest of the game it reaches through ProfileServices.
#pragma once

#include <string>

#include "engine/files/async_writer.h"
#include "engine/object.h"
#include "play/saved_game/game_keeper.h"

namespace orvela {

class ProfileServices;
class TKreatorKlockow;
class TPuzzelGame;

class TProfileManager : public TObject, public GameKeeper {
 public:
  // Keeps the game on that play screen, cut along that shape grid; both outlive the manager.
  TProfileManager(ProfileServices& services, TPuzzelGame& play, TKreatorKlockow& grid)
      : services_(services), play_(play), grid_(grid) {}

  // Writes of the game while it is played come at most this often.
  static constexpr int kSaveEveryMs = 1000;

  int setup() { return 0; }
  // Start-up: reads the header of the existing profile (1), or makes and writes the default
  // profile when there is none (0). An existing file is never written over unread; one that
  // cannot be read is kept aside first.
  int checkProfiles();
  // Writes the game to the profile (handed to the writer's thread: 1 handed over). A write
  // that fails is reported once a run.
  int saveProfile() override;
  // Waits until every write of the profile is on the disk, and reports a failed one.
  void flush();
  // The default profile ("Tobrin", "tobrin.prof", no game), an empty table, written.
  int askNewProfile();

  // A puzzle can be continued: the play screen holds one in play with at least two entries on
  // its table, or, when its table is empty, the profile file holds a started game with at
  // least two.
  bool gameInProgress();
  // Makes the play screen ready to resume that puzzle: as it is when it holds it, otherwise
  // rebuilt from the file. False when it cannot be; a broken file has then been kept aside
  // and reported and a fresh profile started, any other failure has been reported.
  bool continueGame();

  // A new puzzle was cut with cells of that size: the profile records it.
  void puzzleStarted(int cellW, int cellH) override;
  // The table changed (a drop, a clean-up): the game is written now, or once a second has
  // passed since the last write.
  void tableChanged() override;
  // Once a frame of play: writes a waiting change when its time has come.
  void saveWhenDue() override;
  // The puzzle is won or sorted up: no game is left to continue, and the profile says so.
  void gameFinished() override;
  // The play screen was left (by any road): the game is written.
  void playLeft();

 private:
  int SaveNow();
  // Tells the player, once a run, that a write has failed.
  void ReportFailures();
  // The file is kept aside, the player told, and a fresh profile started.
  void KeepBrokenAndStartFresh(const std::string& problem);

  ProfileServices& services_;
  TPuzzelGame& play_;
  TKreatorKlockow& grid_;
  AsyncFileWriter writer_;
  bool pending_ = false;           // a change of the table waits to be written
  bool saved_ = false;             // a write has been made in this run
  int last_save_ = 0;              // MilliClock time of the last write
  bool failure_reported_ = false;  // a failed write has been reported
  // A broken file that could not be moved aside is not written over.
  bool writes_blocked_ = false;
};

}  // namespace orvela
