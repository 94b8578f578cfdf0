// Buttons: the click reported once on the press frame, the hover and hold flags and hooks,
// the six looks with their fallbacks for still images, animation frames, texts and
// highlights, the smooth zoom, strict edges, restored drawing state, and the constructors.
#include <gtest/gtest.h>

#include <vector>

#include "ui/button.h"
#include "ui_support.h"

namespace orvela {
namespace {

using testing::SolidPixmap;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kYellow = 0xFFFFFF00, kCyan = 0xFF00FFFF, kMagenta = 0xFFFF00FF;

class ButtonTest : public testing::UiTest {
 protected:
  ButtonTest() { SetBlend(SOLIDBLEND); }

  // A 40 × 20 button at (100, 100) with still looks given in the order E_OUT, E_OVER,
  // E_PRESS, D_OUT, D_OVER, D_PRESS (0 = none).
  ButtonRef StillButton(std::vector<uint32_t> looks) {
    auto b = std::make_shared<TButton>();
    b->id = 7;
    b->dim = TDim::Create(100, 100, 40, 20, 0, 1, 1, 0);
    Ref<TObject>* slots[6] = {&b->IMG_E_OUT, &b->IMG_E_OVER, &b->IMG_E_PRESS,
                              &b->IMG_D_OUT, &b->IMG_D_OVER, &b->IMG_D_PRESS};
    for (size_t i = 0; i < looks.size() && i < 6; ++i) {
      if (looks[i]) *slots[i] = Solid(40, 20, looks[i]);
    }
    return b;
  }

  // The colour the button shows at its centre after this frame's State and Draw.
  uint32_t Shown(TButton& b) {
    Cls();
    b.Draw();
    return Pixel(120, 110);
  }

