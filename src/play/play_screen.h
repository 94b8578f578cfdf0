// TPuzzelGame: the play screen. It holds the pieces of the puzzle being played, runs the
// frame loop of a game, carries what the player picked up (a piece, a group or a rubber-band
// selection), drops it and has it snapped, detects the win and plays the win sequence (the
// solved puzzle centred, the picture fading in, the information window), and drives the play
// bar and the play clock. It is the pieces' host: they ask it which piece is on top and tell
// it when they are clicked. It reaches the game around it only through PlayServices, and
// keeps its game saved by telling its GameKeeper what happens on the table.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "construction/piece.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/loading.h"
#include "engine/object.h"
#include "engine/render/still_layer.h"
#include "play/group.h"
#include "play/play_clock.h"
#include "ui/menu.h"

namespace orvela {

class GameKeeper;
class PlayServices;
class TMessageWindow;
class TZaznaczenie;

class TPuzzelGame : public TObject, public PieceHost {
 public:
  explicit TPuzzelGame(PlayServices& services);
  ~TPuzzelGame() override;
  TPuzzelGame(const TPuzzelGame&) = delete;
  TPuzzelGame& operator=(const TPuzzelGame&) = delete;

  // The play list: every loose piece (TPuzel) and every group (TSpasowanePuzle) on the table,
  // in drawing order, first = bottom.
  TList<TObject> listaPuzzli;
  TList<TPuzel> listaPomocnicza;  // every piece of the puzzle, in creation order
  int xz = -1, yz = -1;           // start corner of the rubber band; -1 when none
  int hz = 0, wz = 0;             // its signed height and width
  Ref<TObject> puzel;             // what is carried: a piece, a group, a selection or null
  ImageRef obr;                   // the whole picture
  ImageRef belka;                 // the play background
  int wyjdz = 0;
  float _scale = 1;
  int _adX = 0, _adY = 0;
  float _obrAlpha = 0, _obrDAlpha = 0;  // the picture over the pieces at the win
  int _obrx = 0, _obry = 0;
  float _infoAlpha = 0, _dInfoAlpha = 0;  // the information window
  MenuRef infoMenu;                       // its OK button
  ImageRef infoWin;
  int imgOver = 0;  // the pointer is over the picture in the information window
  std::string _stan = "GRA";
  float fade = 0, dFade = 0;    // the black cover
  int minuty = 0, sekundy = 0;  // the play clock as the bar shows it
  // The time played: it runs only in play, not while paused, and keeps across leaving the
  // screen and (through the saved game) across runs; a new puzzle starts it at zero.
  PlayClock playClock;
  // 1 while the game is paused (P, or the window out of view): the clock stops and a cover
  // hides the table until a click or P.
  int paused = 0;
  // False for a game saved before the time was kept: its time is not all of it, so its win
  // records no time.
  bool clockComplete = true;
  MenuRef menu;  // the play bar
  int _ghost = 0;
  int _dokad = 0;
  std::shared_ptr<TZaznaczenie> zazn;  // the selection the rubber band is building
  int holdedTime = 0;                  // MilliClock time of the last pick-up or drop
  int puzzelHolded = 0;                // held longer than 500 ms: a drag
  float _imgScale = 1, _dImgScale = 1;
  int pressOnBar = 0;  // the left button went down on a bar button and is still down

  // The play bar's bottom edge: nothing put down comes to rest above it.
  static constexpr int kBarBottom = 31;

  // The last win: its time, and the best time of the picture before it (-1: none), whether it
  // beat it; timed is false when the puzzle was sorted up (no time is recorded then).
  struct WinTime {
    bool timed = false;
    int seconds = 0;
    int best_before = -1;
    bool new_best = false;
  } winTime;

  // The question asked before sort up; installed by the game.
  TMessageWindow* messageWindow = nullptr;
  // Keeps the game on the table saved (the profile manager); installed by the game. None: the
  // game is not kept.
  GameKeeper* keeper = nullptr;

  // ---- the screen ----
  void clear();
  void setup();
  void setupInfo();
  int moznaOver(const TPuzel& piece) override;
  // Builds a saved puzzle's pieces again; their places are then set by the profile.
  void continueGame(const Source& picture, const PixmapRef& maskA, const PixmapRef& maskB,
                    int cellW, int cellH);
  // Cuts the picture along the masks into a new puzzle and scatters the pieces.
  void startNewGame(const Source& picture, const PixmapRef& maskA, const PixmapRef& maskB,
                    int cellW, int cellH);
  void rozlokujPuzzle();
  void setLoop();
  // Runs the game until the player leaves; entering again resumes the same table.
  void mainLoop();
  void exitGame();
  void setPuzzel(const Ref<TPuzel>& piece) override;
  void setPuzzel(const Ref<TObject>& carried);
  // The play list without that entry, order kept.
  void _wyrzuc(const Ref<TObject>& entry);

