// TTSCLexer: the character walk of the TSC text (see tsc_lexer.h).
#include "formats/tsc_lexer.h"

#include <memory>

#include "engine/files.h"
#include "engine/system.h"
#include "engine/utf8.h"

namespace orvela {

namespace {

bool IsDigit(char32_t c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNumberChar(char32_t c) {
  return IsDigit(c) || c == '.' || c == '-';
}

}  // namespace

void TTSCLexer::Lex(const std::string& source) {
  const std::string text = LoadText(source);
  Print(source);
  LexText(text);
}

void TTSCLexer::LexText(const std::string& text) {
  TokenList.Clear();
  TokenLine = 1;
  TokenChar = 0;
  FirstTokenChar = 0;
  OverwriteTokenID = 0;
  Stream = DecodeUtf8(text);
  poz = 0;
  size = Stream.size();
  at_end_ = false;
  NextChar();
  while (!at_end_) {
    const char32_t c = FirstTokenChar;
    switch (c) {
      case ' ':
      case '\n':
      case '\t':
      case '\r':
        NextChar();
        break;
      case '#':
        NewToken(TSC_HASH, "#");
        NextChar();
        break;
      case '{':
        NewToken(TSC_OPEN_BRACE, "{");
        NextChar();
        break;
      case '}':
        NewToken(TSC_CLOSE_BRACE, "}");
        NextChar();
        break;
      case ';':
        NewToken(TSC_SEMICOLON, ";");
        NextChar();
        break;
      case ',':
        NewToken(TSC_COMMA, ",");
        NextChar();
        break;
      case '=':
        NewToken(TSC_EQUALS, "=");
        NextChar();
        break;
      case '\'':
      case '"':
        LexString(c);
        NextChar();
        break;
      case '/':
        NextChar();
        if (at_end_) {
          // Nothing follows the slash: the slash itself is the character that starts no token.
          Print("BLAD 1");
          Fail("Unknown character ('/')");
        }
        if (FirstTokenChar == '/') {
          while (!at_end_ && FirstTokenChar != '\n') NextChar();
        } else if (FirstTokenChar == '*') {
          NextChar();
          for (;;) {
            if (at_end_) Fail("Unfinished block comment");
            if (FirstTokenChar != '*') {
              NextChar();
              continue;
            }
            NextChar();  // a "*" may be followed by another "*" before the "/"
            if (at_end_) Fail("Unfinished block comment");
            if (FirstTokenChar == '/') {
              NextChar();
              break;
            }
          }
        } else {
          Print("BLAD 1");
          Fail("Unknown character ('" + EncodeUtf8(FirstTokenChar) + "')");
        }
        break;
      default:
        if (IsNumberChar(c)) {
          LexNumber();
        } else if (IsLetter(c)) {
          LexIdent();
        } else {
          Print("BLAD 2");
          Fail("Unknown character ('" + EncodeUtf8(c) + "')");
        }
        break;
    }
  }
}

void TTSCLexer::NextChar() {
  if (poz >= size) {
    at_end_ = true;
    return;
  }
  FirstTokenChar = Stream[poz];
  ++poz;
  if (FirstTokenChar == '\n') {
    ++TokenLine;
    TokenChar = 0;
  }
  ++TokenChar;
}

void TTSCLexer::NewToken(int32_t kind, std::string value) {
  auto token = std::make_shared<TTSCToken>();
  token->ID = kind;
  if (OverwriteTokenID != 0) {
    token->ID = OverwriteTokenID;
    OverwriteTokenID = 0;
  }
  token->Value = std::move(value);
  token->Line = TokenLine;
  token->Char = TokenChar;
  TokenList.AddLast(token);
}

void TTSCLexer::LexString(char32_t quote) {
  std::string value;  // UTF-8, built as the characters come
  NextChar();
  for (;;) {
    if (at_end_) Fail("Unfinished string");
    const char32_t c = FirstTokenChar;
    if (c == quote) break;
    if (c == '\\') {
      NextChar();
      if (at_end_) Fail("Unfinished string");
      const char32_t e = FirstTokenChar;
      switch (e) {
        case 'a':
          value.push_back(7);
          break;
        case 'b':
          value.push_back(8);
          break;
        case 'f':
          value.push_back(12);
          break;
        case 'n':
          value.push_back(10);
          break;
        case 'r':
          value.push_back(13);
          break;
        case 't':
          value.push_back(9);
          break;
        case 'v':
          value.push_back(11);
          break;
        case '0':
          value.push_back(0);
          break;
        default:
          if (e != '\\' && e != quote) {
            Fail("Unknown escape sequence ('\\" + EncodeUtf8(e) + "')");
          }
          AppendUtf8(value, e);
          break;
      }
    } else {
      AppendUtf8(value, c);
    }
    NextChar();
  }
  NewToken(TSC_STRING, std::move(value));
}

void TTSCLexer::LexNumber() {
  std::string text;  // number characters are ASCII
  bool radix = false;
  while (!at_end_ && IsNumberChar(FirstTokenChar)) {
    if (FirstTokenChar == '.') {
      if (radix) Fail("Multiple radix points found in floating point value");
      radix = true;
    } else if (FirstTokenChar == '-' && !text.empty()) {
      Fail("Unary minus must come at the start of a number");
    }
    text.push_back(static_cast<char>(FirstTokenChar));
    NextChar();
  }
  if (at_end_) Fail("Unexpected end of file");
  NewToken(TSC_NUMBER, std::move(text));
}

void TTSCLexer::LexIdent() {
  std::string name;  // identifier characters are ASCII
  while (!at_end_ && (IsLetter(FirstTokenChar) || IsDigit(FirstTokenChar))) {
    name.push_back(static_cast<char>(FirstTokenChar));
    NextChar();
  }
  if (at_end_) Fail("Unexpected end of file");
  if (TSCSameName(name, "define")) OverwriteTokenID = TSC_DEFINE;
  NewToken(TSC_IDENT, std::move(name));
}

void TTSCLexer::Fail(const std::string& message) const {
  RaiseTSCError(message, TokenLine, TokenChar);
}

}  // namespace orvela
