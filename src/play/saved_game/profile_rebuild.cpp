// TProfile: rebuilding the saved puzzle from the file on the play screen and shape grid it is
// given. Everything the file says is checked before it is used: the cut lines must be whole
// numbers inside the picture and cut it into its set's pieces, which is counted before the
// long cut begins (otherwise the file is broken); a piece or group entry that names no piece,
// a piece already placed, or a place far off the screen is skipped; and an entry placed off
// the table is brought onto it, so that every piece can be reached.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/files/files.h"
#include "engine/loading.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "play/group.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_sections.h"
#include "play/saved_game/profile_services.h"

namespace orvela {

namespace {

// The text split at single spaces into exactly `count` fields (two spaces in a row make an
// empty field); false when there are more or fewer.
bool SplitFields(std::string_view text, std::string_view* fields, size_t count) {
  size_t n = 0, start = 0;
  for (size_t at = 0; at <= text.size(); ++at) {
    if (at < text.size() && text[at] != ' ') continue;
    if (n == count) return false;
    fields[n++] = text.substr(start, at - start);
    start = at + 1;
  }
  return n == count;
}

// A whole number in decimal: an optional "-" and digits, nothing else; false for any other
// text. Values beyond the int range saturate (every use checks a much smaller range). (The
// number comes back through a reference: an optional int, returned through memory, cost
// more than reading the digits, for each of the thousands of cut lines.)
bool WholeNumber(std::string_view text, int& number) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = std::min<int64_t>(value * 10 + (c - '0'), INT32_MAX);
  }
  number = static_cast<int>(negative ? -value : value);
  return true;
}

// A saved coordinate: the whole number up to the decimal point (123.75 gives 123, -12.5 gives
// -12), with digits only after it; false for any other text.
bool WholePart(std::string_view text, int& number) {
  const size_t point = text.find('.');
  if (point == std::string_view::npos) return WholeNumber(text, number);
  for (char c : text.substr(point + 1)) {
    if (c < '0' || c > '9') return false;
  }
  const std::string_view whole = text.substr(0, point);
  if (whole == "-") {
    number = 0;
    return true;
  }
  return WholeNumber(whole, number);
}

// A saved piece entry: "id x y".
struct PieceEntry {
  int id = 0, x = 0, y = 0;
};

// The table: the screen the pieces lie on.
constexpr int kTableWidth = 800, kTableHeight = 600;

// How much of an entry's box, across and down, must lie on the table for it to stay where it
// was saved: enough to take hold of it. The game scatters pieces with at least 50 pixels of
// them on the screen.
constexpr int kReach = 32;

// The distance an entry whose box runs from `low` to `high` on one axis moves to lie on the
// table (0 .. `size`): none while enough of it lies there (a piece dropped at the edge stays
// where it lies), else as far as puts the whole box on the table (its start at 0 when the box
// is larger than the table).
int OntoTable(int low, int high, int size) {
  const int reach = std::min(kReach, high - low);
  if (high >= reach && low <= size - reach) return 0;
  const int start = std::clamp(low, 0, std::max(0, size - (high - low)));
  return start - low;
}

int WidthOf(const TPuzel& piece) {
  return piece.img ? piece.img->width : 0;
}
int HeightOf(const TPuzel& piece) {
  return piece.img ? piece.img->height : 0;
}

// Moves a piece by whole pixels.
void Shift(TPuzel& piece, int dx, int dy) {
  piece.x += static_cast<float>(dx);
  piece.y += static_cast<float>(dy);
}

// Brings a loose piece onto the table.
void PutOnTable(TPuzel& piece) {
  const int x = static_cast<int>(piece.x), y = static_cast<int>(piece.y);
  Shift(piece, OntoTable(x, x + WidthOf(piece), kTableWidth),
        OntoTable(y, y + HeightOf(piece), kTableHeight));
}

