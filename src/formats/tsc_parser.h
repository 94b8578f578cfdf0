// TTSCParser: turns the lexer's tokens into keys, groups and defines, following the group
// paths, and stops with a runtime error at the first token that does not fit the grammar or
// when the tokens run out in the middle of a statement.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/object.h"
#include "formats/tsc_records.h"

namespace orvela {

class TTSCParser : public TObject {
 public:
  TList<TTSCKey> KeyList;
  TList<TTSCGroup> GroupList;
  TList<TTSCDefine> DefineList;
  std::vector<Ref<TTSCToken>> TokenArray;
  int32_t TokenPosition = 0;
  Ref<TTSCToken> CurrentToken;
  std::array<std::string, kTSCMaxDepth> PathArray;  // full paths of the open groups
  int32_t PathTop = 0;                              // how many groups are open

  // Parses every statement; the lists are replaced. The path stack is empty again afterwards.
  void Parse(const TList<TTSCToken>& tokens);

  // The next token, which becomes CurrentToken; the end of the tokens is an error. (The
  // tokens are handed out by reference: a file of thousands of keys has a great many.)
  const Ref<TTSCToken>& NextToken();
  // The next token without taking it; null at the end.
  const Ref<TTSCToken>& LookAheadToken() const;
  // The next token, which must be of that kind.
  const Ref<TTSCToken>& ReadToken(int32_t kind);

 private:
  void ParseStatement();
  void ParseDirective();
  void ParseGroup(const std::string& name);
  void ParseKey(const std::string& name);
  std::string CurrentPath() const;
  // The error at CurrentToken's position.
  [[noreturn]] void Fail(const std::string& message) const;
  // "Unexpected end of file" at the last token's position.
  [[noreturn]] void FailAtEnd() const;
};

}  // namespace orvela
