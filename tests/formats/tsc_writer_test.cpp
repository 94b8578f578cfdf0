// The TSC text writer: text written as it goes is the text a file of the same groups and keys
// saves, and the reader takes it back.
#include <gtest/gtest.h>

#include <string>

#include "formats/tsc_file.h"
#include "formats/tsc_writer.h"

namespace orvela {
namespace {

TEST(TSCTextWriter, WritesWhatAFileOfTheSameKeysSaves) {
  TTSCFile file;
  file.CreateGroup("", "top");
  file.SetStringKey("top", "name", "say \"hi\" C:\\x\\", 0);
  file.SetNumberKey("top", "wh", 64, 0);
  file.SetNumberKey("top", "wh", -0.5f, 1);
  file.CreateGroup("top", "inner");
  file.SetNumberKey("top::inner", "tiny", 1e-5f, 0);
  file.SetStringKey("top::inner", "empty", "", 0);
  file.SetStringKey("top::inner", "l1", "64 -20 0 2147483647", 0);
  file.CreateGroup("", "second");

  TSCTextWriter writer;
  writer.OpenGroup("top");
  writer.StringKey("name", "say \"hi\" C:\\x\\");
  writer.NumberKey("wh", {64, -0.5f});
  writer.OpenGroup("inner");
  writer.NumberKey("tiny", {1e-5f});
  writer.StringKey("empty", "");
  writer.WholeNumbersKey("l1", {64, -20, 0, 2147483647});
  writer.CloseGroup();
  writer.CloseGroup();
  writer.OpenGroup("second");
  writer.CloseGroup();
  EXPECT_EQ(writer.Text(), file.SaveToText());

  TTSCFile back;
  back.LoadFromText(writer.TakeText());
  EXPECT_EQ(back.GetStringKey("top", "name", 0), "say \"hi\" C:\\x\\");
  EXPECT_EQ(back.GetNumberKey("top", "wh", 1), -0.5f);
  EXPECT_EQ(back.GetNumberKey("top::inner", "tiny", 0), 1e-5f);
  EXPECT_EQ(back.GetStringKey("top::inner", "l1", 0), "64 -20 0 2147483647");
}

TEST(TSCTextWriter, AKeyIsWrittenAsItsValuesTypesSay) {
  TTSCFile file;
  file.LoadFromText("#define SIZE 7\ng{ k=1.5,\"two\",SIZE }");
  TSCTextWriter writer("\t");
  writer.Key(*file.ResolveKey("g", "k"));
  EXPECT_EQ(writer.Text(), "\tk=1.5,\"two\",7\n");
}

}  // namespace
}  // namespace orvela
