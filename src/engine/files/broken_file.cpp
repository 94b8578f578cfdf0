// Reading the player's files within a size limit, and keeping a broken one aside.
#include "engine/files/broken_file.h"

#include <filesystem>
#include <new>

#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "engine/system.h"

namespace orvela {

void CheckFileSize(const std::string& path, const FileLimit& limit) {
  const int64_t size = FileSize(path);
  if (size > limit.max_bytes) {
    RaiseRuntimeError(limit.subject + " is " + std::to_string(size) + " bytes long, more than " +
                      limit.kind + " can be");
  }
}

std::optional<std::string> ReadWithinLimit(const std::string& path, const FileLimit& limit,
                                           const std::function<void()>& read) {
  try {
    CheckFileSize(path, limit);
    read();
  } catch (const RuntimeError& error) {
    return std::string(error.what());
  } catch (const std::bad_alloc&) {
    return limit.out_of_memory;
  }
  return std::nullopt;
}

std::string KeepBrokenFileAside(const std::string& path, const BrokenFileNotice& notice,
                                const BeforeTelling& before_telling) {
  Print(notice.trace);
  const std::string copy = KeepFileAside(path);
  std::string text = notice.opening;
  if (!copy.empty()) {
    text += "\n" + notice.kept_before + std::filesystem::path(copy).filename().string() +
            notice.kept_after;
  } else if (!notice.not_moved.empty()) {
    text += "\n" + notice.not_moved;
  }
  if (before_telling) {
    const std::string more = before_telling(!copy.empty());
    if (!more.empty()) text += "\n" + more;
  }
  Notify(text, 0);
  return copy;
}

}  // namespace orvela
