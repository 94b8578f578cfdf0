// Which SDL renderer draws the window: a GL that rasterises on the CPU gives way to SDL's
// software renderer, a machine without a GPU device never loads a GL driver, and a render
// driver named in SDL_RENDER_DRIVER is always the one used.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/platform/sdl/sdl_platform.h"
#include "engine/platform/sdl/sdl_renderer.h"
#include "engine/render/renderer.h"
#include "support/sdl_environment.h"

namespace orvela {
namespace {

using testing::DriverAllocations;
using testing::GlDriverLoaded;
using testing::ScopedEnv;
namespace fs = std::filesystem;

TEST(RendererChoiceTest, OnlyAGlRendererOnACpuRasteriserGivesWay) {
  for (const char* cpu : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                          "Mesa DRI swrast", "Gallium 0.4 on SWR", "Apple Software Renderer",
                          "D3D12 (Microsoft Basic Render Driver)", "GDI Generic"}) {
    EXPECT_TRUE(PreferSoftwareRenderer("opengl", cpu)) << cpu;
    EXPECT_TRUE(PreferSoftwareRenderer("opengles2", cpu)) << cpu;
    EXPECT_FALSE(PreferSoftwareRenderer("direct3d11", cpu)) << cpu;  // no GL string to judge
  }
  // LLVM in a GPU's name is its shader compiler; SWR only as a word of its own.
  for (const char* gpu : {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)",
                          "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "NVIDIA GeForce GTX 1080",
                          "virgl (AMD Radeon Graphics)", "ANSWR 3D", "SWRX", ""}) {
    EXPECT_FALSE(PreferSoftwareRenderer("opengl", gpu)) << gpu;
  }
  EXPECT_FALSE(PreferSoftwareRenderer("software", ""));
}

class DeviceFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("orvela-devices-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  void Add(const std::string& device) {
    fs::create_directories((folder_ / device).parent_path());
    std::ofstream(folder_ / device).put('\0');
  }
  std::string Folder() const { return folder_.string(); }

 private:
  fs::path folder_;
};

TEST_F(DeviceFolderTest, AGpuIsARenderNodeOrAVendorsDevice) {
#if !defined(__linux__)
  GTEST_SKIP() << "only Linux's devices are looked at";
#endif
  EXPECT_FALSE(GpuDevicePresent(Folder()));
  EXPECT_FALSE(GpuDevicePresent(Folder() + "/missing"));
  Add("dri/card0");  // a display without a GPU (a firmware frame buffer, a virtual machine's)
  Add("dri/by-path/platform-simple-framebuffer.0-card");
  EXPECT_FALSE(GpuDevicePresent(Folder()));
  Add("dri/renderD128");
  EXPECT_TRUE(GpuDevicePresent(Folder()));
  fs::remove_all(Folder() + "/dri");
  Add("nvidiactl");
  EXPECT_TRUE(GpuDevicePresent(Folder()));
}

// A frame with one white canvas pixel, read back through the platform's renderer.
uint32_t DrawnWhitePixel(SdlPlatform& platform) {
  Renderer& renderer = *platform.GetRenderer();
  renderer.Clear();
  QuadDraw white;
  white.src_w = white.src_h = 1;
  white.x = 3, white.y = 2;
  renderer.DrawQuad(white);
  const uint32_t pixel = renderer.ReadPixels(3, 2, 1, 1)->Row32(0)[0] & 0xFFFFFFu;
  renderer.FinishFrame(true);
  platform.Present(false);
  return pixel;
}

TEST_F(DeviceFolderTest, WithoutAGpuDeviceNoGlDriverIsLoaded) {
#if !defined(__linux__)
  GTEST_SKIP() << "only Linux's devices are looked at";
#endif
  if (!std::ifstream("/proc/self/maps")) GTEST_SKIP() << "no /proc here";
  if (GlDriverLoaded()) GTEST_SKIP() << "an earlier test of this process loaded one";
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", std::nullopt);
  SdlPlatform platform(Folder());
  DisplayMode mode;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  EXPECT_EQ(platform.RenderDriver(), "software");
  EXPECT_EQ(DrawnWhitePixel(platform), 0xFFFFFFu);
  EXPECT_FALSE(GlDriverLoaded());
}

TEST_F(DeviceFolderTest, WithAGpuDeviceTheGlIsAskedAndACpuRasteriserGivesWay) {
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", std::nullopt);
  Add("dri/renderD128");
  SdlPlatform platform(Folder());
  DisplayMode mode;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  const std::string chosen = platform.RenderDriver();
  if (chosen != "software") {
    // A GL renderer stays only where its GL is a GPU's (SDL left its context current).
    using GetString = const unsigned char* (*)(unsigned);
    const auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* gl = get ? get(0x1F01) : nullptr;  // GL_RENDERER
    ASSERT_TRUE(gl) << chosen;
    EXPECT_FALSE(SoftwareRasteriser(reinterpret_cast<const char*>(gl))) << gl;
  }
  // The window drawn by the renderer that took over from the GL one.
  EXPECT_EQ(DrawnWhitePixel(platform), 0xFFFFFFu) << chosen;
}

TEST_F(DeviceFolderTest, ARenderDriverNamedInSdlsSettingIsAlwaysUsed) {
  const DriverAllocations drivers;
  // Named even on a machine without a GPU device, where the game would not ask the GL itself.
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "opengl");
  SdlPlatform platform(Folder());
  DisplayMode mode;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  if (platform.RenderDriver() == "software") GTEST_SKIP() << "no GL renderer can be made here";
  EXPECT_EQ(platform.RenderDriver(), "opengl");
  EXPECT_EQ(DrawnWhitePixel(platform), 0xFFFFFFu);
}

}  // namespace
}  // namespace orvela