  // Drives one button through outside, over and pressed; returns the colours shown.
  std::vector<uint32_t> ThreeLooks(TButton& b) {
    std::vector<uint32_t> shown;
    Frame(10, 10);
    b.State();
    shown.push_back(Shown(b));
    Frame(120, 110);
    b.State();
    shown.push_back(Shown(b));
    Frame(120, 110, /*press=*/true);
    b.State();
    shown.push_back(Shown(b));
    Frame(10, 10, false, /*release=*/true);
    b.State();
    return shown;
  }
};

TEST_F(ButtonTest, AClickIsReportedOnceInThePressFrame) {
  ButtonRef b = StillButton({kRed});
  Frame(120, 110);
  EXPECT_EQ(b->State(), 0);
  EXPECT_EQ(b->over, 1);
  EXPECT_EQ(b->GetState(), 1);
  Frame(120, 110, /*press=*/true);
  EXPECT_EQ(b->State(), 7);
  EXPECT_EQ(b->holded, 1);
  EXPECT_EQ(b->GetState(), 2);
  // Held down: no further reports, still pressed.
  for (int i = 0; i < 3; ++i) {
    Frame(121, 111);
    EXPECT_EQ(b->State(), 0);
    EXPECT_EQ(b->isHolded(), 1);
    EXPECT_EQ(b->GetState(), 2);
  }
  Frame(121, 111, false, /*release=*/true);
  EXPECT_EQ(b->State(), 0);
  EXPECT_EQ(b->isHolded(), 0);
  EXPECT_EQ(b->GetState(), 1);
  // The latch is read once.
  EXPECT_EQ(b->isClicked(), 1);
  EXPECT_EQ(b->isClicked(), 0);
  // A press and a release within one frame still count as a click.
  Frame(121, 111, true, true);
  EXPECT_EQ(b->State(), 7);
  EXPECT_EQ(b->holded, 0);
  EXPECT_EQ(b->_state, LOOK_E_PRESS);
}

TEST_F(ButtonTest, HooksFollowThePointerAndLeavingClearsTheLatch) {
  struct Counting : TButton {
    int overs = 0, outs = 0, clicks = 0;
    int OnOver() override { return ++overs, TButton::OnOver(); }
    int OnOut() override { return ++outs, TButton::OnOut(); }
    int OnClick() override { return ++clicks, TButton::OnClick(); }
  };
  auto b = std::make_shared<Counting>();
  b->id = 3;
  b->dim = TDim::Create(100, 100, 40, 20, 0, 1, 1, 0);
  Frame(10, 10);
  b->State();
  EXPECT_EQ(b->outs, 0);  // never over: no out
  Frame(120, 110);
  b->State();
  Frame(121, 110);
  b->State();
  EXPECT_EQ(b->overs, 1);
  Frame(121, 110, true);
  b->State();
  EXPECT_EQ(b->clicks, 1);
  EXPECT_EQ(b->clicked, 1);
  Frame(10, 10, false, true);
  b->State();
  EXPECT_EQ(b->outs, 1);
  EXPECT_EQ(b->clicked, 0);
  EXPECT_EQ(b->isClicked(), 0);
  EXPECT_EQ(b->_state, LOOK_E_OUT);
}

TEST_F(ButtonTest, EdgesAreOutsideAndHiddenButtonsNeitherReportNorDraw) {
  ButtonRef b = StillButton({kRed});
  for (auto [x, y] : {std::pair{100, 110}, {140, 110}, {120, 100}, {120, 120}}) {
    Frame(x, y, true, true);
    EXPECT_EQ(b->State(), 0) << x << "," << y;
    EXPECT_EQ(b->over, 0);
  }
  Frame(101, 101, true, true);
  EXPECT_EQ(b->State(), 7);
  b->SetState(1, 0);
  Frame(120, 110, true, true);
  EXPECT_EQ(b->State(), 0);
  EXPECT_EQ(Shown(*b) & 0xFFFFFF, 0u);
  // Without a global mouse the pointer is never over a button.
  b->SetState(1, 1);
  SetGlobalMouse(nullptr);
  EXPECT_EQ(b->State(), 0);
  EXPECT_EQ(b->over, 0);
  EXPECT_EQ(b->_state, LOOK_E_OUT);
}

TEST_F(ButtonTest, DisabledButtonsStillReportClicksInTheirOwnLooks) {
  ButtonRef b = StillButton({kRed, kGreen, kBlue, kYellow, kCyan, kMagenta});
  EXPECT_EQ(ThreeLooks(*b), (std::vector<uint32_t>{kRed, kGreen, kBlue}));
  b->SetState(0, 1);
  EXPECT_EQ(ThreeLooks(*b), (std::vector<uint32_t>{kYellow, kCyan, kMagenta}));
  Frame(120, 110, true);
  EXPECT_EQ(b->State(), 7);
  EXPECT_EQ(b->_state, LOOK_D_PRESS);
  EXPECT_EQ(b->GetState(), 2);
}

TEST_F(ButtonTest, StillLooksFallBack) {
  ButtonRef only_out = StillButton({kRed});
  EXPECT_EQ(ThreeLooks(*only_out), (std::vector<uint32_t>{kRed, kRed, kRed}));
  only_out->SetState(0, 1);
  EXPECT_EQ(ThreeLooks(*only_out), (std::vector<uint32_t>{kRed, kRed, kRed}));

  ButtonRef d_out = StillButton({kRed, kGreen, kBlue, kYellow});
  d_out->SetState(0, 1);
  EXPECT_EQ(ThreeLooks(*d_out), (std::vector<uint32_t>{kYellow, kYellow, kYellow}));

  // A pixel buffer is a look too.
  ButtonRef pixmap_look = StillButton({kRed});
  pixmap_look->IMG_E_OVER = SolidPixmap(40, 20, kBlue);
  EXPECT_EQ(ThreeLooks(*pixmap_look), (std::vector<uint32_t>{kRed, kBlue, kRed}));

  // Before the first State there is no look at all.
  ButtonRef fresh = StillButton({kRed});
  EXPECT_EQ(Shown(*fresh) & 0xFFFFFF, 0u);
}

TEST_F(ButtonTest, AnimationFramesFollowTheLookAndFallBack) {
  auto strip = TPixmap::Create(240, 20, PF_BGRA8888, 4);
  const uint32_t cells[6] = {kRed, kGreen, kBlue, kYellow, kCyan, kMagenta};
  for (int i = 0; i < 6; ++i) strip->Window(i * 40, 0, 40, 20)->ClearPixels(cells[i]);
  auto two = TPixmap::Create(80, 20, PF_BGRA8888, 4);
  two->Window(0, 0, 40, 20)->ClearPixels(kRed);
  two->Window(40, 0, 40, 20)->ClearPixels(kGreen);

  ButtonRef b = CreateAnimButton(5, two, {0, 1}, TDim::Create(100, 100, 0, 0, 0, 1, 1, 0), 1);
  EXPECT_EQ(ThreeLooks(*b), (std::vector<uint32_t>{kRed, kGreen, kRed}));
  b->SetState(0, 1);
  EXPECT_EQ(ThreeLooks(*b), (std::vector<uint32_t>{kRed, kRed, kRed}));

  // Six entries: one frame per look. Here the entries reverse the strip.
  ButtonRef six =
      CreateAnimButton(6, strip, {5, 4, 3, 2, 1, 0}, TDim::Create(100, 100, 0, 0, 0, 1, 1, 0), 1);
  EXPECT_EQ(ThreeLooks(*six), (std::vector<uint32_t>{kMagenta, kCyan, kYellow}));
  six->SetState(0, 1);
  EXPECT_EQ(ThreeLooks(*six), (std::vector<uint32_t>{kBlue, kGreen, kRed}));
  // Four entries: the disabled looks all take the fourth.
  six->animFrames = {0, 1, 2, 3};
  EXPECT_EQ(ThreeLooks(*six), (std::vector<uint32_t>{kYellow, kYellow, kYellow}));
  // No entries: nothing drawn, no crash.
  six->animFrames.clear();
  EXPECT_EQ(ThreeLooks(*six), (std::vector<uint32_t>{0xFF000000, 0xFF000000, 0xFF000000}));
}

TEST_F(ButtonTest, SmoothZoomHoldsAt114OnTheEighthOverFrameAndShrinksBack) {
  ButtonRef b = StillButton({kRed});
  b->enlarge = 1;
  b->smoothZooming = 1;
  Frame(120, 110);
  for (int i = 1; i <= 7; ++i) {
    b->State();
    b->Draw();
    EXPECT_LT(b->scale, 1.14f) << i;
    EXPECT_EQ(b->dim->scalex, 1);  // reset after an over frame
  }
  EXPECT_GT(b->scale, 1.139f);
  b->State();
  b->Draw();
  EXPECT_EQ(b->scale, 1.14f);
  b->Draw();
  EXPECT_EQ(b->scale, 1.14f);
  // The zoomed look was drawn about the centre: 40 × 1.14 = 45.6 wide from 97.2.
  EXPECT_EQ(Pixel(98, 110), kRed);
  EXPECT_EQ(Pixel(141, 110), kRed);
  EXPECT_EQ(GetDrawScale(), std::make_pair(1.0f, 1.0f));

  // Out frames draw with the current scale and lower it by 0.02, to exactly 1.
  Frame(10, 10);
  b->State();
  b->Draw();
  EXPECT_EQ(b->dim->scalex, 1.14f);
  EXPECT_FLOAT_EQ(b->scale, 1.12f);
  int frames = 1;
  while (b->scale > 1 && frames < 20) {
    b->State();
    b->Draw();
    ++frames;
  }
  EXPECT_EQ(b->scale, 1.0f);
  EXPECT_LE(frames, 8);
  b->Draw();
  EXPECT_EQ(b->dim->scalex, 1.0f);
  EXPECT_EQ(b->scale, 1.0f);
}

TEST_F(ButtonTest, JumpZoomAndPressFramesAndTheRestoredDrawingState) {
  ButtonRef b = StillButton({kRed});
  b->enlarge = 1;
  Frame(120, 110);
  b->State();
  Cls();
  SetAlpha(0.6f);
  b->Draw();
  EXPECT_EQ(Pixel(98, 110), kRed);  // at 1.14 at once
  EXPECT_EQ(b->scale, 1.0f);        // the smooth zoom value is left alone
  EXPECT_EQ(b->dim->scalex, 1.0f);
  EXPECT_EQ(GetAlpha(), 0.6f);
  // Pressed: no zoom handling, natural size.
  Frame(120, 110, true);
  b->State();
  Cls();
  b->Draw();
  EXPECT_EQ(Pixel(98, 110) & 0xFFFFFF, 0u);
  EXPECT_EQ(Pixel(101, 110), kRed);
  EXPECT_EQ(GetAlpha(), 0.6f);
  // Off again: back to 1 at once.
  Frame(10, 10, false, true);
  b->State();
  b->Draw();
  EXPECT_EQ(b->dim->scalex, 1.0f);
}

TEST_F(ButtonTest, HighlightFadesInWithTheZoomAndTextsHaveLooks) {
  SetBlend(ALPHABLEND);
  auto b = std::make_shared<TButton>();
  b->id = 1;
  b->dim = TDim::Create(100, 100, 40, 20, 0, 1, 1, 0);
  b->enlarge = b->smoothZooming = 1;
  b->showHighLighter = 1;
  b->HL_E_OVER = Solid(40, 20, 0xFFFFFFFF);
  Frame(120, 110);
  for (int i = 0; i < 8; ++i) b->State(), b->Draw();
  Cls();
  b->Draw();
  // Alpha 0.25 at full zoom; the highlight is squashed to 0.7 of its height from the top.
  const float top = b->dim->y - 20 * 0.14f / 2;
  const uint32_t lit = Pixel(120, static_cast<int>(top) + 3);
  EXPECT_NEAR(static_cast<int>(lit & 0xFF), 64, 2);
  EXPECT_EQ(Pixel(120, static_cast<int>(top + 14) + 2) & 0xFFFFFF, 0u);
  // Without smooth zoom the highlight stays invisible.
  b->smoothZooming = 0;
  b->scale = 1;
  Cls();
  b->Draw();
  EXPECT_EQ(Pixel(120, 103) & 0xFFFFFF, 0u);

  // Texts: per look, with the same fallbacks.
  SetBlend(SOLIDBLEND);
  auto t = std::make_shared<TButton>();
  t->dim = TDim::Create(100, 100, 40, 20, 0, 1, 1, 0);
  t->showText = 1;
  t->showImage = 0;
  t->TXT_E_OUT =
      CreateText("H", TDim::Create(100, 100, 0, 0, 0, 1, 1, 0), TImageFont::BuiltIn(), 1, 0, 0, 0);
  t->TXT_E_OVER =
      CreateText("H", TDim::Create(300, 100, 0, 0, 0, 1, 1, 0), TImageFont::BuiltIn(), 1, 0, 0, 0);
  Frame(120, 110);
  t->State();
  Cls();
  t->Draw();
  EXPECT_EQ(InkColumns(100, 110).first, 300);
  Frame(120, 110, true);
  t->State();
  Cls();
  t->Draw();
  EXPECT_EQ(InkColumns(100, 110).first, 100);  // no pressed text: the outside one
}

TEST_F(ButtonTest, ImageButtonsTakeTheirSizeFromTheImage) {
  ButtonRef b =
      CreateImageButton(9, "gfx/GUI/p_play02.png", TDim::Create(10, 20, 0, 0, 0, 1, 1, 0), 1, 1, 0);
  EXPECT_EQ(b->id, 9);
  EXPECT_EQ(b->enlarge, 1);
  EXPECT_EQ(b->smoothZooming, 1);
  ASSERT_TRUE(std::dynamic_pointer_cast<TImage>(b->IMG_E_OUT));
  EXPECT_EQ(b->dim->width, 150);
  EXPECT_EQ(b->dim->height, 36);

  DimRef preset = TDim::Create(0, 0, 50, 0, 0, 1, 1, 0);
  ButtonRef p = CreateImageButton(1, SolidPixmap(8, 6, kRed), preset, 0, 0, 1);
  EXPECT_TRUE(std::dynamic_pointer_cast<TPixmap>(p->IMG_E_OUT));
  EXPECT_EQ(preset->width, 50);  // only an exact 0 is filled in
  EXPECT_EQ(preset->height, 6);
  EXPECT_EQ(p->dimFromImage, 1);

  ButtonRef none = CreateImageButton(1, nullptr, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 0, 0, 0);
  EXPECT_FALSE(none->IMG_E_OUT);
  EXPECT_TRUE(platform().Messages().empty());
  ButtonRef missing = CreateImageButton(1, "gfx/nothing.png", nullptr, 0, 0, 0);
  EXPECT_FALSE(missing->IMG_E_OUT);
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_EQ(platform().Messages()[0], "Image does not exists: gfx/nothing.png");
  // A button without a rectangle is never over and draws nothing.
  Frame(0, 0, true);
  EXPECT_EQ(missing->State(), 0);
  EXPECT_EQ(missing->Draw(), 0);
}

TEST_F(ButtonTest, AnimButtonsCutTheirStrip) {
  ButtonRef b =
      CreateAnimButton(2, "gfx/gui/p_play.png", {0, 1}, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 1);
  EXPECT_EQ(b->animImage, 1);
  EXPECT_EQ(b->dim->width, 150);
  EXPECT_EQ(b->dim->height, 36);
  ASSERT_TRUE(b->image);
  EXPECT_EQ(b->image->FrameCount(), 2);

  auto tall = TPixmap::Create(10, 30, PF_BGRA8888, 4);
  ButtonRef v = CreateAnimButton(2, tall, {0, 1, 2}, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 0);
  EXPECT_EQ(v->animHorizontal, 0);
  EXPECT_EQ(v->dim->width, 10);
  EXPECT_EQ(v->dim->height, 10);
  ASSERT_TRUE(v->image);
  EXPECT_EQ(v->image->FrameCount(), 3);

  ButtonRef no_frames = CreateAnimButton(2, tall, {}, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 1);
  EXPECT_FALSE(no_frames->image);
  ButtonRef missing =
      CreateAnimButton(2, "gfx/none.png", {0, 1}, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 1);
  EXPECT_FALSE(missing->image);
  EXPECT_EQ(platform().Messages().size(), 1u);
}

TEST_F(ButtonTest, TextButtonsTakeTheTextsSize) {
  FontRef fixed = TImageFont::CreateBlank(15);
  fixed->DefineGlyph(U'o', 8);
  fixed->DefineGlyph(U'k', 7);
  SetDrawFont(fixed);
  DimRef dim = TDim::Create(30, 40, 0, 0, 0, 1, 1, 1);
  ButtonRef b = CreateTextButton(4, "ok", fixed, dim);
  EXPECT_EQ(b->showText, 1);
  EXPECT_EQ(b->enlarge, 1);
  EXPECT_EQ(b->smoothZooming, 1);
  ASSERT_TRUE(b->TXT_E_OUT);
  EXPECT_EQ(b->TXT_E_OUT->dim, dim);  // the text shares the button's rectangle
  EXPECT_EQ(dim->origin, 0);
  EXPECT_EQ(dim->width, 15);
  EXPECT_EQ(dim->height, 15);
  EXPECT_EQ(b->TXT_E_OUT->alpha, 1);

  TextRef own = CreateText("oo", TDim::Create(500, 500, 0, 0, 0, 1, 1, 1), fixed, 1, 1, 0, 0);
  DimRef place = TDim::Create(60, 70, 100, 30, 0, 1, 1, 0);
  ButtonRef g = CreateTextButton(5, own, fixed, place);
  EXPECT_EQ(g->TXT_E_OUT, own);
  EXPECT_NE(own->dim, place);
  EXPECT_EQ(own->dim->x, 60);
  EXPECT_EQ(own->dim->y, 70);
  EXPECT_EQ(own->dim->origin, 0);
  EXPECT_EQ(own->dim->width, 16);
  EXPECT_EQ(place->width, 100);  // the button keeps its own size
}

}  // namespace
}  // namespace orvela
