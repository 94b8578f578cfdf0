// Reference-image checks.
#include "support/reference_image.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "engine/image/codecs.h"
#include "engine/image/image.h"

namespace orvela::testing {

namespace fs = std::filesystem;

namespace {

const char kReferenceFolder[] = "tests/reference";

bool UpdateRequested() {
  const char* value = std::getenv("ORVELA_UPDATE_REFERENCE");
  return value != nullptr && std::string(value) == "1";
}

int Channel(uint32_t argb, int shift) {
  return static_cast<int>((argb >> shift) & 255u);
}

}  // namespace

PixmapRef GradientPixmap(int width, int height) {
  PixmapRef picture = TPixmap::Create(width, height, PF_BGRA8888);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
      const auto g = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
      picture->WritePixel(x, y, 0xFF000000u | r << 16 | g << 8 | 0x60u);
    }
  }
  return picture;
}

PixmapRef ScreenCrop(const TPixmap& canvas, int x, int y, int width, int height) {
  PixmapRef crop = TPixmap::Create(width, height, PF_BGRA8888);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      crop->WritePixel(col, row, canvas.ReadPixel(x + col, y + row) | 0xFF000000u);
    }
  }
  return crop;
}

::testing::AssertionResult MatchesReference(const TPixmap& actual, const std::string& name,
                                            int tolerance) {
  const fs::path reference = fs::path(kReferenceFolder) / (name + ".png");
  if (UpdateRequested()) {
    fs::create_directories(reference.parent_path());
    if (!SavePixmapPng(actual, reference.string())) {
      return ::testing::AssertionFailure() << "could not write " << reference;
    }
    std::cout << "rewrote " << reference << "\n";
    return ::testing::AssertionSuccess();
  }
  const PixmapRef expected = LoadPixmapFile(reference.string());
  if (!expected) {
    return ::testing::AssertionFailure()
           << reference << " is missing or unreadable; ORVELA_UPDATE_REFERENCE=1 writes it";
  }
  std::ostringstream problem;
  if (expected->width != actual.width || expected->height != actual.height) {
    problem << "drew " << actual.width << " x " << actual.height << ", the reference is "
            << expected->width << " x " << expected->height;
  } else {
    int differing = 0, worst = 0, worst_x = 0, worst_y = 0;
    for (int y = 0; y < actual.height; ++y) {
      for (int x = 0; x < actual.width; ++x) {
        const uint32_t a = actual.ReadPixel(x, y), e = expected->ReadPixel(x, y);
        const bool both_clear = (a >> 24) == 0 && (e >> 24) == 0;
        int diff = 0;
        for (int shift : {24, 16, 8, 0}) {
          if (both_clear && shift != 24) continue;
          diff = std::max(diff, std::abs(Channel(a, shift) - Channel(e, shift)));
        }
        if (diff > tolerance) ++differing;
        if (diff > worst) worst = diff, worst_x = x, worst_y = y;
      }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    problem << differing << " pixels differ by more than " << tolerance << " steps; the worst by "
            << worst << " at (" << worst_x << ", " << worst_y << "): drew 0x" << std::hex
            << actual.ReadPixel(worst_x, worst_y) << ", the reference has 0x"
            << expected->ReadPixel(worst_x, worst_y);
  }
  const fs::path folder = fs::temp_directory_path() / "orvela-reference";
  fs::create_directories(folder);
  const fs::path written = folder / (name + ".actual.png");
  SavePixmapPng(actual, written.string());
  return ::testing::AssertionFailure()
         << name << ": " << problem.str() << " (what was drawn is in " << written.string() << ")";
}

}  // namespace orvela::testing
