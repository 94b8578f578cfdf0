// TTSCFile: the settings file written and read back, lookups by path and name, values by
// index, the number format, the string escapes, the normalisation helpers and real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>

#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;
using testing::WriteBytes;

const char kSettings[] =
    "options{\n"
    "\tsound=0.500000000\n"
    "\tmusic=0.500000000\n"
    "\tekran=0.00000000\n"
    "}\n";

TEST(TSCFile, SettingsFileIsWrittenExactlyAndReadBack) {
  ScopedTempDir dir;
  const std::string path = (dir.path() / "options.tsc").string();
  const Ref<TTSCFile> out = TTSCFile::Create();
  out->CreateGroup("", "options");
  out->SetNumberKey("options", "sound", 0.5f, 0);
  out->SetNumberKey("options", "music", 0.5f, 0);
  out->SetNumberKey("options", "ekran", 0.0f, 0);
  ASSERT_EQ(out->Save(path), 1);
  EXPECT_EQ(ReadBytes(path), kSettings);

  const Ref<TTSCFile> in = TTSCFile::Create();
  ::testing::internal::CaptureStdout();
  in->Load(path);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), path + "\n");  // the source trace line
  EXPECT_EQ(in->GetNumberKey("options", "sound", 0), 0.5f);
  EXPECT_EQ(in->GetNumberKey("options", "ekran", 0), 0.0f);
  EXPECT_EQ(in->ResolveKey("options", "music")->ValuesType[0], TSC_VALUE_NUMBER);
  EXPECT_EQ(in->SaveToText(), kSettings);
  // A folder that does not exist cannot take the file.
  EXPECT_EQ(out->Save((dir.path() / "none" / "x.tsc").string()), 0);
}

TEST(TSCFile, CreditsLayoutLoads) {
  TTSCFile file;
  ::testing::internal::CaptureStdout();
  file.Load("dane/credits.tsc");
  ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(file.GroupList.Count(), 1);
  EXPECT_EQ(file.GroupList.First()->Name, "puzle");
  ASSERT_EQ(file.GetKeyList("puzle").Count(), 48);
  for (int i = 0; i < 48; ++i) {
    EXPECT_EQ(file.ResolveKey("puzle", "p" + std::to_string(i))->ValueCount, 2) << i;
  }
  EXPECT_EQ(file.GetNumberKey("puzle", "p0", 0), 94.0f);
  EXPECT_EQ(file.GetNumberKey("puzle", "p0", 1), 64.0f);
  EXPECT_EQ(file.GetNumberKey("PUZLE", "P47", 0), 584.0f);
  EXPECT_EQ(file.GetNumberKey("puzle", "p47", 1), 414.0f);
}

TEST(TSCFile, FilesThroughTheEngine) {
  ScopedTempDir dir;
  const std::string missing = (dir.path() / "missing.tsc").string();
  TTSCFile file;
  try {
    file.Load(missing);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not open file: " + missing);
  }
  // A folder in place of the file fails the same way.
  std::filesystem::create_directories(dir.path() / "folder.tsc");
  const std::string folder = (dir.path() / "folder.tsc").string();
  try {
    file.Load(folder);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not open file: " + folder);
  }
  // Text beyond Latin-1 is saved as UTF-16 and read back through its byte-order mark.
  const std::string path = (dir.path() / "p.tsc").string();
  file.CreateGroup("", "profile");
  file.SetStringKey("profile", "name", "\xC5\x81\xC3\xB3\x64\xC5\xBA", 0);  // Łódź
  ASSERT_EQ(file.Save(path), 1);
  EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
  ::testing::internal::CaptureStdout();
  file.Load(path);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(file.GetStringKey("profile", "name", 0), "\xC5\x81\xC3\xB3\x64\xC5\xBA");
  // A broken file leaves the object empty; a second load replaces what the first gave.
  WriteBytes(path, "a{ b=1 c=2 }");
  ::testing::internal::CaptureStdout();
  file.Load(path);
  EXPECT_EQ(file.GroupList.Count(), 1);
  EXPECT_FALSE(file.ResolveKey("profile", "name"));
  EXPECT_EQ(file.GetNumberKey("a", "c", 0), 2.0f);
  WriteBytes(path, "a{ b=1; }");
  EXPECT_THROW(file.Load(path), RuntimeError);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(file.KeyList.Count(), 0);
  EXPECT_EQ(file.GroupList.Count(), 0);
}

