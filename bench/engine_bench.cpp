// Drawing cost of the game's worst frame: 80 pieces with six shadow layers each, i.e. 560
// draws of a 100 × 100 image, scaled and alpha-blended at 7 % alpha. Measured on the headless
// software renderer (rasterising) and on the null renderer (issuing the draws alone).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"

namespace {

using namespace orvela;

// A 100 × 100 piece-like picture: a rounded shape with transparent surroundings.
ImageRef PieceImage() {
  auto pixmap = TPixmap::Create(100, 100, PF_BGRA8888, 4);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const float dx = (x - 50) / 45.0f, dy = (y - 50) / 45.0f;
      const bool inside = std::pow(std::fabs(dx), 4.0f) + std::pow(std::fabs(dy), 4.0f) < 1;
      pixmap->WritePixel(x, y, inside ? 0xFF000000u | (x * 2 << 16) | (y * 2 << 8) | 120 : 0);
    }
  }
  return TImage::Load(pixmap, -1);
}

void DrawShadowFrame(const ImageRef& image) {
  Cls();
  SetBlend(ALPHABLEND);
  SetColor(0, 0, 0);
  const float w = static_cast<float>(image->width), h = static_cast<float>(image->height);
  for (int piece = 0; piece < 80; ++piece) {
    const float x = static_cast<float>((piece % 10) * 75 + 10);
    const float y = static_cast<float>((piece / 10) * 70 + 20);
    SetAlpha(0.07f);
    for (int d = -2; d <= 3; ++d) {
      SetDrawScale((w + d) / w, (h + d) / h);
      DrawImageFrame(image, x + 1, y + 6, 0);
    }
  }
  SetDrawScale(1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
}

void Run(benchmark::State& state, bool null_renderer) {
  auto platform = std::make_unique<HeadlessPlatform>();
  if (null_renderer) platform->UseNullRenderer();
  EngineScope engine(std::move(platform));
  OpenGraphics(800, 600, 0, 60, 0);
  ImageRef image = PieceImage();
  DrawShadowFrame(image);  // makes the texture outside the timing
  for (auto _ : state) {
    DrawShadowFrame(image);
    benchmark::ClobberMemory();
  }
  state.counters["draws/frame"] = 560;
  state.SetItemsProcessed(state.iterations() * 560);
}

void BM_ShadowFrame_Software(benchmark::State& state) {
  Run(state, false);
}
void BM_ShadowFrame_IssueOnly(benchmark::State& state) {
  Run(state, true);
}

BENCHMARK(BM_ShadowFrame_Software)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowFrame_IssueOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
