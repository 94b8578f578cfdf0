// Test support.
#include "support/headless.h"
#include "engine/context.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace orvela::testing {

namespace fs = std::filesystem;

ScopedTempDir::ScopedTempDir() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("orvela-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

HeadlessTest::HeadlessTest() {
  auto platform = std::make_unique<HeadlessPlatform>();
  platform_ = platform.get();
  scope_ = std::make_unique<EngineScope>(std::move(platform));
  OpenGraphics(800, 600, 0, 60, 0);
}

HeadlessTest::~HeadlessTest() {
  std::error_code ec;
  if (!temp_.empty()) fs::remove_all(temp_, ec);
}

const fs::path& HeadlessTest::TempDir() {
  if (temp_.empty()) {
    static std::atomic<int> counter{0};
    temp_ = fs::temp_directory_path() /
            ("orvela-test-" + std::to_string(::getpid()) + "-h" + std::to_string(counter++));
    fs::remove_all(temp_);
    fs::create_directories(temp_);
  }
  return temp_;
}

PixmapRef SolidPixmap(int width, int height, uint32_t argb) {
  auto pixmap = TPixmap::Create(width, height, PF_BGRA8888, 4);
  pixmap->ClearPixels(argb);
  return pixmap;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace orvela::testing