TEST(TSCFile, LookupsIgnoreAsciiCaseOnly) {
  TTSCFile file;
  file.LoadFromText("A{ Key=2 }\nProfile{ Game{ x=1 } }");
  file.SetStringKey("PROFILE", "\xC5\x81", "3", 0);  // Ł: only ASCII letters fold
  EXPECT_EQ(file.GetNumberKey("a", "KEY", 0), 2.0f);
  EXPECT_EQ(file.GetNumberKey("profile::GAME", "X", 0), 1.0f);
  EXPECT_TRUE(file.ResolveKey("profile", "\xC5\x81"));
  EXPECT_FALSE(file.ResolveKey("profile", "\xC5\x82"));  // ł is not Ł
  EXPECT_FALSE(file.ResolveKey("profile", "x"));         // keys belong to one group
  EXPECT_EQ(file.GetGroupList("PROFILE").Count(), 1);
  EXPECT_EQ(file.GetGroupList("").Count(), 2);
  EXPECT_EQ(file.GetKeyList("profile").Count(), 1);
}

TEST(TSCFile, MissingKeysAndIndexesBeyondTheValues) {
  TTSCFile file;
  file.LoadFromText("a{ b=1,\"two\" }");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(file.GetStringKey("a", "zz", 0), "");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "The key a::zz does not exist\n");
  try {
    file.GetNumberKey("a", "zz", 0);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "The key a::zz does not exist");
  }
  EXPECT_EQ(file.GetStringKey("a", "b", 2), "");
  EXPECT_EQ(file.GetNumberKey("a", "b", 99), 0.0f);
  EXPECT_EQ(file.GetNumberKey("a", "b", 1), 0.0f);  // "two" has no numeric prefix
  // Indexes outside 0 … 99 hold nothing and take nothing.
  EXPECT_EQ(file.GetStringKey("a", "b", 100), "");
  EXPECT_EQ(file.GetNumberKey("a", "b", -1), 0.0f);
  file.SetStringKey("a", "b", "x", 100);
  file.SetNumberKey("a", "new", 1.0f, -1);
  EXPECT_EQ(file.ResolveKey("a", "b")->ValueCount, 2);
  EXPECT_FALSE(file.ResolveKey("a", "new"));
}

TEST(TSCFile, ValuesSetOutOfOrderSpreadAndAreCopiedAndMovedWhole) {
  // Values set from the top down and with gaps, growing the key's storage on the way.
  TTSCKey key("a", "b");
  key.Values.Set(5, std::string("five"));
  key.Values.Set(1, std::string("one"));
  key.Values.Set(40, std::string("forty"));
  key.Values.Set(0, std::string("zero"));
  key.ValuesType.Set(40, TSC_VALUE_STRING);
  EXPECT_EQ(key.Values.Held(), 41u);
  EXPECT_EQ(key.ValuesType.Held(), 41u);
  EXPECT_EQ(key.Values[5], "five");
  EXPECT_EQ(key.Values[1], "one");
  EXPECT_EQ(key.Values[40], "forty");
  EXPECT_EQ(key.Values[0], "zero");
  EXPECT_EQ(key.Values[3], "");
  EXPECT_EQ(key.Values[41], "");
  EXPECT_EQ(key.ValuesType[40], TSC_VALUE_STRING);
  EXPECT_EQ(key.ValuesType[0], TSC_VALUE_PLAIN);
  // A copy is whole and of its own; what a key is moved from is left empty.
  TTSCKey copy = key;
  copy.Values.Set(5, std::string("changed"));
  EXPECT_EQ(key.Values[5], "five");
  EXPECT_EQ(copy.Values[40], "forty");
  EXPECT_EQ(copy.Values.Held(), 41u);
  TTSCKey moved = std::move(copy);
  EXPECT_EQ(moved.Values[5], "changed");
  EXPECT_EQ(moved.Values[40], "forty");
  EXPECT_EQ(copy.Values.Held(), 0u);
  EXPECT_EQ(copy.Values[40], "");
  copy = key;
  EXPECT_EQ(copy.Values[1], "one");
}

