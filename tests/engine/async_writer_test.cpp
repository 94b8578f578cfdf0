// The file writer on a thread of its own: what is handed over is on the disk after Flush, the
// newest content of a path wins, failed writes are told (each once) and leave the old file
// whole, and what is still waiting when the writer goes is written first.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/files/async_writer.h"
#include "engine/files/files.h"
#include "support/headless.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScopedTempDir;

TEST(AsyncFileWriter, WritesWhatIsHandedOverAndTheNewestContentWins) {
  ScopedTempDir dir;
  const std::string a = (dir.path() / "a.txt").string(), b = (dir.path() / "b.txt").string();
  AsyncFileWriter writer;
  writer.Flush();  // nothing handed over yet: returns at once
  for (int i = 0; i < 200; ++i) writer.Write(a, "version " + std::to_string(i));
  writer.Write(b, "other");
  writer.Flush();
  EXPECT_EQ(ReadBytes(a), "version 199");
  EXPECT_EQ(ReadBytes(b), "other");
  EXPECT_FALSE(fs::exists(a + ".tmp"));
  EXPECT_TRUE(writer.TakeFailures().empty());
}

TEST(AsyncFileWriter, AFailedWriteIsToldOnceAndTheOldFileStaysWhole) {
  ScopedTempDir dir;
  const std::string path = (dir.path() / "p.txt").string();
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  fs::create_directory(path + ".tmp");  // once in the way of every write; no longer
  const std::string folder = (dir.path() / "f.txt").string();  // a folder where a file goes
  fs::create_directories(folder + "/inside");
  const std::string nowhere = (dir.path() / "missing" / "q.txt").string();
  AsyncFileWriter writer;
  writer.Write(path, "new");
  writer.Write(folder, "x");
  writer.Write(nowhere, "x");
  writer.Flush();
  const std::vector<AsyncFileWriter::Failure> failed = writer.TakeFailedWrites();
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[0].problem, folder + " is a folder, not a file");
  EXPECT_EQ(failed[1].path, nowhere);
  EXPECT_TRUE(writer.TakeFailures().empty());
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_TRUE(fs::is_directory(folder + "/inside"));
}

TEST(AsyncFileWriter, WhatWaitsIsWrittenBeforeTheWriterGoes) {
  ScopedTempDir dir;
  const std::string path = (dir.path() / "last.txt").string();
  {
    AsyncFileWriter writer;
    writer.Write(path, std::string(1 << 20, 'x'));
    writer.Write(path, "the last word");
  }
  EXPECT_EQ(ReadBytes(path), "the last word");
}

TEST(TextEncoding, ATextNoLongerNeededIsEncodedAsAnyOther) {
  for (const std::string& text : {std::string("plain ascii\n"), std::string("caf\xC3\xA9"),
                                  std::string("\xC5\x81\xC3\xB3\x64\xC5\xBA")}) {
    const std::string expected = EncodeText(std::string_view(text));
    EXPECT_EQ(EncodeText(std::string(text)), expected);
  }
  EXPECT_EQ(EncodeText(std::string("caf\xC3\xA9")), "caf\xE9");
}

}  // namespace
}  // namespace orvela
