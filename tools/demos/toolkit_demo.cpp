// The interface-toolkit demonstration screen.
#include "demos/toolkit_demo.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demos/toolkit_dialogs_page.h"
#include "engine/engine.h"
#include "engine/loading.h"
#include "ui/bitmap_font.h"
#include "ui/button.h"
#include "ui/delta_time.h"
#include "ui/memo.h"
#include "ui/menu.h"
#include "ui/mouse.h"
#include "ui/paragraph.h"
#include "ui/screen_loop.h"
#include "ui/text.h"

namespace orvela {

namespace {

constexpr int kNextPage = 31;  // the button that turns to the page of frames and dialogs

uint32_t Pack(int a, int r, int g, int b) {
  auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

int Mix(int from, int to, float t) {
  return static_cast<int>(static_cast<float>(from) + static_cast<float>(to - from) * t);
}

// A plum backdrop, darker at the top.
ImageRef MakeBackdrop() {
  auto pixmap = TPixmap::Create(800, 600, PF_BGRA8888, 4);
  for (int y = 0; y < 600; ++y) {
    const float t = static_cast<float>(y) / 600.0f;
    const uint32_t color = Pack(255, Mix(34, 86, t), Mix(18, 40, t), Mix(44, 74, t));
    for (int x = 0; x < 800; ++x) pixmap->WritePixel(x, y, color);
  }
  return TImage::Load(pixmap, 0);
}

// A grey, faded copy of a picture: the disabled look.
PixmapRef Greyed(const PixmapRef& source) {
  if (!source) return nullptr;
  PixmapRef copy = source->Convert(PF_BGRA8888);
  for (int y = 0; y < copy->height; ++y) {
    for (int x = 0; x < copy->width; ++x) {
      const uint32_t p = copy->ReadPixel(x, y);
      const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      const int grey = (r * 30 + g * 59 + b * 11) / 100;
      const int a = static_cast<int>(((p >> 24) & 255) * 0.55f);
      copy->WritePixel(x, y, Pack(a, grey, grey, grey + 8));
    }
  }
  return copy;
}

// The Quit strip as four cells: outside, over, pressed (the outside cell) and disabled.
PixmapRef FourLookStrip(const std::string& two_frame_strip) {
  PixmapRef strip = PixmapOf(two_frame_strip);
  if (!strip || strip->Empty()) return strip;
  const int cell = strip->width / 2;
  auto four = TPixmap::Create(cell * 4, strip->height, PF_BGRA8888, 4);
  PixmapRef outside = strip->Window(0, 0, cell, strip->height);
  four->Paste(*outside, 0, 0);
  four->Paste(*strip->Window(cell, 0, cell, strip->height), cell, 0);
  four->Paste(*outside, cell * 2, 0);
  four->Paste(*Greyed(outside->Copy()), cell * 3, 0);
  return four;
}

// The bitmap-font picture, drawn from the game's TrueType glyphs: rows of gold letters with a
// dark rim, separated by clear columns. Under each glyph runs a line of nearly invisible ink
// (alpha 1) two pixels longer than the glyph: it counts as inked to the scan, so each letter
// carries its own spacing.
PixmapRef MakeBitmapFontPicture(const FontRef& ttf, const std::string& characters, int row) {
  const int width = 512;
  const std::u32string chars = DecodeUtf8(characters);
  const TPixmap& atlas = *ttf->Atlas()->pixmaps[0];
  int rows = 1, pen = 2;
  for (char32_t c : chars) {
    const Glyph* g = ttf->FindGlyph(c);
    const int w = g ? g->width + 3 : 0;
    if (pen + w + 3 > width) ++rows, pen = 2;
    pen += w + 4;
  }
  auto picture = TPixmap::Create(width, rows * row, PF_BGRA8888, 4);
  int j = 0;
  pen = 2;
  for (char32_t c : chars) {
    const Glyph* g = ttf->FindGlyph(c);
    if (!g) continue;
    const int w = g->width + 3;
    if (pen + w + 3 > width) ++j, pen = 2;
    const int top = j * row + 2 + static_cast<int>(g->offset_y);
    // The glyph's coverage at a point of its picture (0 outside it).
    auto cover = [&](int gx, int gy) -> int {
      if (gx < 0 || gy < 0 || gx >= g->width || gy >= g->height) return 0;
      return static_cast<int>(atlas.ReadPixel(g->atlas_x + gx, g->atlas_y + gy) >> 24);
    };
    for (int gy = -1; gy <= g->height; ++gy) {
      for (int gx = -1; gx <= g->width; ++gx) {
        const int fill = cover(gx, gy);
        int rim = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) rim = std::max(rim, cover(gx + dx, gy + dy));
        }
        if (rim == 0) continue;
        const float t = static_cast<float>(gy + top - j * row) / static_cast<float>(row);
        const float f = static_cast<float>(fill) / 255.0f;
        const int r = Mix(70, Mix(255, 236, t), f), gr = Mix(30, Mix(232, 128, t), f),
                  b = Mix(24, Mix(150, 36, t), f);
        picture->WritePixel(pen + 1 + gx, top + gy, Pack(rim, r, gr, b));
      }
    }
    for (int x = pen; x < pen + w; ++x) picture->WritePixel(x, j * row + row - 1, Pack(1, 0, 0, 0));
    pen += w + 4;
  }
  return picture;
}

struct Demo {
  ImageRef backdrop;
  FontRef small, middle, large;
  std::shared_ptr<TMenu> menu;
  std::map<int, std::string> names;
  std::vector<TextRef> labels;
  TextRef status, volume_text, fps_text, scaled_text, faded_text, bitmap_text;
  MemoRef memo;
  ButtonRef toggle;
  int volume = 5;
  bool switch_on = true;
};

TextRef Label(Demo& d, const std::string& text, float x, float y, const FontRef& font,
              uint32_t argb = 0xFFF6E7C8) {
  TextRef t = CreateText(text, TDim::Create(x, y, 0, 0, 0, 1, 1, 0), font, 1, 0, 0, 0);
  t->color->Color(argb);
  d.labels.push_back(t);
  return t;
}

void AddButton(Demo& d, const ButtonRef& button, const std::string& name) {
  d.menu->AddItem(button);
  d.names[button->id] = name;
}

// An animated menu button from a two-frame strip, zooming, with its highlight picture.
ButtonRef MenuButton(int id, const Source& strip, const std::vector<int>& frames,
                     const std::string& highlight, float x, float y) {
  ButtonRef b = CreateAnimButton(id, strip, frames, TDim::Create(x, y, 0, 0, 0, 1, 1, 0), 1);
  b->enlarge = 1;
  b->smoothZooming = 1;
  if (!highlight.empty()) {
    ImageRef hl = ImageOf(highlight);
    b->HL_E_OUT = hl;
    b->HL_E_OVER = hl;
    b->showHighLighter = 1;
  }
  return b;
}

ButtonRef ImageButton(int id, const std::string& path, float x, float y) {
  return CreateImageButton(id, path, TDim::Create(x, y, 0, 0, 0, 1, 1, 0), 1, 1, 0);
}

void Build(Demo& d) {
  d.backdrop = MakeBackdrop();
  d.small = TImageFont::Load("gfx/bluehigh.ttf", 14, FONT_SMOOTH);
  d.middle = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
  d.large = TImageFont::Load("gfx/bluehigh.ttf", 36, FONT_SMOOTH);
  d.menu = std::make_shared<TMenu>();
  const uint32_t gold = 0xFFF2C14E;

  Label(d, "Interface toolkit", 24, 12, d.large);
  d.status = Label(d, "Last click: none yet", 430, 26, d.middle, 0xFFFFE9A8);

  // Left column: the menu.
  Label(d, "animated buttons: zoom and highlight", 30, 68, d.small, gold);
  AddButton(d, MenuButton(1, "gfx/gui/p_play.png", {0, 1}, "gfx/gui/p_play02.png", 40, 92), "Play");
  AddButton(d, MenuButton(2, "gfx/gui/p_options.png", {0, 1}, "gfx/gui/p_options02.png", 40, 138),
            "Options");
  AddButton(d, MenuButton(3, "gfx/gui/p_credits.png", {0, 1}, "gfx/gui/p_credits02.png", 40, 184),
            "Credits");
  AddButton(d, MenuButton(4, "gfx/gui/p_more.png", {0, 1}, "gfx/gui/p_more02.png", 40, 230),
            "More games");
  ButtonRef quit = MenuButton(5, FourLookStrip("gfx/gui/p_quit.png"), {0, 1, 2, 3}, "", 40, 276);
  quit->SetState(0, 1);
  AddButton(d, quit, "Quit (disabled)");
  Label(d, "disabled, still", 206, 278, d.small, 0xFFB8A8C0);
  Label(d, "reports clicks", 206, 294, d.small, 0xFFB8A8C0);

  Label(d, "image buttons: zoom", 30, 330, d.small, gold);
  AddButton(d, ImageButton(11, "gfx/b_get_hint.png", 40, 354), "Get hint");
  ButtonRef sort = ImageButton(12, "gfx/b_sort_up.png", 134, 354);
  if (PixmapRef grey = Greyed(PixmapOf("gfx/b_sort_up.png"))) {
    sort->IMG_D_OUT = TImage::Load(grey, -1);
  }
  sort->SetState(0, 1);
  AddButton(d, sort, "Sort up (disabled)");
  Label(d, "disabled", 214, 358, d.small, 0xFFB8A8C0);
  AddButton(d, ImageButton(13, "gfx/b_clean_up.png", 40, 386), "Clean up");
  AddButton(d, ImageButton(14, "gfx/b_ghost_image.png", 134, 386), "Ghost image");
  AddButton(d, ImageButton(15, "gfx/b_main_menu.png", 40, 418), "Main menu");
  AddButton(d, ImageButton(16, "gfx/b_options.png", 148, 418), "Options (play bar)");

  Label(d, "minus, plus, a switch, a text button", 30, 458, d.small, gold);
  AddButton(d, MenuButton(21, "gfx/gui/ustawienia/minus.png", {0, 1}, "", 40, 480), "Minus");
  d.volume_text = Label(d, "Volume 5", 76, 484, d.middle);
  AddButton(d, MenuButton(22, "gfx/gui/ustawienia/plus.png", {0, 1}, "", 178, 480), "Plus");
  d.toggle =
      CreateTwoImageButton(23, "gfx/gui/ustawienia/on.png", "gfx/gui/ustawienia/off.png", 226, 481);
  AddButton(d, d.toggle, "Switch");
  SetDrawFont(d.middle);  // a text button measures with the current font
  ButtonRef text_button =
      CreateTextButton(24, "A text button", d.middle, TDim::Create(40, 520, 0, 0, 0, 1, 1, 0));
  text_button->TXT_E_OUT->color->Color(0xFFFFD27A);
  text_button->TXT_E_OVER = CreateText("A text button", text_button->dim, d.middle, 1, 0, 0, 0);
  AddButton(d, text_button, "A text button");

  // Right column: texts and the memo.
  Label(d, "TMemo: wraps anywhere", 330, 68, d.small, gold);
  d.memo = CreateMemo(d.small,
                      "A memo breaks its line wherever the next character would cross the "
                      "right edge of its box, even inside a word.",
                      TDim::Create(338, 92, 196, 80, 0, 1, 1, 0), 1, 1);
  Label(d, "TText", 566, 68, d.small, gold);
  Label(d, "Coral text", 560, 90, d.middle, 0xFFFF8A6A);
  d.scaled_text = Label(d, "scaled 1.4", 560, 118, d.middle, 0xFF9EE6B0);
  d.scaled_text->dim->scalex = d.scaled_text->dim->scaley = 1.4f;
  d.faded_text = Label(d, "half faded", 670, 90, d.middle);
  d.faded_text->alpha = 0.45f;

  Label(d, "DrawParagraph in the four alignments", 330, 184, d.small, gold);

  // Bottom: the bitmap font.
  const std::string chars =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,!?:-+()";
  const int row = d.large->Height() + 6;
  FontObjRef bitmap =
      CreateBitmapFont(MakeBitmapFontPicture(d.large, chars, row), chars, static_cast<float>(row));
  Label(d, "a bitmap font, cut from a picture made in code", 330, 478, d.small, gold);
  d.bitmap_text = CreateText("Bitmap font: 80 pieces!", TDim::Create(330, 496, 0, 0, 0, 1, 1, 0),
                             bitmap, 1, 0, 0, 0);
  d.fps_text = Label(d, "", 640, 578, d.small, 0xFFB8A8C0);

  ButtonRef next = CreateTextButton(kNextPage, "frames, fields, dialogs >", d.middle,
                                    TDim::Create(330, 560, 0, 0, 0, 1, 1, 0));
  next->TXT_E_OUT->color->Color(0xFFFFD27A);
  AddButton(d, next, "Next page");
}

void DrawBox(float x, float y, float w, float h) {
  SetBlend(ALPHABLEND);
  SetColor(20, 8, 26);
  SetAlpha(0.45f);
  DrawRect(x, y, w, h);
  SetColor(242, 193, 78);
  SetAlpha(0.5f);
  DrawRect(x, y, w, 1);
  DrawRect(x, y + h - 1, w, 1);
  DrawRect(x, y, 1, h);
  DrawRect(x + w - 1, y, 1, h);
  SetColor(255, 255, 255);
  SetAlpha(1);
}

void DrawParagraphs(const Demo& d) {
  const char* text =
      "Pieces that meet where they belong snap together with sparks and travel on as one "
      "group; groups that meet merge.";
  const char* aligns[4] = {"left", "right", " Center ", "JUSTIFY"};
  const char* titles[4] = {"left", "right", "center", "justify"};
  for (int i = 0; i < 4; ++i) {
    const float x = 330.0f + static_cast<float>(i % 2) * 230.0f;
    const float y = 204.0f + static_cast<float>(i / 2) * 136.0f;
    DrawBox(x, y, 216, 126);
    SetBlend(ALPHABLEND);
    SetDrawFont(d.small);
    SetColor(242, 193, 78);
    DrawString(titles[i], x + 8, y + 5);
    SetColor(246, 231, 200);
    const int offset = DrawParagraph(text, static_cast<int>(x) + 8, static_cast<int>(y) + 26, 200,
                                     aligns[i], 0, d.small, 1);
    SetDrawFont(d.small);
    SetColor(184, 168, 192);
    const std::string note = "last line at +" + std::to_string(offset);
    DrawString(note, x + 216 - 8 - static_cast<float>(StringWidth(note)), y + 5);
    SetColor(255, 255, 255);
  }
}

void Update(Demo& d, int clicked) {
  if (clicked != 0) {
    if (clicked == 21) d.volume = std::max(0, d.volume - 1);
    if (clicked == 22) d.volume = std::min(10, d.volume + 1);
    if (clicked == 23) {
      d.switch_on = !d.switch_on;
      std::swap(d.toggle->IMG_E_OUT, d.toggle->IMG_E_OVER);
    }
    std::string name = d.names[clicked];
    if (clicked == 23) name += d.switch_on ? " on" : " off";
    d.status->text = "Last click: " + name + " (id " + std::to_string(clicked) + ")";
  }
  d.volume_text->text = "Volume " + std::to_string(d.volume);
  char line[64];
  std::snprintf(line, sizeof line, "frame factor %.2f", FrameFactor());
  d.fps_text->text = line;
}

void DrawFrame(Demo& d) {
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetDrawTransform(0, 1, 1);
  DrawImageFrame(d.backdrop, 0, 0, 0);

  DrawBox(20, 60, 290, 490);
  DrawBox(330, 88, 212, 88);
  DrawParagraphs(d);

  SetBlend(ALPHABLEND);
  for (const TextRef& t : d.labels) t->Draw();
  d.memo->Draw();
  d.bitmap_text->Draw();
  d.menu->Draw(1);
}

}  // namespace

void RunToolkitDemo() {
  Demo d;
  Build(d);
  auto mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/kursor.png", 1, 1);
  SetGlobalMouse(mouse);
  HideMouse();
  auto delta = TDeltaTime::Create(60);
  // The global mouse is let go however the loop ends (Escape, the window closing, a script).
  struct Release {
    ~Release() { SetGlobalMouse(nullptr); }
  } release;
  DialogsPage dialogs(d.small, d.middle, d.large);
  bool on_dialogs = false;
  const ScreenLoop loop(*delta, mouse.get());
  while (KeyHits(KEY_ESCAPE) == 0) {
    loop.BeginFrame();
    if (on_dialogs) {
      if (dialogs.Update()) on_dialogs = false;
      dialogs.Draw(d.backdrop);
    } else {
      const int clicked = d.menu->State();
      if (clicked == kNextPage) on_dialogs = true;
      Update(d, clicked);
      DrawFrame(d);
    }
    loop.ShowFrame();
  }
}

}  // namespace orvela
