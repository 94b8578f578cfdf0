// TTSCParser: turns the lexer's tokens into keys, groups and defines, following the group
// paths, and stops with a runtime error at the first token that does not fit the grammar or
// when the tokens run out in the middle of a statement. It takes the tokens from the lexer as
// it goes, so a text is read in one pass. The first error of a text is the one reported, as if
// the whole text had been tokenized first: a broken character anywhere in the text wins over a
// token that does not fit, so before a grammar error the rest of the text is still tokenized.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/object.h"
#include "formats/tsc_lexer.h"
#include "formats/tsc_records.h"

namespace orvela {

class TTSCParser : public TObject {
 public:
  TList<TTSCKey> KeyList;
  TList<TTSCGroup> GroupList;
  TList<TTSCDefine> DefineList;
  int32_t TokenPosition = 0;  // tokens taken so far
  TSCScannedToken CurrentToken;
  std::array<std::string, kTSCMaxDepth> PathArray;  // full paths of the open groups
  int32_t PathTop = 0;                              // how many groups are open

  // Parses every statement of the text the lexer has begun; the lists are replaced. The path
  // stack is empty again afterwards.
  void Parse(TTSCLexer& lexer);

  // Takes the next token as CurrentToken (read into it where none was looked at, without a
  // copy); false at the end of the tokens.
  bool TakeToken() {
    if (has_ahead_) {
      CurrentToken = ahead_;
      has_ahead_ = false;
    } else if (!lexer_ || !lexer_->Next(CurrentToken)) {
      return false;
    }
    ++TokenPosition;
    return true;
  }
  // The next token, which becomes CurrentToken; the end of the tokens is an error.
  const TSCScannedToken& NextToken() {
    if (!TakeToken()) FailAtEnd();
    return CurrentToken;
  }
  // The next token without taking it; null at the end.
  const TSCScannedToken* LookAheadToken() { return has_ahead_ ? &ahead_ : ReadAhead(); }
  // The next token, which must be of that kind.
  const TSCScannedToken& ReadToken(int32_t kind);

 private:
  const TSCScannedToken* ReadAhead();  // the lexer's next token, looked at
  void ParseStatement();               // the statement that starts with CurrentToken
  void ParseDirective();
  void ParseGroup(std::string_view name);
  void ParseKey(std::string_view name);
  // A new key of that name in the current path. Keys are made in blocks that they share, not
  // one by one: a saved game holds thousands.
  Ref<TTSCKey> NewKey(std::string_view name);
  // The error at CurrentToken's position (once the rest of the text is known to tokenize).
  [[noreturn]] void Fail(const std::string& message) const;
  // "Unexpected end of file" at the last token's position (when no token is looked at).
  [[noreturn]] void FailAtEnd() const;

  TTSCLexer* lexer_ = nullptr;
  TSCScannedToken ahead_;  // the token looked at and not taken yet, when has_ahead_
  bool has_ahead_ = false;
  std::shared_ptr<std::vector<TTSCKey>> key_block_;
};

}  // namespace orvela
