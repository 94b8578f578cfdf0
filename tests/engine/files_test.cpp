// Files and system: path kinds, folders, text encodings in both directions, atomic saves that
// survive failures, line streams, the system services and runtime errors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/files/data_folder.h"
#include "engine/files/files.h"
#include "engine/image/image.h"
#include "engine/runtime_error.h"
#include "engine/system.h"
#include "engine/text/font.h"
#include "support/headless.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::HeadlessTest;
using testing::ReadBytes;
using testing::WriteBytes;

using FilesTest = HeadlessTest;

TEST_F(FilesTest, KindsFoldersAndEmptyFiles) {
  const fs::path root = TempDir();
  EXPECT_EQ(FileKind((root / "none").string()), FILE_NONE);
  EXPECT_EQ(FileKind(root.string()), FILE_FOLDER);
  EXPECT_EQ(MakeDir((root / "a" / "b" / "c").string(), 0), 0);  // parents missing
  EXPECT_EQ(MakeDir((root / "a" / "b" / "c").string(), 1), 1);
  EXPECT_EQ(FileKind((root / "a" / "b").string()), FILE_FOLDER);
  EXPECT_EQ(MakeDir((root / "a").string(), 0), 1);  // already there
  EXPECT_EQ(CreateFile((root / "a" / "f.txt").string()), 1);
  EXPECT_EQ(FileKind((root / "a" / "f.txt").string()), FILE_REGULAR);
  EXPECT_EQ(MakeDir((root / "a" / "f.txt").string(), 0), 0);  // a file is in the way
  EXPECT_EQ(CreateFile((root / "x" / "f.txt").string()), 0);
}

TEST_F(FilesTest, LoadTextFollowsTheByteOrderMark) {
  const fs::path f = TempDir() / "t.txt";
  WriteBytes(f, std::string("\xFE\xFF\x00\x41\x01\x41", 6));  // UTF-16 BE: A, Ł
  EXPECT_EQ(LoadText(f.string()), "A\xC5\x81");
  WriteBytes(f, std::string("\xFF\xFE\x41\x00\x41\x01\x3D\xD8\x00\xDE", 10));  // LE with 😀
  EXPECT_EQ(LoadText(f.string()), "A\xC5\x81\xF0\x9F\x98\x80");
  WriteBytes(f, "\xEF\xBB\xBF\xC5\x81\xC3\xB3");  // UTF-8: Łó
  EXPECT_EQ(LoadText(f.string()), "\xC5\x81\xC3\xB3");
  WriteBytes(f, "\xA3\xF3\x64\x9F");  // Latin-1 bytes, each a character
  EXPECT_EQ(LoadText(f.string()), "\xC2\xA3\xC3\xB3\x64\xC2\x9F");
  WriteBytes(f, "");
  EXPECT_EQ(LoadText(f.string()), "");
}

TEST_F(FilesTest, SaveTextPicksLatin1OrUtf16AndComesBack) {
  const fs::path f = TempDir() / "s.txt";
  ASSERT_TRUE(SaveText("caf\xC3\xA9\n", f.string()));  // café: all below 256
  EXPECT_EQ(ReadBytes(f), "caf\xE9\n");
  const std::string wide = "\xC5\x81\xC3\xB3\x64\xC5\xBA \xF0\x9F\x98\x80";  // Łódź 😀
  ASSERT_TRUE(SaveText(wide, f.string()));
  EXPECT_EQ(ReadBytes(f).substr(0, 4), std::string("\xFF\xFE\x41\x01", 4));
  EXPECT_EQ(LoadText(f.string()), wide);
  EXPECT_FALSE(fs::exists(f.string() + ".tmp"));
}

TEST_F(FilesTest, AnInterruptedSaveLeavesTheOldFileWhole) {
  const fs::path f = TempDir() / "options.tsc";
  ASSERT_TRUE(SaveText("old settings\n", f.string()));
  InjectWriteFaultForTesting(WriteFault::kFailWhileWriting);
  EXPECT_FALSE(SaveText("new settings that do not fit\n", f.string()));
  InjectWriteFaultForTesting(WriteFault::kCrashBeforeRename);
  EXPECT_FALSE(SaveText("new settings\n", f.string()));
  InjectWriteFaultForTesting(WriteFault::kNone);
  EXPECT_EQ(LoadText(f.string()), "old settings\n");
  EXPECT_TRUE(SaveText("new settings\n", f.string()));  // the leftover temporary is replaced
  EXPECT_EQ(LoadText(f.string()), "new settings\n");
  EXPECT_FALSE(SaveText("x", (TempDir() / "no" / "such" / "folder.txt").string()));
}

