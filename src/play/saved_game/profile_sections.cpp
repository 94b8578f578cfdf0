// ProfileSections.
#include "play/saved_game/profile_sections.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "formats/tsc_file.h"

namespace orvela {

namespace {

const std::string kEmpty;

// The number of a key name such as "l12" after its one-letter prefix (in either case); 0 for
// a name that is not the prefix and a number from 1 to limit without leading zeros. (A plain
// int: an optional one, returned through memory, cost more than the rest of the walk.)
int KeyNumber(std::string_view name, char prefix, int limit) {
  if (name.size() < 2 || TSCLowerAscii(name[0]) != prefix || name[1] == '0') return 0;
  int64_t n = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    n = n * 10 + (name[i] - '0');
    if (n > limit) return 0;
  }
  return static_cast<int>(n);
}

// Records the key as number n of the section when that number has none yet. Keys mostly come
// in their numbers' order.
void Place(std::vector<const TTSCKey*>& keys, int n, const TTSCKey* key) {
  const auto at = static_cast<size_t>(n);
  if (at == keys.size()) {
    keys.push_back(key);
    return;
  }
  if (at > keys.size()) keys.resize(at + 1, nullptr);
  if (!keys[at]) keys[at] = key;
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
  // The numbered sections start at number 1.
  lines.keys.push_back(nullptr);
  pieces.keys.push_back(nullptr);
  // Keys come in runs of one path: its section is found once a run.
  enum Section { kOther, kProfile, kLines, kPieces, kGroups, kGroup };
  const std::string* last_path = nullptr;
  Section section = kOther;
  Group* group = nullptr;  // the group of a kGroup run
  constexpr std::string_view kGroupsPath = "profile::groups::";
  for (const Ref<TTSCKey>& ref : keys) {
    const TTSCKey* key = ref.get();
    if (!last_path || *last_path != key->Path) {
      const std::string_view path = key->Path;
      last_path = &key->Path;
      section = kOther;
      if (TSCSameName(path, "profile")) {
        section = kProfile;
      } else if (TSCSameName(path, "profile::lines")) {
        section = kLines;
      } else if (TSCSameName(path, "profile::puzzels")) {
        section = kPieces;
      } else if (TSCSameName(path, "profile::groups")) {
        section = kGroups;
      } else if (path.size() > kGroupsPath.size() &&
                 TSCSameName(path.substr(0, kGroupsPath.size()), kGroupsPath)) {
        if (const int a = KeyNumber(path.substr(kGroupsPath.size()), 'g', limit)) {
          section = kGroup;
          if (groups.size() <= static_cast<size_t>(a)) groups.resize(static_cast<size_t>(a) + 1);
          group = &groups[static_cast<size_t>(a)];
        }
      }
    }
    const std::string_view key_name = key->Name;
    switch (section) {
      case kProfile:
        if (TSCSameName(key_name, "name")) First(this->name, key);
        if (TSCSameName(key_name, "gfxurl")) First(picture, key);
        if (TSCSameName(key_name, "level")) First(level, key);
        if (TSCSameName(key_name, "wh")) First(cell, key);
        if (TSCSameName(key_name, "time")) First(time, key);
        break;
      case kLines:
        if (const int n = KeyNumber(key_name, 'l', limit)) {
          Place(lines.keys, n, key);
        } else if (TSCSameName(key_name, "ilosc")) {
          First(lines.count, key);
        }
        break;
      case kPieces:
        if (const int n = KeyNumber(key_name, 'p', limit)) {
          Place(pieces.keys, n, key);
        } else if (TSCSameName(key_name, "ilosc")) {
          First(pieces.count, key);
        }
        break;
      case kGroups:
        if (TSCSameName(key_name, "ilosc")) First(group_count, key);
        break;
      case kGroup:
        if (const int m = KeyNumber(key_name, 'p', limit)) {
          if (group->members.keys.empty()) group->members.keys.push_back(nullptr);
          Place(group->members.keys, m, key);
        } else if (TSCSameName(key_name, "pos")) {
          First(group->pos, key);
        } else if (TSCSameName(key_name, "ilosc")) {
          First(group->members.count, key);
        }
        break;
      case kOther:
        break;
    }
  }
}

}  // namespace orvela
