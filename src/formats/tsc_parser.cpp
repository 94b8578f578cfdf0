// TTSCParser: the statement grammar of the TSC text (see tsc_parser.h).
#include "formats/tsc_parser.h"

#include <memory>

#include "engine/runtime_error.h"

namespace orvela {

void TTSCParser::Parse(const TList<TTSCToken>& tokens) {
  KeyList.Clear();
  GroupList.Clear();
  DefineList.Clear();
  TokenArray = tokens.ToArray();
  TokenPosition = 0;
  CurrentToken = nullptr;
  PathArray.fill(std::string());
  PathTop = 0;
  while (static_cast<size_t>(TokenPosition) < TokenArray.size()) ParseStatement();
  PathArray.fill(std::string());
}

const Ref<TTSCToken>& TTSCParser::NextToken() {
  if (static_cast<size_t>(TokenPosition) >= TokenArray.size()) FailAtEnd();
  CurrentToken = TokenArray[static_cast<size_t>(TokenPosition)];
  ++TokenPosition;
  return CurrentToken;
}

const Ref<TTSCToken>& TTSCParser::LookAheadToken() const {
  static const Ref<TTSCToken> kNone;
  if (static_cast<size_t>(TokenPosition) >= TokenArray.size()) return kNone;
  return TokenArray[static_cast<size_t>(TokenPosition)];
}

const Ref<TTSCToken>& TTSCParser::ReadToken(int32_t kind) {
  const Ref<TTSCToken>& token = NextToken();
  if (token->ID != kind) {
    RaiseRuntimeError("ERROR: Expecting token \"" + TSCTokenKindName(kind) + "\" at line " +
                      std::to_string(token->Line) + ", position " + std::to_string(token->Char));
  }
  return token;
}

void TTSCParser::ParseStatement() {
  const TTSCToken& token = *NextToken();
  if (token.ID == TSC_HASH) {
    ParseDirective();
    return;
  }
  if (token.ID != TSC_IDENT) Fail("Unexpected " + TSCTokenKindName(token.ID));
  const std::string& name = token.Value;
  const TTSCToken& next = *NextToken();
  if (next.ID == TSC_OPEN_BRACE) {
    ParseGroup(name);
  } else if (next.ID == TSC_EQUALS) {
    ParseKey(name);
  } else {
    Fail("Unexpected " + TSCTokenKindName(next.ID));
  }
}

void TTSCParser::ParseDirective() {
  const TTSCToken& directive = *NextToken();
  if (directive.ID != TSC_DEFINE) {
    Fail("Unknown directive \"" + TSCTokenKindName(directive.ID) + "\"");
  }
  const std::string name = ReadToken(TSC_IDENT)->Value;
  const Ref<TTSCToken> value = NextToken();
  if (value->ID != TSC_STRING && value->ID != TSC_NUMBER && value->ID != TSC_IDENT) {
    Fail("Unexpected token " + TSCTokenKindName(value->ID));
  }
  auto define = std::make_shared<TTSCDefine>();
  define->Ident = name;
  define->Value = value->Value;
  DefineList.AddLast(define);
}

void TTSCParser::ParseGroup(const std::string& name) {
  if (PathTop >= kTSCMaxDepth) {
    Fail("Too many nested groups (at most " + std::to_string(kTSCMaxDepth) + ")");
  }
  auto group = std::make_shared<TTSCGroup>();
  group->Path = CurrentPath();
  group->Name = name;
  GroupList.AddLast(group);
  PathArray[static_cast<size_t>(PathTop)] = group->FullPath();
  ++PathTop;
  for (;;) {
    const Ref<TTSCToken>& next = LookAheadToken();
    if (!next) FailAtEnd();  // the tokens ran out before the "}"
    if (next->ID == TSC_CLOSE_BRACE) break;
    ParseStatement();
  }
  --PathTop;
  PathArray[static_cast<size_t>(PathTop)].clear();
  ReadToken(TSC_CLOSE_BRACE);
}

void TTSCParser::ParseKey(const std::string& name) {
  auto key = std::make_shared<TTSCKey>();
  key->Name = name;
  KeyList.AddLast(key);
  int32_t count = 0;
  for (;;) {
    const TTSCToken& value = *NextToken();
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
      Ref<TTSCDefine> match;
      for (const Ref<TTSCDefine>& define : DefineList) {
        if (TSCSameName(define->Ident, value.Value)) match = define;  // the last one wins
      }
      if (!match) Fail("Unexpected token " + TSCTokenKindName(value.ID));
      key->Values.Set(index, match->Value);
      key->ValuesType.Set(index, TSC_VALUE_PLAIN);
    } else {
      Fail("Unexpected token " + TSCTokenKindName(value.ID));
    }
    ++count;
    const Ref<TTSCToken>& next = LookAheadToken();
    if (!next || next->ID != TSC_COMMA) break;
    NextToken();
  }
  key->ValueCount = count;
  key->Path = CurrentPath();
}

std::string TTSCParser::CurrentPath() const {
  return PathTop == 0 ? std::string() : PathArray[static_cast<size_t>(PathTop - 1)];
}

void TTSCParser::FailAtEnd() const {
  // Statements start only while tokens are left, so a last token always exists here.
  const TTSCToken& last = *TokenArray.back();
  RaiseTSCError("Unexpected end of file", last.Line, last.Char);
}

void TTSCParser::Fail(const std::string& message) const {
  RaiseTSCError(message, CurrentToken->Line, CurrentToken->Char);
}

}  // namespace orvela
