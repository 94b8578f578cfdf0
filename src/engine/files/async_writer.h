// AsyncFileWriter: files replaced atomically (as WriteFileAtomically does) by a thread of its
// own, so that the game's thread hands a file over and goes on without waiting for the disk.
// Of several waiting writes of one path only the newest is made. The thread touches nothing
// but the bytes it is given, the files they go to and its own queue.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace orvela {

class AsyncFileWriter {
 public:
  AsyncFileWriter() = default;
  // Makes the writes still waiting, then the thread ends.
  ~AsyncFileWriter();
  AsyncFileWriter(const AsyncFileWriter&) = delete;
  AsyncFileWriter& operator=(const AsyncFileWriter&) = delete;

  // Hands the bytes over for the file; a write of the same path that is still waiting is
  // replaced by this one. The thread starts with the first write.
  void Write(const std::string& path, std::string bytes);
  // Waits until every write handed over has been made (or has failed).
  void Flush();
  struct Failure {
    std::string path;
    std::string problem;  // what went wrong, as WriteFileAtomically tells it
  };
  // The writes that failed since the last call, in the order they failed.
  std::vector<Failure> TakeFailedWrites();
  // The same, their paths only.
  std::vector<std::string> TakeFailures();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable work_;  // something waits, or the writer stops
  std::condition_variable done_;  // a batch of writes has been made
  std::vector<std::pair<std::string, std::string>> waiting_;
  bool writing_ = false;
  bool stopping_ = false;
  std::vector<Failure> failures_;
  std::thread thread_;
};

}  // namespace orvela