// Brings a group onto the table as one: its members keep their places beside each other, and
// a group with enough of it on the table stays, though members of it lie off it.
void PutOnTable(TSpasowanePuzle& group) {
  int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  for (const Ref<TPuzel>& member : group.listaSpasowanych) {
    const int x = static_cast<int>(member->x), y = static_cast<int>(member->y);
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x + WidthOf(*member));
    bottom = std::max(bottom, y + HeightOf(*member));
  }
  const int dx = OntoTable(left, right, kTableWidth), dy = OntoTable(top, bottom, kTableHeight);
  group.x += static_cast<float>(dx);
  group.y += static_cast<float>(dy);
  for (const Ref<TPuzel>& member : group.listaSpasowanych) Shift(*member, dx, dy);
}

std::optional<PieceEntry> ParsePieceEntry(std::string_view text) {
  std::string_view f[3];
  if (!SplitFields(text, f, 3)) return std::nullopt;
  PieceEntry entry;
  if (!WholeNumber(f[0], entry.id) || !WholePart(f[1], entry.x) || !WholePart(f[2], entry.y)) {
    return std::nullopt;
  }
  if (std::abs(entry.x) > TProfile::kFarthest || std::abs(entry.y) > TProfile::kFarthest) {
    return std::nullopt;
  }
  return entry;
}

}  // namespace

int TProfile::loadData(TPuzzelGame& play, TKreatorKlockow& grid) {
  if (!ReadableFile()) return 0;
  bool touched = false;  // the grid, the cutter and the play screen hold parts of this file
  try {
    const TList<TTSCKey> keys = ReadKeys();
    const ProfileSections sections(keys);
    ReadHeader(sections);
    const ProfileServices::GameSet set = services_->SetOf(_gfxUrl);
    const int pieces = set.pieces;
    if (pieces <= 0) {
      RaiseRuntimeError("it names the picture \"" + _gfxUrl +
                        "\", which is not one of the game's pictures");
    }
    // The picture as the game holds it, else from its file (a missing one is reported there).
    const PixmapRef picture = set.pixels ? set.pixels : PixmapOf(_gfxUrl);
    if (!picture || picture->Empty()) {
      Fail("the picture " + _gfxUrl + " could not be loaded", false);
      return 0;
    }
    touched = true;
    _loadShapes(sections, grid, picture->width, picture->height);
    const PixmapRef mask = grid.drawOn(picture->width, picture->height);
    // The cut takes a while for every piece it makes: lines that would cut the picture into
    // other than its set's pieces are refused before it, from the regions they enclose.
    const PixmapRef counted = mask->Copy();
    const size_t regions = TRozcinacz::PieceSeeds(*counted, picture->width, picture->height).size();
    if (regions != static_cast<size_t>(pieces)) {
      RaiseRuntimeError("its cut lines cut the picture into " + std::to_string(regions) +
                        (regions == 1 ? " piece" : " pieces") + " instead of " +
                        std::to_string(pieces));
    }
    _createPuzzels(play, picture, set.image, mask);
    if (const int cut = play.listaPomocnicza.Count(); cut != pieces) {
      RaiseRuntimeError("its cut lines cut the picture into " + std::to_string(cut) +
                        (cut == 1 ? " piece" : " pieces") + " instead of " +
                        std::to_string(pieces));
    }
    unplaced_.clear();
    for (const Ref<TPuzel>& piece : play.listaPomocnicza) unplaced_.emplace(piece->id, piece);
    _loadPuzzels(sections, play);
    _loadGroups(sections, play);
    play.setPlaySeconds(playSeconds);
    play.clockComplete = sections.time != nullptr;
    unplaced_.clear();
    for (const Ref<TObject>& entry : play.listaPuzzli) {
      if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) PutOnTable(*piece);
      if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) PutOnTable(*group);
    }
    file_level_ = _level;
    file_entries_ = play.listaPuzzli.Count();
  } catch (const RuntimeError& error) {
    Fail(error.what(), true);
    if (touched) services_->NewGame();
    return 0;
  } catch (const std::bad_alloc&) {
    unplaced_.clear();
    Fail("there was not enough memory to rebuild it", true);
    if (touched) services_->NewGame();
    return 0;
  }
  return 1;
}