TEST_F(FilesTest, LeftoversOfAKilledSaveAreRemovedAndNothingElse) {
  const fs::path f = TempDir() / "options.tsc";
  ASSERT_TRUE(SaveText("old settings\n", f.string()));
  InjectWriteFaultForTesting(WriteFault::kCrashBeforeRename);  // killed before the rename
  EXPECT_FALSE(SaveText("new settings\n", f.string()));
  InjectWriteFaultForTesting(WriteFault::kNone);
  std::vector<fs::path> leftovers;
  for (const auto& entry : fs::directory_iterator(TempDir())) {
    if (entry.path().extension() == ".tmp") leftovers.push_back(entry.path());
  }
  ASSERT_EQ(leftovers.size(), 1u);  // options.tsc.<this process>-<n>.tmp, no write of it going on
  WriteBytes(TempDir() / "game.prof.tmp", "half a profile");     // an older version's name
  WriteBytes(TempDir() / "game.prof.999999999-1.tmp", "gone");   // no such process
  WriteBytes(TempDir() / "game.prof.1-1.tmp", "being written");  // a process that runs
  fs::create_directories(TempDir() / "folder.tmp");
  WriteBytes(TempDir() / ".tmp", "a name that is only the ending");
  EXPECT_EQ(RemoveLeftoverTemporaryFiles(TempDir().string()), 3);
  EXPECT_FALSE(fs::exists(leftovers[0]));
  EXPECT_FALSE(fs::exists(TempDir() / "game.prof.tmp"));
  EXPECT_FALSE(fs::exists(TempDir() / "game.prof.999999999-1.tmp"));
  EXPECT_TRUE(fs::exists(TempDir() / "game.prof.1-1.tmp"));
  EXPECT_TRUE(fs::is_directory(TempDir() / "folder.tmp"));
  EXPECT_TRUE(fs::exists(TempDir() / ".tmp"));
  EXPECT_EQ(LoadText(f.string()), "old settings\n");
  EXPECT_EQ(RemoveLeftoverTemporaryFiles((TempDir() / "none").string()), 0);
}

// Two copies of the game once wrote one temporary file, and a starting one removed it while
// the other wrote: the profile held one copy's header, zero bytes and the other's tail. Two
// processes now save the same file over and over while a third cleans up: every save is made,
// and the file is always one of them, whole.
TEST_F(FilesTest, TwoProcessesSavingOneFileNeverMixOrLoseTheirWrites) {
  const std::string path = (TempDir() / "tobrin.prof").string();
  const std::string folder = TempDir().string();
  auto content = [](char c) { return std::string(200000, c); };
  ASSERT_TRUE(WriteFileAtomically(path, content('a')));
  std::vector<pid_t> children;
  for (char c : {'b', 'c', 'x'}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      bool ok = true;
      for (int i = 0; i < 40; ++i) {
        if (c == 'x') {
          RemoveLeftoverTemporaryFiles(folder);
        } else {
          ok = WriteFileAtomically(path, content(c)) && ok;
        }
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (int i = 0; i < 40; ++i) {
    const std::string now = ReadBytes(path);
    EXPECT_TRUE(now == content('a') || now == content('b') || now == content('c'))
        << now.size() << " bytes";
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
  }
  EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder), 0);  // nothing was left behind
}

TEST_F(FilesTest, BrokenFilesAreKeptAsideWithoutLosingEarlierCopies) {
  const fs::path f = TempDir() / "options.tsc";
  const std::string base = f.string();
  for (int n = 1; n <= 6; ++n) {
    WriteBytes(f, "broken " + std::to_string(n));
    const std::string expected = n == 1   ? base + ".broken"
                                 : n <= 4 ? base + ".broken." + std::to_string(n)
                                          : base + ".broken.4";
    EXPECT_EQ(KeepFileAside(base, 4), expected) << n;
    EXPECT_FALSE(fs::exists(f));
  }
  EXPECT_EQ(ReadBytes(base + ".broken"), "broken 1");  // the earliest copies stay
  EXPECT_EQ(ReadBytes(base + ".broken.2"), "broken 2");
  EXPECT_EQ(ReadBytes(base + ".broken.3"), "broken 3");
  EXPECT_EQ(ReadBytes(base + ".broken.4"), "broken 6");  // the newest replaces the last one
  EXPECT_FALSE(fs::exists(base + ".broken.5"));
  EXPECT_EQ(KeepFileAside(base), "");  // nothing there to keep
  // A path below a file names nothing to keep: "".
  WriteBytes(TempDir() / "plain", "x");
  EXPECT_EQ(KeepFileAside((TempDir() / "plain" / "options.tsc").string()), "");

  EXPECT_EQ(FileSize(base + ".broken"), 8);
  EXPECT_EQ(FileSize(base), -1);
  EXPECT_EQ(FileSize(TempDir().string()), -1);
}

