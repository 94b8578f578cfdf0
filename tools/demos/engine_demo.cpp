// The engine demonstration screen.
#include "demos/engine_demo.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/engine.h"

namespace orvela {

namespace {

uint32_t Pack(int a, int r, int g, int b) {
  auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

// A warm gradient with a checker of soft squares, so that every blend mode shows.
ImageRef MakeBackdrop() {
  auto pixmap = TPixmap::Create(800, 600, PF_BGRA8888, 4);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const float t = y / 600.0f;
      int r = static_cast<int>(250 - 90 * t), g = static_cast<int>(214 - 110 * t),
          b = static_cast<int>(160 - 40 * t);
      if (((x / 40) + (y / 40)) % 2 == 0) r -= 22, g -= 18, b -= 10;
      pixmap->WritePixel(x, y, Pack(255, r, g, b));
    }
  }
  return TImage::Load(pixmap, 0);
}

// A glossy orb whose alpha falls off smoothly at the rim.
ImageRef MakeOrb(int size, int r, int g, int b) {
  auto pixmap = TPixmap::Create(size, size, PF_BGRA8888, 4);
  const float c = (size - 1) / 2.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float dx = (x - c) / c, dy = (y - c) / c;
      const float d = std::sqrt(dx * dx + dy * dy);
      const float alpha = std::clamp((1.0f - d) * 6.0f, 0.0f, 1.0f);
      const float shade = 0.55f + 0.45f * std::clamp(1.0f - d, 0.0f, 1.0f);
      const float hx = dx + 0.35f, hy = dy + 0.4f;
      const float gloss = std::clamp(1.0f - std::sqrt(hx * hx + hy * hy) * 2.2f, 0.0f, 1.0f);
      pixmap->WritePixel(
          x, y,
          Pack(static_cast<int>(alpha * 255), static_cast<int>(r * shade + 255 * gloss),
               static_cast<int>(g * shade + 255 * gloss),
               static_cast<int>(b * shade + 255 * gloss)));
    }
  }
  return TImage::Load(pixmap, -1);
}

// An arrow pointing right, so that rotation is easy to read.
ImageRef MakeArrow() {
  auto pixmap = TPixmap::Create(80, 40, PF_BGRA8888, 4);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool shaft = x < 50 && y >= 14 && y < 26;
      const bool head = x >= 50 && std::abs(y - 20) <= (79 - x) * 20 / 29;
      if (shaft || head) pixmap->WritePixel(x, y, Pack(255, 40, 90 + x, 200 - x));
    }
  }
  return TImage::Load(pixmap, -1);
}

struct DemoAssets {
  ImageRef backdrop, orb, pearl, arrow;
  FontRef small, middle, large;
};

DemoAssets& Assets() {
  static DemoAssets assets = [] {
    DemoAssets a;
    a.backdrop = MakeBackdrop();
    a.orb = MakeOrb(80, 60, 150, 230);
    a.pearl = MakeOrb(80, 225, 225, 225);
    a.arrow = MakeArrow();
    MidHandleImage(a.arrow);
    a.small = TImageFont::Load("gfx/bluehigh.ttf", 14, FONT_SMOOTH);
    a.middle = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
    a.large = TImageFont::Load("gfx/bluehigh.ttf", 36, FONT_SMOOTH);
    return a;
  }();
  return assets;
}

void Label(const FontRef& font, const std::string& text, float x, float y) {
  SetDrawFont(font);
  SetDrawTransform(0, 1, 1);
  SetBlend(ALPHABLEND);
  SetAlpha(1);
  SetColor(60, 40, 30);
  DrawString(text, x, y);
  SetColor(255, 255, 255);
}

void Cross(float x, float y) {
  SetBlend(SOLIDBLEND);
  SetDrawTransform(0, 1, 1);
  SetColor(200, 20, 20);
  DrawLine(x - 5, y, x + 5, y, 1);
  DrawLine(x, y - 5, x, y + 5, 1);
  SetColor(255, 255, 255);
}

}  // namespace

