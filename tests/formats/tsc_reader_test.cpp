// Reading TSC text: token positions, the define directive, strings and comments, every
// error message with its position, the end of the tokens, and the limits.
#include <gtest/gtest.h>

#include <string>

#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "formats/tsc_lexer.h"

namespace orvela {
namespace {

// The message a text fails with, or "" when it loads.
std::string ErrorOf(const std::string& text) {
  TTSCFile file;
  try {
    file.LoadFromText(text);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(file.KeyList.Count(), 0);
    EXPECT_EQ(file.GroupList.Count(), 0);
    return error.what();
  }
  return "";
}

TEST(TSCReader, TokensCarryTheirKindTextAndPosition) {
  TTSCLexer lexer;
  lexer.LexText("ab {\n  x = 'q'\n}\n");
  struct Want {
    int32_t id;
    const char* value;
    int32_t line, character;
  };
  // Identifiers are placed at the character after them, a string at its closing quote.
  const Want want[] = {{TSC_IDENT, "ab", 1, 3},  {TSC_OPEN_BRACE, "{", 1, 4},
                       {TSC_IDENT, "x", 2, 5},   {TSC_EQUALS, "=", 2, 6},
                       {TSC_STRING, "q", 2, 10}, {TSC_CLOSE_BRACE, "}", 3, 2}};
  ASSERT_EQ(lexer.TokenList.Count(), 6);
  int i = 0;
  for (const Ref<TTSCToken>& token : lexer.TokenList) {
    EXPECT_EQ(token->ID, want[i].id) << i;
    EXPECT_EQ(token->Value, want[i].value) << i;
    EXPECT_EQ(token->Line, want[i].line) << i;
    EXPECT_EQ(token->Char, want[i].character) << i;
    ++i;
  }
  // Comments are skipped but their line feeds still count.
  lexer.LexText("// c\n/* x\n y */a{}\n");
  ASSERT_EQ(lexer.TokenList.Count(), 3);
  EXPECT_EQ(lexer.TokenList.First()->Line, 3);
  EXPECT_EQ(lexer.TokenList.First()->Char, 8);
  // Any letter case of "define" is a Define token; numbers keep their text.
  lexer.LexText("DeFine -.5 1. ");
  ASSERT_EQ(lexer.TokenList.Count(), 3);
  EXPECT_EQ(lexer.TokenList.First()->ID, TSC_DEFINE);
  EXPECT_EQ(lexer.TokenList.ValueAtIndex(1)->Value, "-.5");
  EXPECT_EQ(lexer.TokenList.Last()->Value, "1.");
}

TEST(TSCReader, DefineGivesAPlainValueAndWritesItBare) {
  TTSCFile file;
  file.LoadFromText("# define c 5\na{ b=1,\"x\",c }\n");
  const Ref<TTSCKey> key = file.ResolveKey("a", "b");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Path, "a");
  ASSERT_EQ(key->ValueCount, 3);
  EXPECT_EQ(key->Values[0], "1");
  EXPECT_EQ(key->ValuesType[0], TSC_VALUE_NUMBER);
  EXPECT_EQ(key->Values[1], "x");
  EXPECT_EQ(key->ValuesType[1], TSC_VALUE_STRING);
  EXPECT_EQ(key->Values[2], "5");
  EXPECT_EQ(key->ValuesType[2], TSC_VALUE_PLAIN);
  EXPECT_EQ(file.SaveToText(), "a{\n\tb=1,\"x\",5\n}\n");
  // Define names ignore case, and the last of several wins.
  file.LoadFromText("#define c 1\n#DEFINE C 'two'\na{b=c}");
  EXPECT_EQ(file.GetStringKey("a", "b", 0), "two");
}

TEST(TSCReader, StringsEscapesAndQuotes) {
  TTSCFile file;
  file.LoadFromText(
      "s{ t=\"a\\tb\" q='say \"hi\" \\'x\\'' e=\"\\a\\b\\f\\n\\r\\v\\0\\\\\\\"\"\n"
      "m=\"two\nlines\" }");
  EXPECT_EQ(file.GetStringKey("s", "t", 0), "a\tb");
  EXPECT_EQ(file.GetStringKey("s", "q", 0), "say \"hi\" 'x'");
  EXPECT_EQ(file.GetStringKey("s", "e", 0), std::string("\a\b\f\n\r\v\0\\\"", 9));
  EXPECT_EQ(file.GetStringKey("s", "m", 0), "two\nlines");
  // The tab is written raw between the quotes and reads back the same.
  EXPECT_NE(file.SaveToText().find("\tt=\"a\tb\"\n"), std::string::npos);
}

TEST(TSCReader, LexerErrorsNameTheCharacterAndItsPosition) {
  EXPECT_EQ(ErrorOf("a{ b=@ }"), "ERROR: Unknown character ('@') at line 1, character 6");
  EXPECT_EQ(ErrorOf("a{ b=\xC5\x81 }"),
            "ERROR: Unknown character ('\xC5\x81') at line 1, character 6");
  EXPECT_EQ(ErrorOf("a{ /x }"), "ERROR: Unknown character ('x') at line 1, character 5");
  EXPECT_EQ(ErrorOf("a{}/"), "ERROR: Unknown character ('/') at line 1, character 4");
  EXPECT_EQ(ErrorOf("a{ /* x\n"), "ERROR: Unfinished block comment at line 2, character 1");
  EXPECT_EQ(ErrorOf("a{ /* x *"), "ERROR: Unfinished block comment at line 1, character 9");
  EXPECT_EQ(ErrorOf("a{ b=\"xy"), "ERROR: Unfinished string at line 1, character 8");
  EXPECT_EQ(ErrorOf("a{ b=\"xy\\"), "ERROR: Unfinished string at line 1, character 9");
  EXPECT_EQ(ErrorOf("a{ b=\"x\\q\" }"),
            "ERROR: Unknown escape sequence ('\\q') at line 1, character 9");
  // Only the string's own quote may be escaped.
  EXPECT_EQ(ErrorOf("a{ b=\"x\\'\" }"),
            "ERROR: Unknown escape sequence ('\\'') at line 1, character 9");
  EXPECT_EQ(ErrorOf("a{ b=1.2.3 }"),
            "ERROR: Multiple radix points found in floating point value at line 1, character 9");
  EXPECT_EQ(ErrorOf("a{ b=1-2 }"),
            "ERROR: Unary minus must come at the start of a number at line 1, character 7");
  // A number or identifier may not end the text.
  EXPECT_EQ(ErrorOf("x=1"), "ERROR: Unexpected end of file at line 1, character 3");
  EXPECT_EQ(ErrorOf("a{}\nb"), "ERROR: Unexpected end of file at line 2, character 2");
}

TEST(TSCReader, LexerErrorsPrintTheirTraceLine) {
  ::testing::internal::CaptureStdout();
  EXPECT_NE(ErrorOf("a{ b=@ }"), "");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "BLAD 2\n");
  ::testing::internal::CaptureStdout();
  EXPECT_NE(ErrorOf("a{ /x }"), "");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "BLAD 1\n");
}

