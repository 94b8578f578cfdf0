// TProfile: the profile file: writing the game of the play screen and shape grid it is given,
// and reading the header (no larger a file than a saved game can be).
#include "play/saved_game/profile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "construction/shape_grid.h"
#include "engine/files/async_writer.h"
#include "engine/files/broken_file.h"
#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "formats/tsc_writer.h"
#include "play/group.h"
#include "play/play_clock.h"
#include "play/play_screen.h"
#include "play/saved_game/profile_sections.h"
#include "play/saved_game/profile_services.h"

namespace orvela {

namespace {

// A number of the file as an int, truncated toward zero; beyond the int range it saturates and
// a value that is no number gives 0 (the conversion alone would be undefined).
int TruncToInt(float value) {
  if (std::isnan(value)) return 0;
  const double clamped = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
  return static_cast<int>(clamped);
}

void AppendNumber(std::string& text, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

// A numbered key name: the prefix and the number, as "l12".
const std::string& KeyName(std::string& name, char prefix, int n) {
  name.assign(1, prefix);
  AppendNumber(name, n);
  return name;
}

// The file is read only within the size a saved game can have.
const FileLimit kFileLimit{TProfile::kMaxFileBytes, "the file", "a saved game",
                           "there was not enough memory to read it"};

// One piece as a saved entry: id, x and y joined by single spaces.
std::string PieceEntry(const TPuzel& piece) {
  return std::to_string(piece.id) + " " + TSCNumberText(piece.x) + " " + TSCNumberText(piece.y);
}

}  // namespace

std::string TProfile::path() const {
  const std::string folder = services_ ? services_->UserDir() : std::string();
  if (folder.empty() || _url.empty()) return std::string();
  return folder + "/profiles/" + _url;
}

int TProfile::save(const TPuzzelGame& play, const TKreatorKlockow& grid) {
  const std::string file_path = path();
  if (file_path.empty() || !SaveText(fileText(play, grid), file_path)) return 0;
  NoteSaved(play.listaPuzzli.Count());
  return 1;
}

int TProfile::saveInBackground(AsyncFileWriter& writer, const TPuzzelGame& play,
                               const TKreatorKlockow& grid) {
  const std::string file_path = path();
  if (file_path.empty()) return 0;
  writer.Write(file_path, EncodeText(fileText(play, grid)));  // ASCII text goes as it is
  NoteSaved(play.listaPuzzli.Count());
  return 1;
}

void TProfile::NoteSaved(int entries) {
  read_keys_.reset();  // no longer what the file holds
  file_level_ = _level;
  file_entries_ = entries;
}

std::string TProfile::fileText(const TPuzzelGame& play, const TKreatorKlockow& grid) const {
  TSCTextWriter file;
  // About 26 bytes a cut line and 40 a piece: the text is not copied as it grows.
  size_t lines = 0;
  for (const TShape& shape : grid.shapes) lines += shape.listaLini.size();
  file.Reserve(1024 + 26 * lines + 40 * play.listaPomocnicza.Count());
  file.OpenGroup("Profile");
  file.StringKey("Name", _name);
  file.StringKey("gfxUrl", _gfxUrl);
  file.NumberKey("level", {static_cast<float>(_level)});
  file.NumberKey("wh", {static_cast<float>(_w), static_cast<float>(_h)});
  // Readers that know no time pass over the key.
  file.NumberKey("time", {static_cast<float>(play.playSeconds())});
  _saveShapes(file, grid);
  _savePuzzels(file, play);
  _saveGroups(file, play);
  file.CloseGroup();
  return file.TakeText();
}

void TProfile::_saveShapes(TSCTextWriter& file, const TKreatorKlockow& grid) const {
  file.OpenGroup("lines");
  int n = 0;
  std::string name;
  for (const TShape& shape : grid.shapes) {
    for (const Tline& line : shape.listaLini) {
      file.WholeNumbersKey(KeyName(name, 'l', ++n), {line.x1, line.y1, line.x2, line.y2});
    }
  }
  file.NumberKey("ilosc", {static_cast<float>(n)});
  file.CloseGroup();
}

void TProfile::_savePuzzels(TSCTextWriter& file, const TPuzzelGame& play) const {
  file.OpenGroup("Puzzels");
  int n = 0;
  std::string name;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      file.StringKey(KeyName(name, 'p', ++n), PieceEntry(*piece));
    }
  }
  file.NumberKey("ilosc", {static_cast<float>(n)});
  file.CloseGroup();
}