TEST_F(FilesTest, LineStreams) {
  const fs::path f = TempDir() / "lines.txt";
  auto out = TStream::WriteFile(f.string());
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->WriteLine("first \xC3\xA9"));
  EXPECT_TRUE(out->WriteLine(""));
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(ReadBytes(f), "first \xE9\r\n\r\n");
  WriteBytes(f, std::string("one\r\ntwo\0three\nlast", 19));
  auto in = TStream::ReadFile(f.string());
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "one");
  EXPECT_EQ(in->ReadLine(), "two");
  EXPECT_EQ(in->ReadLine(), "three");
  EXPECT_FALSE(in->Eof());
  EXPECT_EQ(in->ReadLine(), "last");
  EXPECT_TRUE(in->Eof());
  EXPECT_FALSE(TStream::ReadFile((TempDir() / "missing").string()));
  EXPECT_FALSE(TStream::WriteFile((TempDir() / "missing" / "x.txt").string()));
}

TEST_F(FilesTest, SystemServicesOnTheHeadlessPlatform) {
  platform().SetAppDataPath("/home/someone/.local/share");
  EXPECT_EQ(UserAppDataPath(kAppDataFolder), "/home/someone/.local/share");
  EXPECT_EQ(UserAppDataPath(999), "");
  Notify("Hello", 0);
  OpenURL("https://example.org/");
  EXPECT_EQ(platform().Messages(), std::vector<std::string>{"Hello"});
  EXPECT_EQ(platform().Urls(), std::vector<std::string>{"https://example.org/"});
  ::testing::internal::CaptureStdout();
  Print("a trace line");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "a trace line\n");
}

TEST_F(FilesTest, LoadTextOfAMissingFileRaises) {
  const std::string missing = (TempDir() / "gone.tsc").string();
  EXPECT_FALSE(TryLoadText(missing));
  try {
    LoadText(missing);
    FAIL() << "no error raised";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), "could not open file: " + missing);
  }
  // A folder where a file should be is no file: once its "size" (the end a folder stream
  // seeks to) was taken as a length to read, 2^63 bytes.
  const fs::path folder = TempDir() / "options.tsc";
  fs::create_directories(folder);
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadFileBytes(folder.string(), bytes));
  EXPECT_FALSE(TryLoadText(folder.string()));
  EXPECT_THROW(LoadText(folder.string()), RuntimeError);
}

TEST_F(FilesTest, EveryLoaderFailsOnAFolderAsOnAMissingFile) {
  // A folder opens as a stream on Linux and reports an enormous size; opening a pipe waited
  // forever for a writer; a device never ends. No loader may try to read any of them.
  const fs::path folder = TempDir() / "picture.png";
  fs::create_directories(folder);
  const fs::path pipe = TempDir() / "sound.ogg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const fs::path device = TempDir() / "font.ttf";
  fs::create_symlink("/dev/zero", device);
  for (const fs::path& not_a_file : {folder, pipe, device}) {
    const std::string path = not_a_file.string();
    SCOPED_TRACE(path);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(IsRegularFile(path));
    EXPECT_FALSE(ReadFileBytes(path, bytes));
    EXPECT_EQ(TImage::Load(path, -1), nullptr);
    EXPECT_EQ(LoadPixmapFile(path), nullptr);
    EXPECT_EQ(TSound::Load(path, 0), nullptr);
    EXPECT_EQ(TImageFont::Load(path, 14, 0), nullptr);
    EXPECT_EQ(TStream::ReadFile(path), nullptr);
    EXPECT_FALSE(TryLoadText(path));
    EXPECT_THROW(LoadText(path), RuntimeError);
  }
}

TEST(RuntimeErrorDeathTest, AnUncaughtErrorEndsWithItsMessageAndStatus255) {
  EXPECT_EXIT(std::exit(RunGuarded([]() -> int { RaiseRuntimeError("ERROR: broken file"); })),
              ::testing::ExitedWithCode(255), "ERROR: broken file");
  EXPECT_EQ(RunGuarded([] { return 7; }), 7);
}

// The game's data: beside the program (the build folder) before the installed share folder.
TEST(DataFolderTest, BesideTheProgramThenInstalledThenTheProgramsOwnFolder) {
  namespace fs = std::filesystem;
  const testing::ScopedTempDir temp;
  const fs::path prefix = temp.path() / "prefix";
  const fs::path bin = prefix / "bin";
  const fs::path share = prefix / "share" / "orvela-puzzle";
  fs::create_directories(bin);
  EXPECT_EQ(InstalledDataFolder(bin.string()), share.string());
  EXPECT_EQ(GameDataFolder(bin.string()), bin.string());  // nothing anywhere: reported there
  fs::create_directories(share / "gfx");
  EXPECT_EQ(GameDataFolder(bin.string()), share.string());
  fs::create_directories(bin / "gfx");
  EXPECT_EQ(GameDataFolder(bin.string()), bin.string());
}

}  // namespace
}  // namespace orvela