void DrawEngineDemoFrame(int frame) {
  DemoAssets& a = Assets();
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetDrawTransform(0, 1, 1);
  DrawImageFrame(a.backdrop, 0, 0, 0);

  Label(a.large, "Orvela engine", 20, 8);
  Label(a.small, "the built-in font (no font selected):", 440, 14);
  SetDrawFont(nullptr);
  SetColor(40, 30, 20);
  DrawString("The quick brown fox jumps over", 440, 34);
  DrawString("the lazy dog 0123456789 !?#%&", 440, 46);

  // Row 1: the five blend modes over a strip of coloured bars.
  const char* names[5] = {"1 masked", "2 solid", "3 alpha", "4 light", "5 shade"};
  for (int i = 0; i < 5; ++i) {
    const float x = 30 + i * 150.0f;
    SetBlend(SOLIDBLEND);
    SetColor(230, 120, 60);
    DrawRect(x - 10, 95, 100, 24);
    SetColor(60, 160, 90);
    DrawRect(x - 10, 119, 100, 24);
    SetColor(255, 255, 255);
    SetBlend(i + 1);
    SetAlpha(0.7f);
    DrawImageFrame(a.orb, x, 70, 0);
    SetAlpha(1);
    Label(a.small, names[i], x + 8, 154);
  }

  // Row 2: scale and rotation around the handle (red crosses mark the drawing points).
  Label(a.middle, "scale and rotation about the handle", 20, 180);
  for (int i = 0; i < 4; ++i) {
    const float x = 80 + i * 130.0f, y = 250;
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    const float rotation = i * 30.0f + (i == 3 ? static_cast<float>(frame * 3 % 360) : 0.0f);
    const float scale = 0.6f + 0.3f * i;
    SetDrawTransform(rotation, scale, scale);
    DrawImageFrame(a.arrow, x, y, 0);
    Cross(x, y);
  }
  SetDrawTransform(0, 1, 1);
  SetBlend(ALPHABLEND);
  SetColor(90, 70, 160);
  SetAlpha(0.8f);
  SetDrawTransform(static_cast<float>(frame % 360), 1, 1);
  SetHandle(30, 20);
  DrawRect(650, 250, 60, 40);
  SetHandle(0, 0);
  SetDrawTransform(0, 1, 1);
  Cross(650, 250);
  Label(a.small, "rectangle turning about its middle", 548, 300);

  // Row 3: tints and fades.
  Label(a.middle, "tinted and faded", 20, 330);
  const int tints[4][3] = {{255, 255, 255}, {255, 90, 90}, {90, 255, 120}, {120, 140, 255}};
  for (int i = 0; i < 4; ++i) {
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(tints[i][0], tints[i][1], tints[i][2]);
    DrawImageFrame(a.pearl, 20 + i * 90.0f, 360, 0);
  }
  for (int i = 0; i < 4; ++i) {
    SetColor(255, 255, 255);
    SetAlpha(1.0f - i * 0.25f);
    DrawImageFrame(a.orb, 400 + i * 90.0f, 360, 0);
  }
  SetAlpha(1);

  // Row 4: text in three sizes, lines, rectangles.
  Label(a.small, "Comfortaa 14 px: Puzzle pieces snap together.", 20, 455);
  Label(a.middle, "20 px: Zażółć gęślą jaźń", 20, 475);
  Label(a.large, "36 px: Orvela!", 20, 502);

  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  for (int i = 0; i < 8; ++i) {
    SetColor(30 + i * 25, 40, 120);
    DrawLine(420, 460 + i * 4.0f, 500, 440 + i * 14.0f, 1);
  }
  // The same short lines without and with their last pixel, magnified from a grab.
  SetColor(20, 20, 20);
  DrawRect(520, 450, 20, 12);
  SetColor(255, 255, 255);
  DrawLine(522, 452, 530, 452, 0);
  DrawLine(522, 457, 530, 457, 1);
  PixmapRef grabbed = GrabPixmap(520, 450, 20, 12);
  ImageRef zoom = TImage::Load(grabbed, 0);
  SetDrawTransform(0, 8, 8);
  DrawImageFrame(zoom, 560, 450, 0);
  SetDrawTransform(0, 1, 1);
  Label(a.small, "without / with last pixel", 560, 550);

  SetBlend(ALPHABLEND);
  SetColor(250, 250, 240);
  SetAlpha(0.5f);
  DrawRect(330, 560, 200, 30);
  SetAlpha(1);
  Label(a.small, "half-transparent rectangle", 340, 566);
  SetColor(255, 255, 255);
}

void RunEngineDemo() {
  for (int frame = 0; KeyHits(KEY_ESCAPE) == 0; ++frame) {
    Cls();
    DrawEngineDemoFrame(frame);
    Flip(-1);
  }
}

}  // namespace orvela
