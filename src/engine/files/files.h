// File access of the engine: kinds of paths, folders, whole text files in Latin-1 or UTF-16,
// line streams, and atomic replacement of files.
//
// Game data paths resolve case-insensitively when the exact path does not exist, so
// "gfx/GUI/x.png" finds "gfx/gui/x.png" on every file system.
//
// Every writer of the player's files replaces the file atomically: the new content goes to a
// temporary file beside it, is flushed to the disk, and is then renamed over the old file, so
// a crash or a full disk in the middle of a save never leaves a half-written file. A failed
// write returns false and leaves the old file as it was. Each write has a temporary file of
// its own (named with the writer's process id and a number), so two writes never meet in one.
//
// Only regular files are read: a folder, a device or a pipe where a file should be fails to
// load as a missing file does, at once (opening a pipe does not wait for a writer).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/object.h"

namespace orvela {

// The path as given when it exists; otherwise the existing path whose components match it
// ignoring ASCII letter case; otherwise the path as given.
std::string ResolveDataPath(const std::string& path);

// Reads a whole regular file (resolved as above); false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);
// Whether the path (followed through links) is a regular file: not a folder, a device or a
// pipe.
bool IsRegularFile(const std::string& path);

// Writes a whole file atomically (see above); false on any failure, with what went wrong in
// `problem` when given ("the disk is full", "the folder ... cannot be written", ...).
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* problem = nullptr);

// The folder that holds the running program (no trailing separator), or "" when unknown.
std::string ProgramFolder();
// Makes the program's folder the working directory; false when that failed.
bool ChangeToProgramFolder();

enum FileKindValue : int { FILE_NONE = 0, FILE_REGULAR = 1, FILE_FOLDER = 2 };
// 0 nothing there, 1 a file, 2 a folder.
int FileKind(const std::string& path);
// Creates the folder (with recurse, every missing parent too); 1 when it exists afterwards.
int MakeDir(const std::string& path, int recurse = 0);
// Creates an empty file when there is none; 1 when it exists afterwards.
int CreateFile(const std::string& path);

// Text of a file's bytes: a byte-order mark selects UTF-16 big-endian (FE FF), UTF-16
// little-endian (FF FE) or UTF-8 (EF BB BF); without one the bytes are Latin-1.
std::string DecodeText(std::string_view bytes);
// The same for bytes that are no longer needed: ASCII bytes are returned as they are, not
// copied.
std::string DecodeText(std::string&& bytes);
// The bytes SaveText writes: Latin-1 when every character is below 256, otherwise UTF-16
// little-endian after the mark FF FE.
std::string EncodeText(std::string_view text);
// The same for a text that is no longer needed: ASCII text is returned as it is, not copied.
std::string EncodeText(std::string&& text);

// The whole text of a file; raises a RuntimeError ("could not open file: " + path) when the
// file cannot be read.
std::string LoadText(const std::string& path);
// The same without raising: no value when the file cannot be read.
std::optional<std::string> TryLoadText(const std::string& path);
// Writes the text atomically (see EncodeText); false when it could not be written.
bool SaveText(const std::string& text, const std::string& path);

// A file read or written line by line. Characters are single bytes (Latin-1). A line ends at
// a line feed or a zero byte; carriage returns are dropped. WriteLine ends lines with CR LF.
// A written file replaces the old one atomically when the stream is closed.
class TStream : public TObject {
 public:
  static std::shared_ptr<TStream> ReadFile(const std::string& path);   // null on failure
  static std::shared_ptr<TStream> WriteFile(const std::string& path);  // null on failure
  ~TStream() override;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  std::string ReadLine();
  bool WriteLine(const std::string& text);
  bool Eof() const;
  // Ends reading, or finishes writing (flush and rename); false when writing failed.
  bool Close();

 private:
  TStream() = default;
  std::string path_;
  std::string content_;  // what was read, or what is being written
  size_t position_ = 0;
  bool writing_ = false;
  bool closed_ = false;
};

// Moves a file that could not be read out of the way, for the player to look at: to
// path + ".broken", or, when earlier copies are there, to the first free of ".broken.2" …
// ".broken.N" (N = max_copies). When all are taken the newest, ".broken.N", is replaced, so
// the earliest copies stay. Returns the copy's path, or "" when the file could not be moved.
std::string KeepFileAside(const std::string& path, int max_copies = 5);

// Removes what atomic writes leave behind when the program is killed in the middle of one:
// the files of the folder whose names end in ".tmp" (the files they were to replace are
// whole) and whose writer is gone. A temporary file of a process that still runs (this one's
// writes going on, or another copy of the game) is left alone. Returns how many were removed.
int RemoveLeftoverTemporaryFiles(const std::string& folder);

// The size of a file in bytes; -1 when there is no file (or it is a folder).
int64_t FileSize(const std::string& path);
// The path made absolute against the working directory (as given when that fails).
std::string AbsolutePath(const std::string& path);

// Test seam: makes the next atomic writes fail at a chosen step, to show that the old file
// survives. Not used by the game.
enum class WriteFault { kNone, kFailWhileWriting, kCrashBeforeRename };
void InjectWriteFaultForTesting(WriteFault fault);

}  // namespace orvela