TEST(TSCFile, NumbersConvertLikeAtofAndFormatLikePrintf) {
  TTSCFile file;
  file.LoadFromText("n{ a=-.5 b=\"12abc\" c=\" 7\" d=1. }");
  EXPECT_EQ(file.GetNumberKey("n", "a", 0), -0.5f);
  EXPECT_EQ(file.GetNumberKey("n", "b", 0), 12.0f);
  EXPECT_EQ(file.GetNumberKey("n", "c", 0), 7.0f);
  EXPECT_EQ(file.GetNumberKey("n", "d", 0), 1.0f);

  file.SetNumberKey("n", "x", 0.8f, 0);
  file.SetNumberKey("n", "x", 1.0f, 1);
  file.SetNumberKey("n", "x", -123456.789f, 2);
  EXPECT_EQ(file.GetStringKey("n", "x", 0), "0.800000012");
  EXPECT_EQ(file.GetStringKey("n", "x", 1), "1.00000000");
  EXPECT_EQ(file.GetStringKey("n", "x", 2), "-123456.789");

  // What printf would put in exponent form is written in plain decimals with the same nine
  // significant digits, so that the reader takes it back: every float, the extremes included,
  // reads back as itself; an infinity as the largest float and NaN as 0.
  TTSCFile small;
  small.CreateGroup("", "a");
  small.SetNumberKey("a", "v", 1e-5f, 0);
  EXPECT_EQ(small.SaveToText(), "a{\n\tv=0.00000999999975\n}\n");
  small.SetNumberKey("a", "v", 2e9f, 0);
  EXPECT_EQ(small.GetStringKey("a", "v", 0), "2000000000.0");
  const float largest = std::numeric_limits<float>::max();
  const float values[] = {1e-5f,           -1e-4f,   9.99999e-5f, 1e-38f,       1e-45f,
                          1.17549435e-38f, 1e9f,     -2.5e9f,     123456789.0f, 3e38f,
                          largest,         -largest, 0.0001f,     0.5f,         -0.0f};
  for (int i = 0; i < 15; ++i) small.SetNumberKey("a", "v", values[i], i);
  const float inf = std::numeric_limits<float>::infinity();
  small.SetNumberKey("a", "v", inf, 15);
  small.SetNumberKey("a", "v", -inf, 16);
  small.SetNumberKey("a", "v", std::numeric_limits<float>::quiet_NaN(), 17);
  TTSCFile back;
  ASSERT_NO_THROW(back.LoadFromText(small.SaveToText())) << small.SaveToText();
  for (int i = 0; i < 15; ++i) EXPECT_EQ(back.GetNumberKey("a", "v", i), values[i]) << i;
  EXPECT_EQ(back.GetNumberKey("a", "v", 15), largest);
  EXPECT_EQ(back.GetNumberKey("a", "v", 16), -largest);
  EXPECT_EQ(back.GetNumberKey("a", "v", 17), 0.0f);

  // A number beyond the float range (a row of fifty digits) reads as the largest float, not as
  // an infinity that would be written back as "inf".
  TTSCFile huge;
  huge.LoadFromText("n{ a=" + std::string(50, '9') + " b=-" + std::string(50, '9') + " }");
  EXPECT_EQ(huge.GetNumberKey("n", "a", 0), largest);
  EXPECT_EQ(huge.GetNumberKey("n", "b", 0), -largest);
}

