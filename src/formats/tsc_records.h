// The records of the TSC configuration text: tokens, defines, keys and groups, the names of
// the token kinds used in messages, and the reader's limits. Plain data shared by the lexer,
// the parser and TTSCFile; nothing here touches files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
// hundred times its size). The first value lives in the slots themselves, so the common key
// of one value needs no storage of its own, and the others share one array that grows as
// higher indexes are set. An index that holds nothing reads as the empty value, "" or 0.
template <typename T>
class TSCValueSlots {
 public:
  TSCValueSlots() = default;
  TSCValueSlots(const TSCValueSlots& other) { *this = other; }
  TSCValueSlots(TSCValueSlots&& other) noexcept { *this = std::move(other); }
  TSCValueSlots& operator=(const TSCValueSlots& other) {
    if (this == &other) return *this;
    std::unique_ptr<T[]> rest;
    if (other.held_ > 1) {
      rest = std::make_unique<T[]>(other.held_ - 1u);
      std::copy(other.rest_.get(), other.rest_.get() + (other.held_ - 1u), rest.get());
    }
    first_ = other.first_;
    rest_ = std::move(rest);
    held_ = other.held_;
    room_ = other.held_ > 1 ? static_cast<uint8_t>(other.held_ - 1u) : 0;
    return *this;
  }
  // The values move over; the other slots are left empty.
  TSCValueSlots& operator=(TSCValueSlots&& other) noexcept {
    if (this == &other) return *this;
    first_ = std::move(other.first_);
    rest_ = std::move(other.rest_);
    held_ = std::exchange(other.held_, 0);
    room_ = std::exchange(other.room_, 0);
    other.first_ = T{};
    return *this;
  }
  ~TSCValueSlots() = default;

  const T& operator[](size_t index) const {
    static const T kEmpty{};
    if (index == 0) return first_;
    return index < held_ ? rest_[index - 1] : kEmpty;
  }
  // Stores the value at index; an index beyond the key's limit changes nothing. Takes whatever
  // a T can be assigned from (a string's value as a view of the text, without a copy first).
  template <typename V = T>
  void Set(size_t index, V&& value) {
    if (index >= static_cast<size_t>(kTSCMaxValues)) return;
    if (index == 0) {
      first_ = std::forward<V>(value);
    } else {
      if (index > room_) Grow(index);
      rest_[index - 1] = std::forward<V>(value);
    }
    held_ = std::max(held_, static_cast<uint8_t>(index + 1));
  }
  // How many slots are held (the highest index set, plus one).
  size_t Held() const { return held_; }

 private:
  // Makes room for indexes 1 … at least `index`: twice the room there was, within the limit.
  void Grow(size_t index) {
    const size_t room = std::min<size_t>(std::max<size_t>(index, 2u * room_), kTSCMaxValues - 1);
    auto rest = std::make_unique<T[]>(room);
    std::move(rest_.get(), rest_.get() + room_, rest.get());
    rest_ = std::move(rest);
    room_ = static_cast<uint8_t>(room);
  }

  static_assert(kTSCMaxValues <= 255, "the counts of values are kept in bytes");
  T first_{};
  uint8_t held_ = 0;           // the highest index set, plus one
  uint8_t room_ = 0;           // how many entries rest_ has
  std::unique_ptr<T[]> rest_;  // indexes 1 …
};

class TTSCKey : public TObject {
 public:
  TTSCKey() = default;
  // A key of that path and name, with no values yet.
  TTSCKey(std::string_view path, std::string_view name) : Path(path), Name(name) {}

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

// The byte with an ASCII letter A–Z as a–z.
inline char TSCLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares ASCII letters A–Z as a–z, every other byte exactly (paths, key and define names).
inline bool TSCSameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && TSCLowerAscii(a[i]) != TSCLowerAscii(b[i])) return false;
  }
  return true;
}
// The name with ASCII letters A–Z as a–z: two names are the same name when these are equal.
std::string TSCFoldedName(const std::string& name);

}  // namespace orvela
