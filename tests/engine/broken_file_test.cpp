// The player's files read within a size limit, and a broken one kept aside with one message:
// what is said in each case, and that the caller acts before the player is told.
#include "engine/files/broken_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

#include "engine/runtime_error.h"
#include "support/headless.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

using BrokenFileTest = testing::HeadlessTest;

const FileLimit kLimit{8, "the file", "a file of tests", "there was no memory"};

TEST_F(BrokenFileTest, AFileIsReadWithinItsLimitAndEachFailureSaysWhatIsWrong) {
  const std::string path = (TempDir() / "times.tsc").string();
  int reads = 0;
  const auto count = [&] { ++reads; };
  WriteBytes(path, "12345678");  // exactly the limit
  EXPECT_EQ(ReadWithinLimit(path, kLimit, count), std::nullopt);
  EXPECT_EQ(ReadWithinLimit((TempDir() / "none").string(), kLimit, count), std::nullopt);
  EXPECT_EQ(reads, 2);  // a missing file is the reader's to fail on

  WriteBytes(path, "123456789");
  EXPECT_EQ(ReadWithinLimit(path, kLimit, count),
            "the file is 9 bytes long, more than a file of tests can be");
  EXPECT_EQ(reads, 2);  // not read
  WriteBytes(path, "1");
  EXPECT_EQ(ReadWithinLimit(path, kLimit, [] { RaiseRuntimeError("no group"); }), "no group");
  EXPECT_EQ(ReadWithinLimit(path, kLimit, [] { throw std::bad_alloc(); }), "there was no memory");
}

TEST_F(BrokenFileTest, ABrokenFileIsKeptAsideAndSaidInOneMessage) {
  const std::string path = (TempDir() / "options.tsc").string();
  const BrokenFileNotice notice{"trace", "Could not be read.", "Kept as ", ", so there.",
                                "Not moved."};
  WriteBytes(path, "first");
  size_t told_before = 99;
  EXPECT_EQ(KeepBrokenFileAside(path, notice,
                                [&](bool kept) {
                                  EXPECT_TRUE(kept);
                                  told_before = platform().Messages().size();
                                  return std::string();
                                }),
            path + ".broken");
  EXPECT_EQ(told_before, 0u);  // the caller acts before the player is told
  WriteBytes(path, "second");
  EXPECT_EQ(KeepBrokenFileAside(path, notice, [](bool) { return std::string("And more."); }),
            path + ".broken.2");
  EXPECT_EQ(ReadBytes(path + ".broken"), "first");
  EXPECT_EQ(ReadBytes(path + ".broken.2"), "second");
  EXPECT_FALSE(fs::exists(path));

  // Nothing to move: the file is gone.
  EXPECT_EQ(KeepBrokenFileAside(path, notice,
                                [](bool kept) { return std::string(kept ? "" : "Not kept."); }),
            "");
  EXPECT_EQ(KeepBrokenFileAside(path, {"trace", "Could not be read.", "", "", ""}), "");
  const std::vector<std::string> expected = {
      "Could not be read.\nKept as options.tsc.broken, so there.",
      "Could not be read.\nKept as options.tsc.broken.2, so there.\nAnd more.",
      "Could not be read.\nNot moved.\nNot kept.",
      "Could not be read.",
  };
  EXPECT_EQ(platform().Messages(), expected);
}

}  // namespace
}  // namespace orvela
