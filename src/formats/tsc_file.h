// TTSCFile: a TSC configuration text as a list of keys and a list of groups, read and written
// by group path, key name and value index. Used for the settings file, the credits layout and
// saved games. Files are read with the engine's LoadText and written with its SaveText.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/object.h"
#include "formats/tsc_lexer.h"
#include "formats/tsc_parser.h"
#include "formats/tsc_records.h"
#include "formats/tsc_writer.h"

namespace orvela {

// A value's text as a number, as GetNumberKey converts it (see there).
float TSCNumberValue(const std::string& text);

class TTSCFile : public TObject {
 public:
  // A new, empty file.
  static Ref<TTSCFile> Create();
  TTSCFile();

  Ref<TTSCLexer> Lexer;
  Ref<TTSCParser> Parser;
  TList<TTSCKey> KeyList;
  TList<TTSCGroup> GroupList;

  // The text made comparable across encodings: every Polish letter, as Unicode or as its
  // Windows-1250 code read as one character, becomes "#"; line feeds are removed.
  static std::string _tsccheck(const std::string& s);
  // The characters of s before pos, then r, then those after pos (pos counts characters from
  // 0; at or beyond the end r is appended, before the start it is put in front).
  static std::string _zamien(const std::string& s, int pos, const std::string& r);

  // The first key whose value at index equals value after both went through _tsccheck, ASCII
  // upper-casing and trimming of characters up to code 32; null when there is none.
  Ref<TTSCKey> getKeyByValue(const std::string& value, int index) const;
  // The first key with that path and name (ASCII letters compared without case); null if none.
  Ref<TTSCKey> ResolveKey(const std::string& path, const std::string& name) const;

  // Reads the file at source (its path goes to the trace). The first error raises a
  // RuntimeError with the reader's message and leaves the file empty.
  void Load(const std::string& source);
  // The same from a text held in memory.
  void LoadFromText(const std::string& text);

  // Writes every top-level group with its keys and subgroups; 1 written, 0 when the file
  // could not be written (the old file then stays as it was).
  int Save(const std::string& destination) const;
  // The text Save writes.
  std::string SaveToText() const;
  // One group's text: its name and "{", a tab-indented line per key of its path, the
  // subgroups of its path one tab further in, and "}". Groups that share a path (the same name
  // twice among siblings) share their keys and subgroups, so each path is written once: the
  // first group of a path writes everything under it and the others are left out.
  std::string SaveGroup(const TTSCGroup& group, const std::string& indent) const;

  // The value at index of the key; "" when the index holds none. A missing key writes the
  // trace line "The key PATH::NAME does not exist" and gives "".
  std::string GetStringKey(const std::string& path, const std::string& name, int index) const;
  // The value converted as C atof does (0 when it starts with no number; beyond the float range
  // the largest float). A missing key raises the RuntimeError "The key PATH::NAME does not
  // exist".
  float GetNumberKey(const std::string& path, const std::string& name, int index) const;
  // Sets the value at index (0 … 99) as a quoted string, creating the key when missing. An
  // index outside 0 … 99 changes nothing.
  void SetStringKey(const std::string& path, const std::string& name, const std::string& value,
                    int index);
  // The same with the value written as C printf "%#.9g" of the value widened to double
  // (0.8 → 0.800000012), except that what printf would write in exponent form is written in
  // plain decimals (1e-05 → 0.0000100000000, 1e9 → 1000000000.0), an infinity as the largest
  // float and NaN as 0: the reader takes back every number this writes.
  void SetNumberKey(const std::string& path, const std::string& name, float value, int index);

  // New lists of the keys or groups whose Path matches path, in file order.
  TList<TTSCKey> GetKeyList(const std::string& path) const;
  TList<TTSCGroup> GetGroupList(const std::string& path) const;
  // Append a new key (no values) or group and return it.
  Ref<TTSCKey> CreateKey(const std::string& path, const std::string& name);
  Ref<TTSCGroup> CreateGroup(const std::string& path, const std::string& name);

 private:
  // Finds or makes the key and stores one value; nothing for an index outside 0 … 99.
  void SetValue(const std::string& path, const std::string& name, const std::string& value,
                int index, int32_t type);
  // The keys and groups of each path (by comparison form), in file order: built once per
  // write, so that writing a file takes time in proportion to its size.
  struct PathIndex {
    std::unordered_map<std::string, std::vector<const TTSCKey*>> keys;
    std::unordered_map<std::string, std::vector<const TTSCGroup*>> groups;
  };
  PathIndex IndexPaths() const;
  // SaveGroup, skipping (and adding to `written`) the comparison forms of paths already written.
  void SaveGroup(const TTSCGroup& group, const PathIndex& index, std::set<std::string>& written,
                 TSCTextWriter& writer) const;
  // Tokenizes and parses the text in one pass into the lists.
  void Read(std::string_view text);
};

}  // namespace orvela
