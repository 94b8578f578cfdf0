// ProfileSections: the keys of a loaded profile file sorted into its sections in one pass
// over the file: the header, the numbered cut lines, the loose pieces, the groups with their
// members, and each section's count. A profile holds thousands of keys, and looking each up
// by name would walk them all every time. Reads the file it is made from and nothing else.
#pragma once

#include <string>
#include <vector>

#include "formats/tsc_records.h"

namespace orvela {

class ProfileSections {
 public:
  // A section of numbered keys ("l1", "l2", ... or "p1", ...) with its count key "ilosc".
  struct Numbered {
    std::vector<const TTSCKey*> keys;  // [n]: the key of number n; null where there is none
    const TTSCKey* count = nullptr;

    // The first value of key n, "" when there is none.
    const std::string& Text(int n) const;
    // The count, truncated, at least 0 and at most the highest number present.
    int Count() const;
  };
  struct Group {
    Numbered members;
    const TTSCKey* pos = nullptr;  // the reference point
  };

  // Sorts a file's keys; they must outlive this and stay unchanged. Names and paths are
  // compared without ASCII case, and the first key of a name counts, as the file's own lookups
  // find it; numbers are written without leading zeros.
  explicit ProfileSections(const TList<TTSCKey>& keys);

  const TTSCKey* name = nullptr;  // the header
  const TTSCKey* picture = nullptr;
  const TTSCKey* level = nullptr;
  const TTSCKey* cell = nullptr;  // "wh"
  const TTSCKey* time = nullptr;  // the time played (files of older games have none)
  Numbered lines, pieces;
  std::vector<Group> groups;  // [a]: group "g" + a; index 0 unused
  const TTSCKey* group_count = nullptr;

  // The number of groups as the count says, within the groups present.
  int GroupCount() const;
};

// Value index of a key as a number (0 for no key or no value) or as a string ("").
float NumberOf(const TTSCKey* key, int index = 0);
const std::string& TextOf(const TTSCKey* key, int index = 0);

}  // namespace orvela
