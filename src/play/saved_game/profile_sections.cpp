// ProfileSections.
#include "play/saved_game/profile_sections.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "formats/tsc_file.h"

namespace orvela {

namespace {

const std::string kEmpty;

// The number of a key name such as "l12" after its one-letter prefix; none for a name that is
// not the prefix and a number from 1 to limit without leading zeros.
std::optional<int> KeyNumber(const std::string& folded, char prefix, int limit) {
  if (folded.size() < 2 || folded[0] != prefix || folded[1] == '0') return std::nullopt;
  int64_t n = 0;
  for (size_t i = 1; i < folded.size(); ++i) {
    if (folded[i] < '0' || folded[i] > '9') return std::nullopt;
    n = n * 10 + (folded[i] - '0');
    if (n > limit) return std::nullopt;
  }
  return static_cast<int>(n);
}

// Records the key as number n of the section when that number has none yet.
void Place(std::vector<const TTSCKey*>& keys, int n, const TTSCKey* key) {
  if (keys.size() <= static_cast<size_t>(n)) keys.resize(static_cast<size_t>(n) + 1, nullptr);
  if (!keys[static_cast<size_t>(n)]) keys[static_cast<size_t>(n)] = key;
}

void First(const TTSCKey*& slot, const TTSCKey* key) {
  if (!slot) slot = key;
}

// A count key's value truncated toward zero and kept within 0 … highest.
int Bounded(const TTSCKey* count, size_t highest) {
  const float value = NumberOf(count);
  if (std::isnan(value) || value < 1) return 0;
  return static_cast<int>(std::min(static_cast<double>(value), static_cast<double>(highest)));
}

}  // namespace

float NumberOf(const TTSCKey* key, int index) {
  return key ? TSCNumberValue(TextOf(key, index)) : 0.0f;
}

const std::string& TextOf(const TTSCKey* key, int index) {
  if (!key || index < 0 || index >= kTSCMaxValues) return kEmpty;
  return key->Values[static_cast<size_t>(index)];
}

const std::string& ProfileSections::Numbered::Text(int n) const {
  if (n < 0 || static_cast<size_t>(n) >= keys.size()) return kEmpty;
  return TextOf(keys[static_cast<size_t>(n)]);
}

int ProfileSections::Numbered::Count() const {
  return Bounded(count, keys.empty() ? 0 : keys.size() - 1);
}

int ProfileSections::GroupCount() const {
  return Bounded(group_count, groups.empty() ? 0 : groups.size() - 1);
}

ProfileSections::ProfileSections(const TList<TTSCKey>& keys) {
  // No number can be higher than the number of keys and still belong to a complete section.
  const int limit = keys.Count();
  // Keys come in runs of one path: the path is folded, and its section found, once a run.
  enum Section { kOther, kProfile, kLines, kPieces, kGroups, kGroup };
  const std::string* last_path = nullptr;
  Section section = kOther;
  Group* group = nullptr;  // the group of a kGroup run
  for (const Ref<TTSCKey>& ref : keys) {
    const TTSCKey* key = ref.get();
    if (!last_path || *last_path != key->Path) {
      const std::string path = TSCFoldedName(key->Path);
      last_path = &key->Path;
      section = kOther;
      if (path == "profile") {
        section = kProfile;
      } else if (path == "profile::lines") {
        section = kLines;
      } else if (path == "profile::puzzels") {
        section = kPieces;
      } else if (path == "profile::groups") {
        section = kGroups;
      } else if (path.rfind("profile::groups::", 0) == 0) {
        if (const auto a = KeyNumber(path.substr(17), 'g', limit)) {
          section = kGroup;
          if (groups.size() <= static_cast<size_t>(*a)) groups.resize(static_cast<size_t>(*a) + 1);
          group = &groups[static_cast<size_t>(*a)];
        }
      }
    }
    if (section == kOther) continue;
    const std::string folded = TSCFoldedName(key->Name);
    switch (section) {
      case kProfile:
        if (folded == "name") First(this->name, key);
        if (folded == "gfxurl") First(picture, key);
        if (folded == "level") First(level, key);
        if (folded == "wh") First(cell, key);
        if (folded == "time") First(time, key);
        break;
      case kLines:
        if (folded == "ilosc") First(lines.count, key);
        if (const auto n = KeyNumber(folded, 'l', limit)) Place(lines.keys, *n, key);
        break;
      case kPieces:
        if (folded == "ilosc") First(pieces.count, key);
        if (const auto n = KeyNumber(folded, 'p', limit)) Place(pieces.keys, *n, key);
        break;
      case kGroups:
        if (folded == "ilosc") First(group_count, key);
        break;
      case kGroup:
        if (folded == "pos") First(group->pos, key);
        if (folded == "ilosc") First(group->members.count, key);
        if (const auto m = KeyNumber(folded, 'p', limit)) Place(group->members.keys, *m, key);
        break;
      case kOther:
        break;
    }
  }
}

}  // namespace orvela