TEST(TSCReader, ParserErrorsNameTheTokenKind) {
  EXPECT_EQ(ErrorOf("a{ b=1; }"), "ERROR: Unexpected ; at line 1, character 7");
  EXPECT_EQ(ErrorOf("= "), "ERROR: Unexpected = at line 1, character 1");
  EXPECT_EQ(ErrorOf("a b "), "ERROR: Unexpected Ident at line 1, character 4");
  EXPECT_EQ(ErrorOf("a{ define=1 }"), "ERROR: Unexpected Define at line 1, character 10");
  EXPECT_EQ(ErrorOf("DEFINE{ }"), "ERROR: Unexpected Define at line 1, character 7");
  EXPECT_EQ(ErrorOf("# include x\n"), "ERROR: Unknown directive \"Ident\" at line 1, character 10");
  EXPECT_EQ(ErrorOf("# define 5 6\n"), "ERROR: Expecting token \"Ident\" at line 1, position 11");
  EXPECT_EQ(ErrorOf("# define c { \n"), "ERROR: Unexpected token { at line 1, character 12");
  EXPECT_EQ(ErrorOf("a{ b=} }"), "ERROR: Unexpected token } at line 1, character 6");
  EXPECT_EQ(ErrorOf("a{ b=zz }"), "ERROR: Unexpected token Ident at line 1, character 8");
}

TEST(TSCReader, RunningOutOfTokensIsAnErrorAtTheLastToken) {
  EXPECT_EQ(ErrorOf("a{ b=1\n"), "ERROR: Unexpected end of file at line 2, character 1");
  EXPECT_EQ(ErrorOf("a{ b=\"x\","), "ERROR: Unexpected end of file at line 1, character 9");
  EXPECT_EQ(ErrorOf("a{ b="), "ERROR: Unexpected end of file at line 1, character 5");
  EXPECT_EQ(ErrorOf("a "), "ERROR: Unexpected end of file at line 1, character 2");
  EXPECT_EQ(ErrorOf("  #"), "ERROR: Unexpected end of file at line 1, character 3");
  EXPECT_EQ(ErrorOf("#define c "), "ERROR: Unexpected end of file at line 1, character 10");
  // No tokens at all is an empty file.
  for (const char* empty : {"", " \r\n\t", "// only a comment", "/* and */ // more\n"}) {
    EXPECT_EQ(ErrorOf(empty), "") << empty;
  }
  // A top-level key with a line break after it loads but is not written.
  TTSCFile file;
  file.LoadFromText("x=1\n");
  EXPECT_EQ(file.GetNumberKey("", "x", 0), 1.0f);
  EXPECT_EQ(file.SaveToText(), "");
}

TEST(TSCReader, AHundredValuesAndAHundredLevelsAndNoMore) {
  std::string values = "k=0";
  for (int i = 1; i < 100; ++i) values += "," + std::to_string(i);
  TTSCFile file;
  file.LoadFromText("a{" + values + "}");
  EXPECT_EQ(file.ResolveKey("a", "k")->ValueCount, 100);
  EXPECT_EQ(file.GetNumberKey("a", "k", 99), 99.0f);
  // The 101st value "7" is character 295; a number is placed at the character after it.
  EXPECT_EQ(ErrorOf("a{" + values + ",7}"),
            "ERROR: Too many values in a key (at most 100) at line 1, character 296");

  std::string open, close;
  for (int i = 0; i < 100; ++i) {
    open += "g{";
    close += "}";
  }
  file.LoadFromText(open + "x=1" + close);
  std::string path = "g";
  for (int i = 1; i < 100; ++i) path += "::g";
  EXPECT_EQ(file.GetNumberKey(path, "x", 0), 1.0f);
  EXPECT_EQ(file.GroupList.Count(), 100);
  // The 101st "{" is character 202.
  EXPECT_EQ(ErrorOf(open + "g{x=1}" + close),
            "ERROR: Too many nested groups (at most 100) at line 1, character 202");
}

}  // namespace
}  // namespace orvela