Ref<TPuzel> TProfile::TakeUnplaced(int id) {
  const auto found = unplaced_.find(id);
  if (found == unplaced_.end()) return nullptr;
  Ref<TPuzel> piece = found->second;
  unplaced_.erase(found);
  return piece;
}

void TProfile::_loadShapes(const ProfileSections& file, TKreatorKlockow& grid, int width,
                           int height) {
  const int count = file.lines.Count();
  if (count > kMaxLines) RaiseRuntimeError("it holds more cut lines than any puzzle has");
  std::vector<TShape>& shapes = grid.shapes;
  shapes.clear();
  shapes.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) {
    std::string_view f[4];
    int v[4] = {};
    const int limits[4] = {width, height, width, height};
    bool inside = SplitFields(file.lines.Text(n), f, 4);
    for (size_t i = 0; inside && i < 4; ++i) {
      inside = WholeNumber(f[i], v[i]) && v[i] >= 0 && v[i] <= limits[i];
    }
    if (!inside) {
      RaiseRuntimeError("its cut line " + std::to_string(n) +
                        " is not four whole numbers inside the picture");
    }
    // Every saved line becomes a shape of its own, in white.
    shapes.emplace_back().dodajLinie(v[0], v[1], v[2], v[3], 255, 255, 255);
  }
}

void TProfile::_createPuzzels(TPuzzelGame& play, const PixmapRef& picture, const ImageRef& image,
                              const PixmapRef& mask) {
  // The whole picture and the cut's copy come from one decoded buffer.
  play.obr = image ? image : TImage::Load(picture, -1);
  // Both masks would be drawn alike from the same lines; the cutter keeps the first as given
  // and cuts a copy of the second, so one drawing serves as both.
  play.continueGame(picture, mask, mask, _w, _h);
}

void TProfile::_loadPuzzels(const ProfileSections& file, TPuzzelGame& play) {
  const int count = file.pieces.Count();
  for (int n = 1; n <= count; ++n) {
    const auto entry = ParsePieceEntry(file.pieces.Text(n));
    if (!entry) continue;
    const Ref<TPuzel> piece = TakeUnplaced(entry->id);
    if (!piece) continue;  // no such piece, or placed already
    piece->x = static_cast<float>(entry->x);
    piece->y = static_cast<float>(entry->y);
    // The saved order is the stacking order: each placed piece goes on top of those before.
    play._wyrzuc(piece);
    play.listaPuzzli.AddLast(piece);
  }
}

void TProfile::_loadGroups(const ProfileSections& file, TPuzzelGame& play) {
  const int count = file.GroupCount();
  for (int a = 1; a <= count; ++a) {
    const ProfileSections::Group& saved = file.groups[static_cast<size_t>(a)];
    auto group = std::make_shared<TSpasowanePuzle>();
    const int members = saved.members.Count();
    for (int m = 1; m <= members; ++m) {
      const auto entry = ParsePieceEntry(saved.members.Text(m));
      if (!entry) continue;
      // A member comes off the table's loose entries; a piece placed before is not taken again.
      const Ref<TPuzel> piece = TakeUnplaced(entry->id);
      if (!piece) continue;
      piece->x = static_cast<float>(entry->x);
      piece->y = static_cast<float>(entry->y);
      group->listaSpasowanych.AddLast(piece);
      play._wyrzuc(piece);
    }
    if (group->listaSpasowanych.IsEmpty()) continue;
    if (group->listaSpasowanych.Count() == 1) {
      // One piece is no group: it lies loose where it was saved.
      play.listaPuzzli.AddLast(group->listaSpasowanych.First());
      continue;
    }
    // The reference point only measures how far the group moves, so a point that is no number
    // or far off the screen is replaced by the first member's place.
    const float x = NumberOf(saved.pos, 0), y = NumberOf(saved.pos, 1);
    const auto usable = [](float v) { return std::isfinite(v) && std::fabs(v) <= kFarthest; };
    const Ref<TPuzel> first = group->listaSpasowanych.First();
    const bool keep = usable(x) && usable(y);
    group->x = keep ? x : first->x;
    group->y = keep ? y : first->y;
    play.listaPuzzli.AddLast(group);
  }
}

}  // namespace orvela
