// TTSCLexer: the character walk of the TSC text (see tsc_lexer.h).
//
// The text is read as UTF-8 bytes where it lies. Positions count characters as the reader has
// always counted them (a malformed byte is one character, U+FFFD); runs of plain ASCII bytes
// are stepped over in one go, and only what is not a piece of the text (a string with escapes
// or malformed bytes) is copied.
#include "formats/tsc_lexer.h"

#include <bit>
#include <cstring>
#include <memory>

#include "engine/files/files.h"
#include "engine/system.h"
#include "engine/text/utf8.h"

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

bool IsIdentChar(char32_t c) {
  return IsLetter(c) || IsDigit(c);
}

// The character that starts at byte i (i < n) and its length in bytes, as DecodeUtf8 reads
// it: a malformed byte is U+FFFD of length 1.
char32_t DecodeAt(const unsigned char* p, size_t n, size_t i, size_t& length) {
  const unsigned char c = p[i];
  length = 1;
  int extra = 0;
  char32_t cp = 0, min = 0;
  if (c < 0x80) return c;
  if ((c & 0xE0) == 0xC0) {
    extra = 1, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    extra = 2, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    extra = 3, cp = c & 0x07, min = 0x10000;
  } else {
    return 0xFFFD;
  }
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= n || (p[i + k] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (p[i + k] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  length = static_cast<size_t>(extra) + 1;
  return cp;
}

// Where the run of plain ASCII string characters starting at byte i ends: the first byte that
// is the quote, a backslash, a line feed or beyond ASCII, or n. Eight bytes are looked at at
// once where the text has them: a byte equal to c shows as a zero byte of the word XOR c, and
// the lowest zero byte found that way is always a true one (the
// lowest in memory, as the word is read little-endian).
size_t PlainStringRunEnd(const unsigned char* p, size_t i, size_t n, unsigned char quote) {
  constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  auto zero_bytes = [](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  for (; std::endian::native == std::endian::little && i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, sizeof word);
    const uint64_t stops = zero_bytes(word ^ (kOnes * quote)) | zero_bytes(word ^ (kOnes * '\\')) |
                           zero_bytes(word ^ (kOnes * '\n')) | (word & kHighs);
    if (stops != 0) return i + static_cast<size_t>(std::countr_zero(stops)) / 8;
  }
  while (i < n && p[i] < 0x80 && p[i] != quote && p[i] != '\\' && p[i] != '\n') ++i;
  return i;
}

}  // namespace

void TTSCLexer::Lex(const std::string& source) {
  const std::string text = LoadText(source);
  Print(source);
  LexText(text);
}

void TTSCLexer::LexText(const std::string& text) {
  TokenList.Clear();
  struct Forget {
    TTSCLexer& lexer;
    ~Forget() { lexer.End(); }
  } forget{*this};
  Begin(text);
  TSCScannedToken scanned;
  while (Next(scanned)) {
    auto token = std::make_shared<TTSCToken>();
    token->ID = scanned.ID;
    token->Value = std::string(scanned.Value);
    token->Line = scanned.Line;
    token->Char = scanned.Char;
    TokenList.AddLast(token);
  }
}

void TTSCLexer::Begin(std::string_view text) {
  TokenLine = 1;
  TokenChar = 0;
  FirstTokenChar = 0;
  OverwriteTokenID = 0;
  Stream = text;
  bytes_ = reinterpret_cast<const unsigned char*>(text.data());
  poz = 0;
  current_ = 0;
  size = text.size();
  at_end_ = false;
  NextChar();
}

void TTSCLexer::End() {
  Stream = std::string_view();
  bytes_ = nullptr;
  poz = current_ = size = 0;
  at_end_ = true;
}

bool TTSCLexer::Next(TSCScannedToken& token) {
  while (!at_end_) {
    const char32_t c = FirstTokenChar;
    switch (c) {
      case ' ':
      case '\t':
      case '\r':
      case '\n':
        SkipSpace();
        break;
      case '#':
        NewToken(token, TSC_HASH, "#");
        NextChar();
        return true;
      case '{':
        NewToken(token, TSC_OPEN_BRACE, "{");
        NextChar();
        return true;
      case '}':
        NewToken(token, TSC_CLOSE_BRACE, "}");
        NextChar();
        return true;
      case ';':
        NewToken(token, TSC_SEMICOLON, ";");
        NextChar();
        return true;
      case ',':
        NewToken(token, TSC_COMMA, ",");
        NextChar();
        return true;
      case '=':
        NewToken(token, TSC_EQUALS, "=");
        NextChar();
        return true;
      case '\'':
      case '"':
        LexString(token, c);
        NextChar();
        return true;
      case '/':
        SkipComment();
        break;
      default:
        if (IsNumberChar(c)) {
          LexNumber(token);
          return true;
        }
        if (IsLetter(c)) {
          LexIdent(token);
          return true;
        }
        Print("BLAD 2");
        Fail("Unknown character ('" + EncodeUtf8(c) + "')");
    }
  }
  return false;
}

void TTSCLexer::SkipRest() {
  TSCScannedToken ignored;
  while (Next(ignored)) {
  }
}

void TTSCLexer::SkipSpace() {
  // The current character is a space, tab, carriage return or line feed, already counted;
  // the ones after it are counted here without decoding them.
  size_t i = current_;
  int32_t line = TokenLine, character = TokenChar;
  for (;;) {
    if (i + 1 >= size) {
      // The text ends in white space: its last character stays current.
      current_ = i;
      FirstTokenChar = bytes_[i];
      TokenLine = line, TokenChar = character;
      poz = size;
      at_end_ = true;
      return;
    }
    const unsigned char next = bytes_[i + 1];
    if (next == '\n') {
      ++line, character = 1;
    } else if (next == ' ' || next == '\t' || next == '\r') {
      ++character;
    } else {
      break;
    }
    ++i;
  }
  current_ = i;
  FirstTokenChar = bytes_[i];
  TokenLine = line, TokenChar = character;
  poz = i + 1;
  NextChar();
}

void TTSCLexer::NextOtherChar() {
  if (poz >= size) {
    at_end_ = true;
    return;
  }
  current_ = poz;
  if (bytes_[poz] < 0x80) {
    FirstTokenChar = bytes_[poz];
    ++poz;
  } else {
    size_t length = 1;
    FirstTokenChar = DecodeAt(bytes_, size, poz, length);
    poz += length;
  }
  if (FirstTokenChar == '\n') {
    ++TokenLine;
    TokenChar = 0;
  }
  ++TokenChar;
}

void TTSCLexer::StepTo(size_t i) {
  // Every byte from the current character up to i is an ASCII character other than a line
  // feed: one character each.
  TokenChar += static_cast<int32_t>(i - current_ - 1);
  if (i < size) {
    poz = i;
    NextChar();
  } else {
    // The last of them stays current, as NextChar leaves it at the end of the text.
    current_ = size - 1;
    FirstTokenChar = bytes_[current_];
    poz = size;
    at_end_ = true;
  }
}

void TTSCLexer::NewToken(TSCScannedToken& token, int32_t kind, std::string_view value) {
  token.ID = kind;
  if (OverwriteTokenID != 0) {
    token.ID = OverwriteTokenID;
    OverwriteTokenID = 0;
  }
  token.Value = value;
  token.Line = TokenLine;
  token.Char = TokenChar;
}

void TTSCLexer::SkipComment() {
  NextChar();
  if (at_end_) {
    // Nothing follows the slash: the slash itself is the character that starts no token.
    Print("BLAD 1");
    Fail("Unknown character ('/')");
  }
  if (FirstTokenChar == '/') {
    // Up to (not including) the line feed.
    while (!at_end_ && FirstTokenChar != '\n') {
      size_t i = current_;
      while (i < size && bytes_[i] < 0x80 && bytes_[i] != '\n') ++i;
      if (i > current_) {
        StepTo(i);
      } else {
        NextChar();  // a character beyond ASCII
      }
    }
  } else if (FirstTokenChar == '*') {
    NextChar();
    for (;;) {
      if (at_end_) Fail("Unfinished block comment");
      if (FirstTokenChar != '*') {
        size_t i = current_;
        while (i < size && bytes_[i] < 0x80 && bytes_[i] != '\n' && bytes_[i] != '*') ++i;
        if (i > current_) {
          StepTo(i);
        } else {
          NextChar();
        }
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
}

void TTSCLexer::LexString(TSCScannedToken& token, char32_t quote) {
  NextChar();
  const size_t begin = current_;
  std::string* copy = nullptr;  // the value, once it is no longer a piece of the text
  auto start_copy = [&] {
    copy = &decoded_[next_buffer_];
    next_buffer_ ^= 1;
    copy->assign(Stream.substr(begin, current_ - begin));
  };
  for (;;) {
    if (at_end_) Fail("Unfinished string");
    // A run of plain ASCII characters is taken as it is.
    const size_t i = PlainStringRunEnd(bytes_, current_, size, static_cast<unsigned char>(quote));
    if (i > current_) {
      if (copy) copy->append(Stream.substr(current_, i - current_));
      StepTo(i);
      continue;
    }
    const char32_t c = FirstTokenChar;
    if (c == quote) break;
    if (c == '\\') {
      if (!copy) start_copy();
      NextChar();
      if (at_end_) Fail("Unfinished string");
      const char32_t e = FirstTokenChar;
      switch (e) {
        case 'a':
          copy->push_back(7);
          break;
        case 'b':
          copy->push_back(8);
          break;
        case 'f':
          copy->push_back(12);
          break;
        case 'n':
          copy->push_back(10);
          break;
        case 'r':
          copy->push_back(13);
          break;
        case 't':
          copy->push_back(9);
          break;
        case 'v':
          copy->push_back(11);
          break;
        case '0':
          copy->push_back(0);
          break;
        default:
          if (e != '\\' && e != quote) {
            Fail("Unknown escape sequence ('\\" + EncodeUtf8(e) + "')");
          }
          AppendUtf8(*copy, e);
          break;
      }
    } else {
      // A line feed or a character beyond ASCII. A malformed byte (one byte read as U+FFFD)
      // becomes the three bytes of U+FFFD, so the value is no longer a piece of the text.
      if (!copy && c == 0xFFFD && poz - current_ == 1) start_copy();
      if (copy) AppendUtf8(*copy, c);
    }
    NextChar();
  }
  NewToken(token, TSC_STRING,
           copy ? std::string_view(*copy) : Stream.substr(begin, current_ - begin));
}

void TTSCLexer::LexNumber(TSCScannedToken& token) {
  // Number characters are ASCII: the token is the piece of the text.
  const size_t begin = current_;
  bool radix = false;
  size_t i = begin;
  for (; i < size && IsNumberChar(bytes_[i]); ++i) {
    if (bytes_[i] == '.') {
      if (radix) {
        if (i > current_) StepTo(i);
        Fail("Multiple radix points found in floating point value");
      }
      radix = true;
    } else if (bytes_[i] == '-' && i != begin) {
      if (i > current_) StepTo(i);
      Fail("Unary minus must come at the start of a number");
    }
  }
  StepTo(i);
  if (at_end_) Fail("Unexpected end of file");
  NewToken(token, TSC_NUMBER, Stream.substr(begin, i - begin));
}

void TTSCLexer::LexIdent(TSCScannedToken& token) {
  // Identifier characters are ASCII: the token is the piece of the text.
  const size_t begin = current_;
  size_t i = begin;
  while (i < size && IsIdentChar(bytes_[i])) ++i;
  StepTo(i);
  if (at_end_) Fail("Unexpected end of file");
  const std::string_view name = Stream.substr(begin, i - begin);
  if (name.size() == 6 && TSCSameName(name, "define")) OverwriteTokenID = TSC_DEFINE;
  NewToken(token, TSC_IDENT, name);
}

void TTSCLexer::Fail(const std::string& message) const {
  RaiseTSCError(message, TokenLine, TokenChar);
}

}  // namespace orvela
