// Test support: a fresh engine on the headless platform for every test, and a private
// temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"

namespace orvela::testing {

// Each test gets its own engine context with an open 800 × 600 headless display.
class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessTest();
  ~HeadlessTest() override;

  HeadlessPlatform& platform() { return *platform_; }
  // The canvas of the software renderer.
  const TPixmap& canvas() { return platform_->Software()->Canvas(); }
  uint32_t Pixel(int x, int y) { return canvas().ReadPixel(x, y); }
  // A folder that exists for this test only.
  const std::filesystem::path& TempDir();

 private:
  HeadlessPlatform* platform_;
  std::unique_ptr<EngineScope> scope_;
  std::filesystem::path temp_;
};

// A folder removed when the object goes.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A solid PF_BGRA8888 buffer.
PixmapRef SolidPixmap(int width, int height, uint32_t argb);

// Writes bytes to a file.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace orvela::testing
