// TTSCLexer: turns a TSC configuration text into tokens with their line and character
// positions, and stops with a runtime error at the first character it cannot use. It reads the
// UTF-8 text where it lies, one token at a time (Begin, then Next), so that a reader can parse
// as it goes without a list of tokens; Lex and LexText make the whole list (TokenList) for
// those who want to look at the tokens. Reads a file only through the engine's LoadText.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/object.h"
#include "formats/tsc_records.h"

namespace orvela {

// One token as Next hands it out. Value points into the text being read, or, for a string
// with escapes or malformed bytes, into the lexer's own buffer: it stays valid until two more
// tokens have been read (so a parser can hold one token while it looks at the next).
struct TSCScannedToken {
  int32_t ID = TSC_UNKNOWN;
  std::string_view Value;
  int32_t Line = 0;
  int32_t Char = 0;
};

class TTSCLexer : public TObject {
 public:
  TList<TTSCToken> TokenList;    // filled by Lex and LexText
  int32_t TokenLine = 1;         // line of the current character, from 1
  int32_t TokenChar = 0;         // its character in the line, from 1 (0 before the first)
  char32_t FirstTokenChar = 0;   // the current character
  int32_t OverwriteTokenID = 0;  // 0, or the kind the next token is forced to
  std::string_view Stream;       // the UTF-8 text being read (not owned)
  size_t poz = 0;                // byte position of the character after the current one
  size_t size = 0;               // length of Stream in bytes

  // Reads the file (byte-order marks as LoadText has them), writes its path as a trace line,
  // and tokenizes it into TokenList. Raises a RuntimeError when the file cannot be read or the
  // text is broken.
  void Lex(const std::string& source);
  // Tokenizes a text held in memory; TokenList is replaced.
  void LexText(const std::string& text);

  // Starts reading a text, which must stay alive and unchanged while tokens are read.
  void Begin(std::string_view text);
  // Reads the next token into token; false (token unchanged) at the end of the text. The first
  // broken character raises a RuntimeError.
  bool Next(TSCScannedToken& token);
  // Reads the rest of the text and drops its tokens: a broken character there raises its error.
  void SkipRest();
  // Forgets the text (after the reading of a text that goes away).
  void End();

 private:
  // Makes the next character current; at the end of the text the position stays where it was.
  // An ASCII character other than a line feed, the common case, is taken here.
  void NextChar() {
    if (poz < size && bytes_[poz] < 0x80 && bytes_[poz] != '\n') {
      current_ = poz;
      FirstTokenChar = bytes_[poz++];
      ++TokenChar;
    } else {
      NextOtherChar();
    }
  }
  // NextChar for a line feed, a character beyond ASCII or the end of the text.
  void NextOtherChar();
  // Steps over white space up to the next character that is not.
  void SkipSpace();
  // Makes the character at byte i current, when every byte from the current character up to
  // i is an ASCII character other than a line feed (i past the current character).
  void StepTo(size_t i);
  void NewToken(TSCScannedToken& token, int32_t kind, std::string_view value);
  void LexString(TSCScannedToken& token, char32_t quote);
  void LexNumber(TSCScannedToken& token);
  void LexIdent(TSCScannedToken& token);
  void SkipComment();
  [[noreturn]] void Fail(const std::string& message) const;

  const unsigned char* bytes_ = nullptr;  // Stream's bytes
  size_t current_ = 0;                    // byte position of the current character
  bool at_end_ = true;                    // no current character: the text is used up
  std::string decoded_[2];                // string values that are not a piece of the text, in turn
  int next_buffer_ = 0;
};

}  // namespace orvela