  // ---- one frame ----
  void update();
  void updateGame();
  // Runs the clock in play (not paused), stops it in every other state.
  void timeUpdate();
  // The time played in whole seconds; setting it stops the clock there.
  int playSeconds() const { return playClock.Seconds(); }
  void setPlaySeconds(int seconds);
  // Joins made and joins the puzzle needs (one fewer than its pieces): a join of two pieces or
  // groups leaves one entry fewer on the table. Sort up makes none; a win makes them all.
  std::pair<int, int> progress() const;
  // The pause: P and the window going out of view pause play; a click or P go on.
  void pause();
  void resume();
  // Once a frame, first: pauses when the window has gone out of view since the last frame.
  void checkFocus();
  // After the frame: P or a click while paused go on (the click does nothing else); P in
  // play pauses. True when the frame's input was the pause's.
  bool pauseKeys();
  void checkMouse();
  // Notes whether this frame's press went down on a bar button: such a press is the button's
  // alone, it neither picks up, drops nor starts a rubber band.
  void followBarPress();
  void _upuscPuzel();
  void sprawdzCzyUlozone();
  void _wygrana();
  void _infoKoncowe();

  // ---- drawing ----
  void draw();
  // Draws the play list's entries first … end - 1 (end -1: to the last), numbering every
  // entry's pieces in drawing order from the bottom whether drawn or not.
  void drawPuzzels(int first = 0, int end = -1);
  void drawDonePuzzels();
  void drawPuzel();
  void drawimg();
  void drawWinInfo();
  // The win's time in the information window, with the picture's best time.
  void drawWinTime();
  void rysujBelke();
  // The joins made out of those needed, on a tab under the bar's clock (after the pieces).
  void drawProgress();
  // The pause's cover over the table.
  void drawPause();
  // The play clock as the bar shows it: "mm:ss".
  std::string ClockText() const;

  // ---- snapping and groups ----
  int spasowany(const TPuzel& piece) const;
  Ref<TObject> spasuj();
  void _ustawSasiada(TPuzel& piece, TSasiad& record);
  GroupRef _wGrupie(const TPuzel& piece) const;
  GroupRef _stworzGrupe(const Ref<TPuzel>& a, const Ref<TPuzel>& b);
  GroupRef _dolacz(const Ref<TPuzel>& piece, const GroupRef& group);
  void upusc(const Ref<TPuzel>& piece);
  Ref<TObject> spasowanePuzle(const GroupRef& carried) const;
  static bool listaZawiera(const TList<TPuzel>& list, const TPuzel& piece);
  Ref<TObject> spasujGrupe(const Ref<TObject>& target);
  GroupRef grupaPolaczona(const GroupRef& a, const GroupRef& b);
  void upuscGrupe(const GroupRef& group);
  void _sparkiSmarki(int x, int y, int w, int h);

  // ---- play aids ----
  void _zaznaczanie();
  void _giveHint();
  void checkGhost();
  void drawGhost();
  void _uluz();
  void poukladajPuzzle();
  static bool przerzucic(int k, int x, int y, int w, int h);
  void _showHide();
  void _imgShowUpdate();

  // ---- the pieces' host ----
  const TList<TPuzel>& allPieces() const override { return listaPomocnicza; }
  Ref<TObject> groupOf(const TPuzel& piece) override { return _wGrupie(piece); }

  PlayServices& services() { return services_; }
  // The still layer of the table (its background and resting entries).
  const StillLayer& stillTable() const { return stillTable_; }

 private:
  // 1 when the pointer is over a shown button of the bar.
  bool OverBarButton() const;
  // Moves what was put down (a piece, the group it joined, a group, or a selection's loose
  // pieces) straight down until no part of it lies above the bar's bottom edge; a group
  // moves whole.
  void KeepBelowBar(const Ref<TObject>& dropped);
  // What the frame's input does in play (not paused): the keys Space, S and H, the bar's
  // button a, the information window's button b, and the mouse.
  void FrameInput(int a, int b, bool space, bool save, bool hint);
  // Joins a loose piece to the carried group through a member's record of it.
  GroupRef JoinByMembersRecord(const GroupRef& carried, const Ref<TPuzel>& piece);
  // The table's background, ghost picture and resting bottom entries, from the still layer
  // (drawn again when they changed); returns how many play-list entries it showed.
  int drawStillTable();
  // Whether the entry lies still on the table: not carried, no shadow showing or rising, no
  // blinking mark, clear of the bar.
  bool restsStill(const TObject& entry) const;
  // Takes the cutter's pieces after a cut (both starts share this).
  bool CutPieces(const Source& picture, const PixmapRef& maskA, const PixmapRef& maskB, int cellW,
                 int cellH);

  PlayServices& services_;
  ImageRef progressTab_, pauseLabel_, newBestBadge_;
  int focusLossesSeen_ = 0;      // the window's losses of the focus seen so far
  bool waitForRelease_ = false;  // the click that ended a pause is held: it does nothing
  int joinsMade_ = 0;            // the progress once play has ended (a win or sort up)
  StillLayer stillTable_;        // the table's background and resting entries
};

}  // namespace orvela
