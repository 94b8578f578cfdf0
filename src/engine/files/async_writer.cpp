// AsyncFileWriter.
#include "engine/files/async_writer.h"

#include "engine/files/files.h"

namespace orvela {

AsyncFileWriter::~AsyncFileWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  work_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void AsyncFileWriter::Write(const std::string& path, std::string bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    bool replaced = false;
    for (auto& entry : waiting_) {
      if (entry.first == path) {
        entry.second = std::move(bytes);
        replaced = true;
        break;
      }
    }
    if (!replaced) waiting_.emplace_back(path, std::move(bytes));
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  work_.notify_one();
}

void AsyncFileWriter::Flush() {
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return waiting_.empty() && !writing_; });
}

std::vector<AsyncFileWriter::Failure> AsyncFileWriter::TakeFailedWrites() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(failures_, {});
}

std::vector<std::string> AsyncFileWriter::TakeFailures() {
  std::vector<std::string> paths;
  for (Failure& failure : TakeFailedWrites()) paths.push_back(std::move(failure.path));
  return paths;
}

void AsyncFileWriter::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return !waiting_.empty() || stopping_; });
    if (waiting_.empty()) return;  // stopping, with everything written
    std::vector<std::pair<std::string, std::string>> batch = std::exchange(waiting_, {});
    writing_ = true;
    lock.unlock();
    std::vector<Failure> failed;
    for (const auto& [path, bytes] : batch) {
      std::string problem;
      if (!WriteFileAtomically(path, bytes, &problem)) failed.push_back({path, problem});
    }
    lock.lock();
    writing_ = false;
    failures_.insert(failures_.end(), failed.begin(), failed.end());
    done_.notify_all();
  }
}

}  // namespace orvela
