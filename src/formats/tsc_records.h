// The records of the TSC configuration text: tokens, defines, keys and groups, the names of
// the token kinds used in messages, and the reader's limits. Plain data shared by the lexer,
// the parser and TTSCFile; nothing here touches files.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

class TTSCKey : public TObject {
 public:
  std::string Path;  // full path of the enclosing group, "" at the top level
  std::string Name;
  std::array<std::string, kTSCMaxValues> Values;
  std::array<int32_t, kTSCMaxValues> ValuesType{};  // TSCValueType of each value
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

}  // namespace orvela
