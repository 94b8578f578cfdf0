// TTSCLexer: turns a TSC configuration text into TTSCTokens with their line and character
// positions, and stops with a runtime error at the first character it cannot use. Reads a file
// only through the engine's LoadText; LexText takes the text itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/object.h"
#include "formats/tsc_records.h"

namespace orvela {

class TTSCLexer : public TObject {
 public:
  TList<TTSCToken> TokenList;
  int32_t TokenLine = 1;         // line of the current character, from 1
  int32_t TokenChar = 0;         // its character in the line, from 1 (0 before the first)
  char32_t FirstTokenChar = 0;   // the current character
  int32_t OverwriteTokenID = 0;  // 0, or the kind the next token is forced to
  std::u32string Stream;         // the whole text, one element per character
  size_t poz = 0;                // read position in Stream
  size_t size = 0;               // length of Stream

  // Reads the file (byte-order marks as LoadText has them), writes its path as a trace line,
  // and tokenizes it. Raises a RuntimeError when the file cannot be read or the text is broken.
  void Lex(const std::string& source);
  // Tokenizes a text held in memory; TokenList is replaced.
  void LexText(const std::string& text);

 private:
  // Makes the next character current; at the end of the text the position stays where it was.
  void NextChar();
  void NewToken(int32_t kind, std::string value);
  void LexString(char32_t quote);
  void LexNumber();
  void LexIdent();
  [[noreturn]] void Fail(const std::string& message) const;

  bool at_end_ = true;  // no current character: the text is used up
};

}  // namespace orvela
