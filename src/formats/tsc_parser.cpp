// TTSCParser: the statement grammar of the TSC text (see tsc_parser.h).
#include "formats/tsc_parser.h"

#include <algorithm>
#include <memory>

#include "engine/runtime_error.h"

namespace orvela {

void TTSCParser::Parse(TTSCLexer& lexer) {
  KeyList.Clear();
  GroupList.Clear();
  DefineList.Clear();
  key_block_.reset();
  lexer_ = &lexer;
  has_ahead_ = false;
  TokenPosition = 0;
  CurrentToken = TSCScannedToken();
  PathArray.fill(std::string());
  PathTop = 0;
  struct Detach {
    TTSCParser& parser;
    ~Detach() {
      parser.lexer_ = nullptr;
      parser.has_ahead_ = false;
      parser.CurrentToken = TSCScannedToken();  // its text goes with the lexer's
      parser.key_block_.reset();
    }
  } detach{*this};
  while (TakeToken()) ParseStatement();
  PathArray.fill(std::string());
}

const TSCScannedToken* TTSCParser::ReadAhead() {
  if (!lexer_ || !lexer_->Next(ahead_)) return nullptr;
  has_ahead_ = true;
  return &ahead_;
}

const TSCScannedToken& TTSCParser::ReadToken(int32_t kind) {
  const TSCScannedToken& token = NextToken();
  if (token.ID != kind) {
    if (lexer_) lexer_->SkipRest();
    RaiseRuntimeError("ERROR: Expecting token \"" + TSCTokenKindName(kind) + "\" at line " +
                      std::to_string(token.Line) + ", position " + std::to_string(token.Char));
  }
  return token;
}

void TTSCParser::ParseStatement() {
  const TSCScannedToken& token = CurrentToken;
  if (token.ID == TSC_HASH) {
    ParseDirective();
    return;
  }
  if (token.ID != TSC_IDENT) Fail("Unexpected " + TSCTokenKindName(token.ID));
  const std::string_view name = token.Value;  // a piece of the text, which stays
  const TSCScannedToken& next = NextToken();
  if (next.ID == TSC_OPEN_BRACE) {
    ParseGroup(name);
  } else if (next.ID == TSC_EQUALS) {
    ParseKey(name);
  } else {
    Fail("Unexpected " + TSCTokenKindName(next.ID));
  }
}

void TTSCParser::ParseDirective() {
  const TSCScannedToken& directive = NextToken();
  if (directive.ID != TSC_DEFINE) {
    Fail("Unknown directive \"" + TSCTokenKindName(directive.ID) + "\"");
  }
  auto define = std::make_shared<TTSCDefine>();
  define->Ident = ReadToken(TSC_IDENT).Value;
  const TSCScannedToken& value = NextToken();
  if (value.ID != TSC_STRING && value.ID != TSC_NUMBER && value.ID != TSC_IDENT) {
    Fail("Unexpected token " + TSCTokenKindName(value.ID));
  }
  define->Value = value.Value;
  DefineList.AddLast(define);
}

void TTSCParser::ParseGroup(std::string_view name) {
  if (PathTop >= kTSCMaxDepth) {
    Fail("Too many nested groups (at most " + std::to_string(kTSCMaxDepth) + ")");
  }
  auto group = std::make_shared<TTSCGroup>();
  if (PathTop > 0) group->Path = PathArray[static_cast<size_t>(PathTop - 1)];
  group->Name = name;
  GroupList.AddLast(group);
  PathArray[static_cast<size_t>(PathTop)] = group->FullPath();
  ++PathTop;
  for (;;) {
    if (!TakeToken()) FailAtEnd();  // the tokens ran out before the "}"
    if (CurrentToken.ID == TSC_CLOSE_BRACE) break;
    ParseStatement();
  }
  --PathTop;
  PathArray[static_cast<size_t>(PathTop)].clear();
}

Ref<TTSCKey> TTSCParser::NewKey(std::string_view name) {
  // Blocks grow with the file, so that a settings file of three keys makes a small one.
  if (!key_block_ || key_block_->size() == key_block_->capacity()) {
    const size_t size = key_block_ ? std::min<size_t>(key_block_->capacity() * 2, 1024) : 8;
    key_block_ = std::make_shared<std::vector<TTSCKey>>();
    key_block_->reserve(size);
  }
  // Within the capacity: the keys already made stay where they are.
  key_block_->emplace_back(PathTop > 0
                               ? std::string_view(PathArray[static_cast<size_t>(PathTop - 1)])
                               : std::string_view(),
                           name);
  return Ref<TTSCKey>(key_block_, &key_block_->back());
}

void TTSCParser::ParseKey(std::string_view name) {
  Ref<TTSCKey> made = NewKey(name);
  TTSCKey* const key = made.get();
  KeyList.AddLast(std::move(made));
  int32_t count = 0;
  for (;;) {
    const TSCScannedToken& value = NextToken();
    if (count >= kTSCMaxValues) {
      Fail("Too many values in a key (at most " + std::to_string(kTSCMaxValues) + ")");
    }
    const auto index = static_cast<size_t>(count);
    if (value.ID == TSC_NUMBER) {
      key->Values.Set(index, value.Value);
      key->ValuesType.Set(index, TSC_VALUE_NUMBER);
    } else if (value.ID == TSC_STRING) {
      key->Values.Set(index, value.Value);
      key->ValuesType.Set(index, TSC_VALUE_STRING);
    } else if (value.ID == TSC_IDENT) {
      const TTSCDefine* match = nullptr;
      for (const Ref<TTSCDefine>& define : DefineList) {
        if (TSCSameName(define->Ident, value.Value)) match = define.get();  // the last one wins
      }
      if (!match) Fail("Unexpected token " + TSCTokenKindName(value.ID));
      key->Values.Set(index, match->Value);
      key->ValuesType.Set(index, TSC_VALUE_PLAIN);
    } else {
      Fail("Unexpected token " + TSCTokenKindName(value.ID));
    }
    ++count;
    const TSCScannedToken* next = LookAheadToken();
    if (!next || next->ID != TSC_COMMA) break;
    NextToken();
  }
  key->ValueCount = count;
}

void TTSCParser::FailAtEnd() const {
  // Statements start only while tokens are left, so a last token always exists here; it is the
  // token taken last, as none is looked at. The lexer has read the whole text.
  RaiseTSCError("Unexpected end of file", CurrentToken.Line, CurrentToken.Char);
}

void TTSCParser::Fail(const std::string& message) const {
  if (lexer_) lexer_->SkipRest();
  RaiseTSCError(message, CurrentToken.Line, CurrentToken.Char);
}

}  // namespace orvela