TEST(TSCFile, WriterLayoutAndTheValueOrderRule) {
  TTSCFile file;
  file.CreateGroup("", "profile");
  file.CreateGroup("profile", "game");
  file.CreateGroup("", "second");
  file.SetStringKey("profile::game", "picture", "gfx/a.jpg", 0);
  file.SetNumberKey("profile", "pieces", 12, 0);
  file.SetNumberKey("profile", "pieces", 30, 1);
  file.CreateKey("second", "empty");
  file.SetStringKey("", "loose", "not written", 0);
  EXPECT_EQ(file.SaveToText(),
            "profile{\n"
            "\tpieces=12.0000000,30.0000000\n"
            "\tgame{\n"
            "\t\tpicture=\"gfx/a.jpg\"\n"
            "\t}\n"
            "}\n"
            "second{\n"
            "\tempty=\n"
            "}\n");

  // Setting value 2 first leaves two empty values before it, which the reader rejects.
  TTSCFile gaps;
  gaps.CreateGroup("", "a");
  gaps.SetStringKey("a", "b", "x", 2);
  const Ref<TTSCKey> key = gaps.ResolveKey("a", "b");
  EXPECT_EQ(key->ValueCount, 3);
  EXPECT_EQ(key->ValuesType[0], TSC_VALUE_PLAIN);
  EXPECT_EQ(key->Values[1], "");
  EXPECT_EQ(gaps.SaveToText(), "a{\n\tb=,,\"x\"\n}\n");
  try {
    gaps.LoadFromText(gaps.SaveToText());
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "ERROR: Unexpected token , at line 2, character 5");
  }

  // A group with an empty name is written once, not inside itself for ever.
  TTSCFile unnamed;
  unnamed.CreateGroup("", "");
  EXPECT_EQ(unnamed.SaveToText(), "{\n}\n");
}

TEST(TSCFile, GroupsOfTheSamePathAreWrittenOnce) {
  // Siblings of the same name share one path, so their keys and subgroups are one group's:
  // written once, under the first of them, and read back the same.
  TTSCFile file;
  file.LoadFromText("a{ x=1 b{ y=2 } } A{ x=3 b{ z=\"4\" } c{ } } d{ w=5 }");
  EXPECT_EQ(file.SaveToText(),
            "a{\n"
            "\tx=1\n"
            "\tx=3\n"
            "\tb{\n"
            "\t\ty=2\n"
            "\t\tz=\"4\"\n"
            "\t}\n"
            "\tc{\n"
            "\t}\n"
            "}\n"
            "d{\n"
            "\tw=5\n"
            "}\n");
  TTSCFile back;
  back.LoadFromText(file.SaveToText());
  EXPECT_EQ(back.GetNumberKey("a", "x", 0), 1.0f);  // lookups still find the first key
  EXPECT_EQ(back.GetStringKey("a::b", "z", 0), "4");
  EXPECT_EQ(back.SaveToText(), file.SaveToText());

  // Twelve levels of three same-named siblings: once every level was written under each
  // sibling, 3^12 times over (113 bytes took 28 s and 4 GB); now each level once.
  std::string nested;
  for (int i = 0; i < 12; ++i) nested += "a{}a{}a{";
  nested += std::string(12, '}');
  TTSCFile deep;
  deep.LoadFromText(nested);
  const std::string text = deep.SaveToText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '{'), 12);
  EXPECT_EQ(deep.GetGroupList("").Count(), 3);
}

