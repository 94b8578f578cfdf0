// TProfile: the player's profile and saved game. It records the puzzle being played (the
// player's name, the picture, the shape grid's cut lines, where every loose piece and group
// lies) in a TSC file in the per-user folder, and rebuilds that puzzle from the file: the cut
// runs again along the saved lines, so the pieces come back with the same shapes and ids. The
// play screen and the shape grid it writes or rebuilds are given to each save and rebuild;
// the per-user folder and the picture sets it reaches through ProfileServices.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/object.h"
#include "formats/tsc_records.h"

namespace orvela {

class AsyncFileWriter;
class ProfileServices;
class TKreatorKlockow;
class TPuzel;
class TPuzzelGame;
class ProfileSections;
class TSCTextWriter;

class TProfile : public TObject {
 public:
  // Without services a profile only holds its fields: it has no file to read or write.
  explicit TProfile(ProfileServices* services = nullptr) : services_(services) {}

  std::string _url;     // the profile's file name
  std::string _name;    // the player's name
  std::string _gfxUrl;  // the picture being played
  int _level = -1;      // -1: no game; 0: a game has been started
  int _w = 0, _h = 0;   // the shape grid's cell width and height
  // The time the saved game had been played, in whole seconds (read from the file; a save
  // writes the play screen's).
  int playSeconds = 0;

  // The file names and limits of saved games.
  static constexpr const char* kDefaultFile = "tobrin.prof";
  static constexpr const char* kDefaultName = "Tobrin";
  // A profile of the game's largest set is under a megabyte; a file far larger is no profile
  // the game wrote, and is not read.
  static constexpr int64_t kMaxFileBytes = 8 << 20;
  // No set has more than about 34 000 cut-line segments; a count far beyond is no puzzle's.
  static constexpr int kMaxLines = 100000;
  // Saved places further off the screen than this are no places the game gave a piece.
  static constexpr int kFarthest = 10000;

  // 1 when a game can be continued (_level is not -1).
  int grywalny() const { return _level != -1 ? 1 : 0; }
  // The profile file: userDir + "/profiles/" + _url; "" without a per-user folder or a name.
  std::string path() const;

  // Writes the whole profile with the game on the play screen, cut along the shape grid's
  // lines, to its file, which is replaced atomically. 1 when written; 0 when there is no
  // per-user folder or the file could not be written (the old one is whole).
  int save(const TPuzzelGame& play, const TKreatorKlockow& grid);
  // The same, with the file written and replaced by the writer's thread, so that the caller
  // does not wait for the disk; 1 when handed over (a failed write the writer reports).
  int saveInBackground(AsyncFileWriter& writer, const TPuzzelGame& play,
                       const TKreatorKlockow& grid);
  // The text save writes: the header, then the three sections.
  std::string fileText(const TPuzzelGame& play, const TKreatorKlockow& grid) const;
  void _saveShapes(TSCTextWriter& file, const TKreatorKlockow& grid) const;
  void _savePuzzels(TSCTextWriter& file, const TPuzzelGame& play) const;
  void _saveGroups(TSCTextWriter& file, const TPuzzelGame& play) const;

  // Reads the header from the file: the name, the picture, the level and the cell size. 1 when
  // read; 0 when the file could not be read or holds a game of a picture that is none of the
  // game's sets (see problem()).
  int load();
  // Rebuilds the saved puzzle on the play screen from the file, header included: the cut lines
  // become the shape grid, the picture is cut along them, and the pieces and groups are put
  // where they were (entries that name no piece, or a place far off the screen, are skipped;
  // an entry off the table is brought onto it).
  // 1 when the play screen holds the game; 0 when not (see problem()). A file found wrong
  // before the rebuild began leaves the play screen, the cutter and the grid as they were; one
  // found wrong during it leaves them empty, never half-built.
  int loadData(TPuzzelGame& play, TKreatorKlockow& grid);
  // Steps of loadData over the file's sections.
  void _loadShapes(const ProfileSections& file, TKreatorKlockow& grid, int width, int height);
  // The picture cut along the grid's lines, drawn as the mask; the image is the whole picture
  // (null: made here).
  void _createPuzzels(TPuzzelGame& play, const PixmapRef& picture, const ImageRef& image,
                      const PixmapRef& mask);
  void _loadPuzzels(const ProfileSections& file, TPuzzelGame& play);
  void _loadGroups(const ProfileSections& file, TPuzzelGame& play);

  // Why the last load or loadData failed, "" after a success.
  const std::string& problem() const { return problem_; }
  // Whether that failure was the file's own (unreadable, or not a game this game wrote): it is
  // then broken. Other failures (a missing picture) leave the file as good as it was.
  bool broken() const { return broken_; }
  // What the file held when last read or written: its level, and how many entries (loose
  // pieces and groups) lay on its table.
  int fileLevel() const { return file_level_; }
  int fileEntries() const { return file_entries_; }

 private:
  // Records what the file holds after a save of a table with that many entries.
  void NoteSaved(int entries);
  // Clears the last problem; false (with the problem set) when there is no file to read.
  bool ReadableFile();
  // The keys of the file: those load read while the file has not been written since (taken:
  // continuing reads nothing twice), else read now. Raises a RuntimeError naming what is
  // wrong with the file.
  TList<TTSCKey> ReadKeys();
  // The keys of the file as it is now, its size unchecked; raises as ReadKeys.
  TList<TTSCKey> ReadFileKeys() const;
  // The header's fields from the file; raises when a game names a picture of no set.
  void ReadHeader(const ProfileSections& file);
  void Fail(const std::string& problem, bool broken);

  // The piece of that id if no saved entry has placed it yet (it is then placed), else null.
  Ref<TPuzel> TakeUnplaced(int id);

  ProfileServices* services_;
  // While loadData places the pieces: those not placed yet, by id.
  std::unordered_map<int32_t, Ref<TPuzel>> unplaced_;
  // The keys load read, kept for loadData until the file is written.
  std::shared_ptr<TList<TTSCKey>> read_keys_;
  std::string problem_;
  bool broken_ = false;
  int file_level_ = -1;
  int file_entries_ = 0;
};

}  // namespace orvela
