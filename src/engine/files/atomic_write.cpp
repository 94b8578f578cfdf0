// Atomic replacement of the player's files: temporary files of each write's own, moving a
// broken file aside, and cleaning up what killed writes left behind.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>

#include "engine/files/files.h"

namespace orvela {

namespace fs = std::filesystem;

namespace {

WriteFault injected_fault = WriteFault::kNone;

// The name an atomic write gives its new content until the rename ends in this; before it
// stand the writer's process id and a number of its own ("options.tsc.4711-3.tmp"), so that
// no two writes, in one copy of the game or in two, ever share a temporary file.
constexpr std::string_view kTemporarySuffix = ".tmp";

std::atomic<unsigned> temporary_count{0};
// The temporary files this process is writing now: a clean-up in this process leaves them.
std::mutex in_flight_mutex;
std::set<std::string> in_flight;

// Marks a temporary file as being written by this process while the object lives.
class InFlight {
 public:
  explicit InFlight(const std::string& path) : path_(path) {
    std::lock_guard<std::mutex> lock(in_flight_mutex);
    in_flight.insert(path_);
  }
  ~InFlight() {
    std::lock_guard<std::mutex> lock(in_flight_mutex);
    in_flight.erase(path_);
  }
  InFlight(const InFlight&) = delete;
  InFlight& operator=(const InFlight&) = delete;

 private:
  std::string path_;
};

bool IsInFlight(const std::string& path) {
  std::lock_guard<std::mutex> lock(in_flight_mutex);
  return in_flight.count(path) > 0;
}

std::string TemporaryName(const std::string& target) {
  return target + "." + std::to_string(::getpid()) + "-" + std::to_string(++temporary_count) +
         std::string(kTemporarySuffix);
}

// The process id in a temporary file's name, 0 when the name holds none (a leftover of an
// older version of the game, which named it path + ".tmp").
pid_t WriterOf(const std::string& name) {
  const size_t end = name.size() - kTemporarySuffix.size();
  const size_t dash = name.rfind('-', end);
  if (dash == std::string::npos || dash + 1 == end) return 0;
  const size_t dot = name.rfind('.', dash);
  if (dot == std::string::npos || dot + 1 == dash) return 0;
  auto digits = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      if (name[i] < '0' || name[i] > '9') return false;
    }
    return to - from <= 9;
  };
  if (!digits(dot + 1, dash) || !digits(dash + 1, end)) return 0;
  return static_cast<pid_t>(std::stol(name.substr(dot + 1, dash - dot - 1)));
}

// Whether the process that writes this temporary file may still be writing it.
bool WriterAlive(const fs::path& file) {
  const pid_t pid = WriterOf(file.filename().string());
  if (pid <= 0) return false;
  if (pid == ::getpid()) return IsInFlight(file.string());
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

// What stopped a write of `target`, for the player: the error of the step that failed.
std::string WriteProblem(int error, const fs::path& target, bool renaming) {
  const std::string folder =
      target.has_parent_path() ? target.parent_path().string() : std::string(".");
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case ENOENT:
    case ENOTDIR:
      return renaming ? target.string() + " could not be replaced"
                      : "the folder " + folder + " does not exist";
    case EACCES:
    case EPERM:
    case EROFS:
      return "the folder " + folder + " cannot be written";
    case EISDIR:
    case ENOTEMPTY:
    case EEXIST:
      return target.string() + " is a folder, not a file";
    default:
      return target.string() + " could not be written (" + std::strerror(error) + ")";
  }
}

// Makes a rename inside the folder durable (POSIX); harmless where unsupported.
void SyncFolderOf(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

void InjectWriteFaultForTesting(WriteFault fault) {
  injected_fault = fault;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* problem) {
  const fs::path target(path);
  auto fail = [&](int error, bool renaming) {
    if (problem) *problem = WriteProblem(error, target, renaming);
    return false;
  };
  // A name no other write uses, made afresh: an existing file or folder of that name (which
  // no write of ours left) only moves the write on to the next number.
  std::string temp;
  std::optional<InFlight> writing;  // marked before it exists: no clean-up takes it for stale
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(path);
    writing.emplace(temp);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return fail(errno, false);
  size_t want = bytes.size();
  if (injected_fault == WriteFault::kFailWhileWriting) want /= 2;  // as if the disk filled up
  size_t written = 0;
  int error = 0;
  while (written < want) {
    const ssize_t n = ::write(fd, bytes.data() + written, want - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    written += static_cast<size_t>(n);
  }
  if (written < bytes.size() && error == 0) error = ENOSPC;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  std::error_code ec;
  if (error != 0) {
    fs::remove(temp, ec);
    return fail(error, false);
  }
  if (injected_fault == WriteFault::kCrashBeforeRename) return false;  // the new file stays aside
  fs::rename(temp, target, ec);
  if (ec) {
    const int rename_error = ec.value();
    fs::remove(temp, ec);
    return fail(rename_error, true);
  }
  SyncFolderOf(target);
  return true;
}

std::string KeepFileAside(const std::string& path, int max_copies) {
  std::error_code ec;
  if (path.empty() || !fs::exists(fs::symlink_status(path, ec))) return std::string();
  std::string copy;
  for (int n = 1; n <= std::max(1, max_copies); ++n) {
    copy = path + ".broken" + (n == 1 ? std::string() : "." + std::to_string(n));
    if (!fs::exists(fs::symlink_status(copy, ec))) break;
  }
  // With every name taken, the last one is replaced (a folder there cannot be).
  fs::rename(path, copy, ec);
  if (ec) return std::string();
  SyncFolderOf(fs::path(copy));
  return copy;
}

int RemoveLeftoverTemporaryFiles(const std::string& folder) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool temporary = name.size() > kTemporarySuffix.size() &&
                           name.compare(name.size() - kTemporarySuffix.size(),
                                        kTemporarySuffix.size(), kTemporarySuffix) == 0;
    std::error_code kind_error;
    if (!temporary || !it->is_regular_file(kind_error)) continue;
    // A write still going on, in this copy of the game or in another, is left alone.
    if (WriterAlive(it->path())) continue;
    std::error_code remove_error;
    if (fs::remove(it->path(), remove_error)) ++removed;
  }
  return removed;
}

}  // namespace orvela
