// The records of the TSC configuration text: tokens, defines, keys and groups, the names of
// the token kinds used in messages, and the reader's limits. Plain data shared by the lexer,
// the parser and TTSCFile; nothing here touches files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/object.h"

namespace orvela {

// Token kinds (TTSCToken::ID).
enum TSCTokenKind : int32_t {
  TSC_UNKNOWN = 0,
  TSC_OPEN_BRACE = 1,   // {
  TSC_CLOSE_BRACE = 2,  // }
  TSC_HASH = 3,         // #
  TSC_SEMICOLON = 4,    // ;
  TSC_COMMA = 5,        // ,
  TSC_EQUALS = 6,       // =
  TSC_STRING = 7,       // quoted text
  TSC_NUMBER = 8,       // number text
  TSC_IDENT = 9,        // identifier
  TSC_DEFINE = 10,      // the identifier "define" in any letter case
};

// Value types (TTSCKey::ValuesType).
enum TSCValueType : int32_t {
  TSC_VALUE_PLAIN = 0,   // neither: a define's value, or never set
  TSC_VALUE_NUMBER = 1,  // written bare as a number
  TSC_VALUE_STRING = 2,  // written in double quotes
};

// A key holds at most this many values (indexes 0 … 99), and groups nest at most this deep.
constexpr int kTSCMaxValues = 100;
constexpr int kTSCMaxDepth = 100;

// The kind's name as messages give it: "{", "String", "Ident", ...; "Unknown" for any other.
std::string TSCTokenKindName(int32_t id);

// Raises the reader's error "ERROR: " + message + " at line L, character C".
[[noreturn]] void RaiseTSCError(const std::string& message, int32_t line, int32_t character);

class TTSCToken : public TObject {
 public:
  int32_t ID = TSC_UNKNOWN;
  std::string Value;  // the character, the decoded string, or the literal number/identifier text
  int32_t Line = 0;   // where the lexer stood when it made the token
  int32_t Char = 0;
};

class TTSCDefine : public TObject {
 public:
  std::string Ident;  // the defined name
  std::string Value;
};

// The values of one key by index 0 … 99, held only up to the highest index set so far: a key
// of one value keeps one entry, not a hundred (a long file of small keys must not take a
// hundred times its size). An index that holds nothing reads as the empty value, "" or 0.
template <typename T>
class TSCValueSlots {
 public:
  const T& operator[](size_t index) const {
    static const T kEmpty{};
    return index < items_.size() ? items_[index] : kEmpty;
  }
  // Stores the value at index; an index beyond the key's limit changes nothing.
  void Set(size_t index, T value) {
    if (index >= static_cast<size_t>(kTSCMaxValues)) return;
    if (index >= items_.size()) items_.resize(index + 1);
    items_[index] = std::move(value);
  }
  // How many slots are held (the highest index set, plus one).
  size_t Held() const { return items_.size(); }

 private:
  std::vector<T> items_;
};

class TTSCKey : public TObject {
 public:
  std::string Path;  // full path of the enclosing group, "" at the top level
  std::string Name;
  TSCValueSlots<std::string> Values;
  TSCValueSlots<int32_t> ValuesType;  // TSCValueType of each value
  int32_t ValueCount = 0;
};

class TTSCGroup : public TObject {
 public:
  std::string Path;  // full path of the parent group, "" at the top level
  std::string Name;

  // The parent path and the name joined by "::" (just the name at the top level).
  std::string FullPath() const { return Path.empty() ? Name : Path + "::" + Name; }
};

// Compares ASCII letters A–Z as a–z, every other byte exactly (paths, key and define names).
bool TSCSameName(const std::string& a, const std::string& b);
// The name with ASCII letters A–Z as a–z: two names are the same name when these are equal.
std::string TSCFoldedName(const std::string& name);

}  // namespace orvela