TEST(TSCFile, KeysHoldOnlyTheValuesTheyHave) {
  // A key keeps room for the values it has, not for a hundred, so a long file of small keys
  // does not take a hundred times its size.
  TTSCFile file;
  file.LoadFromText("a{ b=1 c=1,2,3 }");
  EXPECT_EQ(file.ResolveKey("a", "b")->Values.Held(), 1u);
  EXPECT_EQ(file.ResolveKey("a", "c")->Values.Held(), 3u);
  EXPECT_EQ(file.ResolveKey("a", "c")->Values[50], "");  // beyond: empty, of no type
  EXPECT_EQ(file.ResolveKey("a", "c")->ValuesType[99], TSC_VALUE_PLAIN);
  file.SetStringKey("a", "b", "last", 99);
  EXPECT_EQ(file.ResolveKey("a", "b")->Values.Held(), 100u);
  EXPECT_EQ(file.GetStringKey("a", "b", 99), "last");
  EXPECT_EQ(file.ResolveKey("a", "b")->ValueCount, 100);
}

TEST(TSCFile, QuotesAndBackslashesSurviveSaveAndLoad) {
  ScopedTempDir dir;
  const std::string path = (dir.path() / "s.tsc").string();
  const std::string tricky[] = {"say \"hi\"", "C:\\games\\", "\\\"", "\"", "end\\"};
  TTSCFile out;
  out.CreateGroup("", "s");
  for (int i = 0; i < 5; ++i) out.SetStringKey("s", "v", tricky[i], i);
  EXPECT_NE(out.SaveToText().find("\tv=\"say \\\"hi\\\"\",\"C:\\\\games\\\\\","),
            std::string::npos);
  ASSERT_EQ(out.Save(path), 1);
  TTSCFile in;
  ::testing::internal::CaptureStdout();
  in.Load(path);
  ::testing::internal::GetCapturedStdout();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(in.GetStringKey("s", "v", i), tricky[i]) << i;
    EXPECT_EQ(in.ResolveKey("s", "v")->ValuesType[static_cast<size_t>(i)], TSC_VALUE_STRING);
  }
}

TEST(TSCFile, NormalisationAndReplacement) {
  const std::string unicode = "\xC5\x81\xC3\xB3\x64\xC5\xBA";  // Łódź
  const std::string cp1250 =
      "\xC2\xA3\xC3\xB3\x64\xC2\x9F";  // its Windows-1250 bytes as characters
  EXPECT_EQ(TTSCFile::_tsccheck(unicode), "##d#");
  EXPECT_EQ(TTSCFile::_tsccheck(cp1250), "##d#");
  EXPECT_EQ(TTSCFile::_tsccheck("\xC4\x85\xC4\x87\xC4\x99\xC5\x84\xC5\x9B\xC5\xBC"), "######");
  EXPECT_EQ(TTSCFile::_tsccheck("caf\xC3\xA9\na\nb"),
            "caf\xC3\xA9"
            "ab");  // é stays

  TTSCFile file;
  file.LoadFromText("c{ x='Warszawa' y='  \xC2\xB3\xC3\xB3\x64\xC2\x9F\n' }");
  EXPECT_EQ(file.getKeyByValue("\xC5\x81\xC3\x93\x44\xC5\xB9", 0),
            file.ResolveKey("c", "y"));  // ŁÓDŹ
  EXPECT_EQ(file.getKeyByValue(" warszawa ", 0), file.ResolveKey("c", "x"));
  EXPECT_FALSE(file.getKeyByValue("Krakow", 0));
  EXPECT_FALSE(file.getKeyByValue("Warszawa", 100));

  EXPECT_EQ(TTSCFile::_zamien("abc", 1, "#"), "a#c");
  EXPECT_EQ(TTSCFile::_zamien("abc", 0, "xy"), "xybc");
  EXPECT_EQ(TTSCFile::_zamien("abc", 2, ""), "ab");
  EXPECT_EQ(TTSCFile::_zamien("abc", 3, "#"), "abc#");
  EXPECT_EQ(TTSCFile::_zamien("abc", 9, "#"), "abc#");
  EXPECT_EQ(TTSCFile::_zamien("abc", -1, "#"), "#abc");
  EXPECT_EQ(TTSCFile::_zamien(unicode, 1, "o"), "\xC5\x81od\xC5\xBA");  // counts characters
}

}  // namespace
}  // namespace orvela