void TProfile::_saveGroups(TSCTextWriter& file, const TPuzzelGame& play) const {
  std::vector<GroupRef> groups;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) groups.push_back(group);
  }
  // A group's keys come before its subgroups in the file: the count of groups first.
  file.OpenGroup("groups");
  file.NumberKey("ilosc", {static_cast<float>(groups.size())});
  std::string name;
  int a = 0;
  for (const GroupRef& group : groups) {
    file.OpenGroup(KeyName(name, 'g', ++a));
    file.NumberKey("pos", {group->x, group->y});
    int m = 0;
    for (const Ref<TPuzel>& member : group->listaSpasowanych) {
      file.StringKey(KeyName(name, 'p', ++m), PieceEntry(*member));
    }
    file.NumberKey("ilosc", {static_cast<float>(m)});
    file.CloseGroup();
  }
  file.CloseGroup();
}

int TProfile::load() {
  if (!ReadableFile()) return 0;
  read_keys_.reset();  // read afresh
  const std::optional<std::string> problem = ReadWithinLimit(path(), kFileLimit, [this] {
    auto keys = std::make_shared<TList<TTSCKey>>(ReadFileKeys());
    const ProfileSections sections(*keys);
    ReadHeader(sections);
    file_level_ = _level;
    file_entries_ = sections.pieces.Count() + sections.GroupCount();
    read_keys_ = keys;
  });
  if (problem) {
    Fail(*problem, true);
    return 0;
  }
  return 1;
}

bool TProfile::ReadableFile() {
  problem_.clear();
  broken_ = false;
  if (!services_ || path().empty()) {
    Fail("there is no folder to keep saved games in", false);
    return false;
  }
  if (FileKind(path()) != FILE_REGULAR) {
    Fail("there is no saved game", false);
    return false;
  }
  // A device or a pipe in its place (a link to one) is no saved game, and reading it would
  // never end.
  if (!IsRegularFile(path())) {
    Fail("it is a device or a pipe, not a file", true);
    return false;
  }
  return true;
}

TList<TTSCKey> TProfile::ReadKeys() {
  if (read_keys_) {
    TList<TTSCKey> keys = std::move(*read_keys_);
    read_keys_.reset();
    return keys;
  }
  CheckFileSize(path(), kFileLimit);
  return ReadFileKeys();
}

TList<TTSCKey> TProfile::ReadFileKeys() const {
  TTSCFile file;
  file.Load(path());
  return std::move(file.KeyList);
}

void TProfile::ReadHeader(const ProfileSections& file) {
  // The game writes only these two levels and whole counts of at least 0; a file with any
  // other is damaged, and taking it for "no game" would throw the puzzle in it away unasked.
  const float level = NumberOf(file.level);
  if (level != 0 && level != -1) {
    RaiseRuntimeError("its level is " + TextOf(file.level) +
                      ", which is neither 0 (a game) nor -1 (no game)");
  }
  auto check_count = [](const TTSCKey* count, const std::string& what) {
    const float value = NumberOf(count);
    if (!(value >= 0 && std::trunc(value) == value)) {
      RaiseRuntimeError("its count of " + what + " is " + TextOf(count) + ", which is no count");
    }
  };
  check_count(file.lines.count, "cut lines");
  check_count(file.pieces.count, "loose pieces");
  check_count(file.group_count, "groups");
  for (size_t a = 1; a < file.groups.size(); ++a) {
    check_count(file.groups[a].members.count, "pieces of group " + std::to_string(a));
  }
  _name = TextOf(file.name);
  _gfxUrl = TextOf(file.picture);
  _level = static_cast<int>(level);
  _w = TruncToInt(NumberOf(file.cell, 0));
  _h = TruncToInt(NumberOf(file.cell, 1));
  // A file without the time (of an older game) has been played for no time.
  playSeconds = std::clamp(TruncToInt(NumberOf(file.time)), 0, PlayClock::kMaxSeconds);
  // A game the player started always names one of the sets' pictures.
  if (_level == 0 && (!services_ || services_->SetOf(_gfxUrl).pieces <= 0)) {
    RaiseRuntimeError("it names the picture \"" + _gfxUrl +
                      "\", which is not one of the game's pictures");
  }
}

void TProfile::Fail(const std::string& problem, bool broken) {
  problem_ = problem;
  broken_ = broken;
}

}  // namespace orvela
