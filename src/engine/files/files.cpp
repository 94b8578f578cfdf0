// File access: case-insensitive path resolution, whole-file reads, kinds of paths, folders,
// text encodings and line streams (atomic writes: atomic_write.cpp).
#include "engine/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/platform/sdl/sdl_library.h"
#include "engine/runtime_error.h"
#include "engine/text/utf8.h"

namespace orvela {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::string ResolveDataPath(const std::string& path) {
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  const fs::path wanted(path);
  fs::path resolved = wanted.root_path();
  for (const fs::path& part : wanted.relative_path()) {
    const fs::path exact = resolved / part;
    if (part == "." || part == ".." || fs::exists(exact, ec)) {
      resolved = exact;
      continue;
    }
    const fs::path dir = resolved.empty() ? fs::path(".") : resolved;
    bool found = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (SameIgnoringCase(name, part.string())) {
        resolved /= name;
        found = true;
        break;
      }
    }
    if (!found) return path;
  }
  return resolved.string();
}

namespace {

// Reads a whole regular file straight into the buffer (bytes or a string), without a copy
// between.
template <typename Buffer>
bool ReadWholeFile(const std::string& path, Buffer& bytes) {
  bytes.clear();
  const std::string resolved = ResolveDataPath(path);
  // Only a regular file is read. A folder "seeks" to an end 2^63 bytes away, a device never
  // ends, and opening a pipe waits for a writer that may never come: the open does not block,
  // and whatever it opened is checked before a byte is read, so every loader fails on such a
  // path the way it fails on a missing file.
  const int fd = ::open(resolved.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  // Room for the size the file has and a byte more, to see its end (or that it has grown);
  // more room for as long as it goes on.
  size_t have = 0;
  if (ok) bytes.resize(static_cast<size_t>(std::max<off_t>(0, info.st_size)) + 1);
  while (ok) {
    if (have == bytes.size()) bytes.resize(have + std::max<size_t>(have / 2, 65536));
    const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
    if (got == 0) break;
    if (got < 0) {
      ok = errno == EINTR;
      continue;
    }
    have += static_cast<size_t>(got);
  }
  ::close(fd);
  if (ok) {
    bytes.resize(have);
  } else {
    bytes.clear();
  }
  return ok;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  return ReadWholeFile(path, bytes);
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::status(path, ec));
}

std::string ProgramFolder() {
  return SdlProgramFolder();
}

bool ChangeToProgramFolder() {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return false;
  std::error_code ec;
  fs::current_path(folder, ec);
  return !ec;
}

namespace {

std::string Latin1Bytes(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  std::string bytes;
  for (char32_t c : DecodeUtf8(text)) bytes.push_back(static_cast<char>(c < 256 ? c : '?'));
  return bytes;
}

std::string FromLatin1(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size());
  for (unsigned char c : bytes) AppendUtf8(text, c);
  return text;
}

std::string FromUtf16(std::string_view bytes, bool big_endian) {
  std::u32string text;
  text.reserve(bytes.size() / 2);
  auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (a << 8) | b : (b << 8) | a;
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        text.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    text.push_back(u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
  }
  return EncodeUtf8(text);
}

}  // namespace

int64_t FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

int FileKind(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return FILE_NONE;
  return fs::is_directory(status) ? FILE_FOLDER : FILE_REGULAR;
}

int MakeDir(const std::string& path, int recurse) {
  std::error_code ec;
  if (recurse) {
    fs::create_directories(path, ec);
  } else {
    fs::create_directory(path, ec);
  }
  return FileKind(path) == FILE_FOLDER ? 1 : 0;
}

int CreateFile(const std::string& path) {
  if (FileKind(path) == FILE_NONE) {
    if (FILE* file = std::fopen(path.c_str(), "ab")) std::fclose(file);
  }
  return FileKind(path) == FILE_REGULAR ? 1 : 0;
}

std::string DecodeText(std::string_view bytes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  if (starts("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (starts("\xEF\xBB\xBF")) return EncodeUtf8(DecodeUtf8(bytes.substr(3)));
  return FromLatin1(bytes);
}

std::string EncodeText(std::string_view text) {
  if (IsAscii(text)) return std::string(text);  // the common case: Latin-1 as it is
  const std::u32string chars = DecodeUtf8(text);
  bool latin1 = true;
  for (char32_t c : chars) latin1 = latin1 && c < 256;
  if (latin1) return Latin1Bytes(text);
  std::string bytes = "\xFF\xFE";
  auto put = [&](char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 255));
    bytes.push_back(static_cast<char>(unit >> 8));
  };
  for (char32_t c : chars) {
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return bytes;
}

std::string DecodeText(std::string&& bytes) {
  // Every byte-order mark has bytes beyond ASCII: ASCII bytes are the text as they are.
  if (IsAscii(bytes)) return std::move(bytes);
  return DecodeText(std::string_view(bytes));
}

std::optional<std::string> TryLoadText(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return std::nullopt;
  return DecodeText(std::move(bytes));
}

std::string LoadText(const std::string& path) {
  std::optional<std::string> text = TryLoadText(path);
  if (!text) RaiseRuntimeError("could not open file: " + path);
  return std::move(*text);
}

std::string EncodeText(std::string&& text) {
  if (IsAscii(text)) return std::move(text);
  return EncodeText(std::string_view(text));
}

bool SaveText(const std::string& text, const std::string& path) {
  return WriteFileAtomically(path, EncodeText(text));
}

std::shared_ptr<TStream> TStream::ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return nullptr;
  std::shared_ptr<TStream> stream(new TStream());
  stream->path_ = path;
  stream->content_.assign(bytes.begin(), bytes.end());
  return stream;
}

std::shared_ptr<TStream> TStream::WriteFile(const std::string& path) {
  const fs::path file(path);
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (path.empty() || FileKind(folder.string()) != FILE_FOLDER || FileKind(path) == FILE_FOLDER) {
    return nullptr;
  }
  std::shared_ptr<TStream> stream(new TStream());
  stream->path_ = path;
  stream->writing_ = true;
  return stream;
}

TStream::~TStream() {
  Close();
}

std::string TStream::ReadLine() {
  if (writing_ || closed_) return std::string();
  std::string bytes;
  while (position_ < content_.size()) {
    const char c = content_[position_++];
    if (c == '\n' || c == '\0') break;
    if (c != '\r') bytes.push_back(c);
  }
  return FromLatin1(bytes);
}

bool TStream::WriteLine(const std::string& text) {
  if (!writing_ || closed_) return false;
  content_ += Latin1Bytes(text);
  content_ += "\r\n";
  return true;
}

bool TStream::Eof() const {
  return writing_ || closed_ || position_ >= content_.size();
}

bool TStream::Close() {
  if (closed_) return true;
  closed_ = true;
  return writing_ ? WriteFileAtomically(path_, content_) : true;
}

}  // namespace orvela
