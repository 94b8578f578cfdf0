// The TSC reader over a large corpus, reduced to hashes: the fuzzing seeds and the game's own
// files, every prefix of them, each with single characters replaced by ones that matter to the
// reader, and random texts made of token fragments. For each text the lexer's tokens (kind,
// text, line, character) or its error, and the file's groups, keys, values and types or its
// error go into the hash, and so does what the reader printed. The expected values were taken
// from the reader as it stood before it was rewritten for speed: the rewrite reads every text
// exactly as before, broken ones included.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "formats/tsc_lexer.h"

namespace orvela {
namespace {

class Hash {
 public:
  void Add(const std::string& text) {
    for (unsigned char c : text) state_ = (state_ ^ c) * 0x100000001B3ull;
    state_ = (state_ ^ 0xFF) * 0x100000001B3ull;  // ends every piece
  }
  void Add(int64_t value) { Add(std::to_string(value)); }
  uint64_t value() const { return state_; }

 private:
  uint64_t state_ = 0xCBF29CE484222325ull;
};

void AddReading(Hash& hash, const std::string& text) {
  TTSCLexer lexer;
  try {
    lexer.LexText(text);
    for (const Ref<TTSCToken>& token : lexer.TokenList) {
      hash.Add(token->ID), hash.Add(token->Value), hash.Add(token->Line), hash.Add(token->Char);
    }
  } catch (const RuntimeError& error) {
    hash.Add(std::string("lexer: ") + error.what());
  }
  TTSCFile file;
  try {
    file.LoadFromText(text);
  } catch (const RuntimeError& error) {
    hash.Add(std::string("file: ") + error.what());
  }
  hash.Add(file.GroupList.Count());
  for (const Ref<TTSCGroup>& group : file.GroupList) hash.Add(group->Path), hash.Add(group->Name);
  hash.Add(file.KeyList.Count());
  for (const Ref<TTSCKey>& key : file.KeyList) {
    hash.Add(key->Path), hash.Add(key->Name), hash.Add(key->ValueCount);
    hash.Add(static_cast<int64_t>(key->Values.Held()));
    for (size_t i = 0; i < key->Values.Held() || i < key->ValuesType.Held(); ++i) {
      hash.Add(key->Values[i]), hash.Add(key->ValuesType[i]);
    }
  }
}

// The text itself, every prefix (every step-th when long), and single characters replaced.
void AddVariants(Hash& hash, const std::string& text) {
  static const char kSwaps[] = {'"', '\'', '\\', '/',  '*', '{', '}', '=', ',',    '#',
                                ';', '-',  '.',  '\n', 'a', '0', ' ', '@', '\xC5', '\xFF'};
  const size_t step = text.size() < 1000 ? 1 : text.size() / 37;
  AddReading(hash, text);
  for (size_t end = 0; end < text.size(); end += step) AddReading(hash, text.substr(0, end));
  for (size_t at = 0; at < text.size(); at += step) {
    for (char swap : kSwaps) {
      std::string changed = text;
      changed[at] = swap;
      AddReading(hash, changed);
    }
  }
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(TSCReaderCorpus, EveryTextReadsAsBefore) {
  struct Case {
    const char* path;
    uint64_t hash;
  };
  const Case files[] = {
      {"tests/fuzz/seeds/tsc/comments.tsc", 0xa625743736e2c8baull},
      {"tests/fuzz/seeds/tsc/credits_part.tsc", 0x633ffa73cfb2d5c5ull},
      {"tests/fuzz/seeds/tsc/define.tsc", 0x65fb50674525e72ull},
      {"tests/fuzz/seeds/tsc/end.tsc", 0xe94a5bdf0ccdd78full},
      {"tests/fuzz/seeds/tsc/options.tsc", 0xac8f206dd559020aull},
      {"tests/fuzz/seeds/tsc/profile.tsc", 0x35b6ee566fcfee56ull},
      {"tests/fuzz/seeds/tsc/same_name_siblings.tsc", 0x7a1f8d0672e52407ull},
      {"tests/fuzz/seeds/tsc/semicolon.tsc", 0xb37835d39b2fcaaeull},
      {"tests/fuzz/seeds/profile/midgame.prof", 0x89619ad6bec52454ull},
      {"tests/fuzz/seeds/profile/no_game.prof", 0xbc875ee1787633c9ull},
      {"tests/formats/data/unfinished.tsc", 0x1cd0db664adbb78cull},
      {"dane/credits.tsc", 0x93885b65822d9bafull},
  };
  ::testing::internal::CaptureStdout();  // the reader's trace lines, hashed too
  std::vector<uint64_t> got;
  for (const Case& c : files) {
    Hash hash;
    AddVariants(hash, FileText(c.path));
    got.push_back(hash.value());
  }
  // Texts made of random token fragments, from a fixed seed.
  static const char* const kFragments[] = {
      "a",  "Z_9", "define", "{",     "}",   "=",        ",",       "#",        ";",
      "1",  "-2",  ".5",     "1.2.3", "'x'", "\"y\\n\"", "\"\\q\"", "//c\n",    "/*c*/",
      "/*", "*/",  "\n",     " ",     "\t",  "\xC5\x81", "\xFF",    "\"\xC3\"", "\r\n",
      "@",  "/",   "\"",     "'",     "\\",  "-",        ".",       "g{k=1}",   "#define d 'v'",
  };
  std::mt19937 random(20261209);
  Hash fragments;
  for (int n = 0; n < 4000; ++n) {
    std::string text;
    const unsigned length = random() % 24;
    for (unsigned i = 0; i < length; ++i) text += kFragments[random() % std::size(kFragments)];
    AddReading(fragments, text);
  }
  const std::string printed = ::testing::internal::GetCapturedStdout();
  fragments.Add(printed);
  for (size_t i = 0; i < std::size(files); ++i) {
    EXPECT_EQ(got[i], files[i].hash) << files[i].path << ": 0x" << std::hex << got[i];
  }
  // Reader errors write control characters out ("\x0D" rather than a raw carriage return), so
  // the random texts' errors read differently from the first one-pass reader's.
  EXPECT_EQ(fragments.value(), 0x9cbc10e98e878df2ull)
      << "random texts: 0x" << std::hex << fragments.value();
}

}  // namespace
}  // namespace orvela
