// The keyed widget holder: lookup by key and type, acting on keys, ranges and kinds, removal;
// and the sound-effect holder.
#include <gtest/gtest.h>

#include "ui/container.h"
#include "ui_support.h"

namespace orvela {
namespace {

class ContainerTest : public testing::UiTest {
 protected:
  ContainerTest() {
    Cls();
    SetBlend(SOLIDBLEND);
  }
  // A button that counts its State and Draw calls, in a shared log.
  struct Logged : TButton {
    std::vector<int>* log = nullptr;
    int Draw() override { return log->push_back(id), 0; }
    int State() override { return log->push_back(-id), 0; }
  };
  ButtonRef Logging(int id) {
    auto b = std::make_shared<Logged>();
    b->id = id;
    b->log = &log;
    return b;
  }
  std::vector<int> log;
};

TEST_F(ContainerTest, GettersTakeTheFirstItemWithTheKeyWhenItIsOfTheAskedType) {
  TContainer c;
  ImageRef image = Solid(4, 4, 0xFFFF0000);
  TextRef text = CreateText("t", nullptr, nullptr, 1, 0, 0, 0);
  c.Add(image, 1, nullptr);
  c.Add(text, 1, nullptr);
  c.Add(text, 2, nullptr);
  c.Add(TDim::Create(1, 2, 3, 4, 0, 1, 1, 0), 3, nullptr);
  c.Add(TImageFont::BuiltIn(), 4, nullptr);
  EXPECT_EQ(c.count(), 5);
  EXPECT_EQ(c.Get(1)->obj, image);
  EXPECT_EQ(c.GetImage(1), image);
  EXPECT_EQ(c.GetText(1), nullptr);  // the first item with key 1 is the image
  EXPECT_EQ(c.GetText(2), text);
  EXPECT_EQ(c.GetDim(3)->width, 3);
  EXPECT_EQ(c.GetTTFont(4), TImageFont::BuiltIn());
  EXPECT_EQ(c.GetFont(4), nullptr);
  EXPECT_EQ(c.GetObject(9), nullptr);
  EXPECT_EQ(c.Get(9), nullptr);
  c.Remove(1);
  EXPECT_EQ(c.count(), 3);
  EXPECT_EQ(c.GetText(2), text);
  c.Clear();
  EXPECT_EQ(c.count(), 0);
}

TEST_F(ContainerTest, KeysRangesAndKindsActInOrder) {
  TContainer c;
  c.Add(Logging(30), 3, nullptr);
  c.Add(Logging(10), 1, nullptr);
  c.Add(Logging(31), 3, nullptr);
  c.Add(Logging(20), 2, nullptr);
  c.Add(Logging(50), 5, nullptr);
  c.Draw(3);
  EXPECT_EQ(log, (std::vector<int>{30, 31}));
  log.clear();
  c.DrawRange(1, 3);  // key by key, each key in insertion order
  EXPECT_EQ(log, (std::vector<int>{10, 20, 30, 31}));
  log.clear();
  c.StateRange(2, 2147483647);
  EXPECT_EQ(log, (std::vector<int>{-20, -30, -31, -50}));
  log.clear();
  c.DrawAll();
  c.StateType(KIND_BUTTON);
  EXPECT_EQ(log, (std::vector<int>{30, 10, 31, 20, 50, -30, -10, -31, -20, -50}));
  log.clear();
  c.StateType(KIND_IMAGE);  // only the kinds 5..9 are updated
  c.DrawType(KIND_TEXT);
  c.DrawType(12);
  EXPECT_TRUE(log.empty());
}

TEST_F(ContainerTest, ItemsDrawByKind) {
  TContainer c;
  c.Add(Solid(4, 4, 0xFFFF0000), 1, TDim::Create(10, 10, 0, 0, 0, 1, 1, 0));
  c.Add(Solid(4, 4, 0xFF00FF00), 1, nullptr);  // a bare image without a place: not drawn
  c.Add(testing::SolidPixmap(4, 4, 0xFF0000FF), 2, TDim::Create(20.8f, 10, 0, 0, 0, 1, 1, 0));
  c.Add(CreateText("H", TDim::Create(40, 10, 0, 0, 0, 1, 1, 0), TImageFont::BuiltIn(), 1, 0, 0, 0),
        3, nullptr);
  auto menu = std::make_shared<TMenu>();
  menu->AddItem(CreateImageButton(1, Solid(4, 4, 0xFFFFFF00),
                                  TDim::Create(60, 10, 0, 0, 0, 1, 1, 0), 0, 0, 0));
  c.Add(menu, 4, nullptr);
  EXPECT_EQ(ContainerKindOf(menu), KIND_MENU);
  EXPECT_EQ(ContainerKindOf(nullptr), KIND_OTHER);
  c.StateAll();  // the menu's buttons get their look
  c.DrawType(KIND_IMAGE);
  EXPECT_EQ(Pixel(11, 11), 0xFFFF0000u);
  EXPECT_EQ(Pixel(21, 11) & 0xFFFFFF, 0u);
  c.DrawAll();
  EXPECT_EQ(Pixel(20, 11), 0xFF0000FFu);  // at the truncated point
  EXPECT_EQ(InkColumns(10, 20, 40, 50).first, 40);
  EXPECT_EQ(Pixel(61, 11), 0xFFFFFF00u);
  EXPECT_EQ(GetAlpha(), 1.0f);
}

TEST_F(ContainerTest, SoundEffectsPlayOnANewChannelAndStop) {
  SFXRef sfx = CreateSFX("sfx/tamli-klik-over1.ogg", 0);
  ASSERT_TRUE(sfx->sound);
  EXPECT_FALSE(sfx->sound->Loops());
  TContainer c;
  c.Add(sfx, 1, nullptr);
  c.Play(1);
  ASSERT_TRUE(sfx->channel);
  ChannelRef first = sfx->channel;
  EXPECT_EQ(first->Playing(), 1);
  c.Play(1);
  EXPECT_NE(sfx->channel, first);  // a new channel each time
  c.Stop(1);
  EXPECT_EQ(sfx->channel->Playing(), 0);
  EXPECT_EQ(c.GetSFX(1), sfx);

  SFXRef looping = CreateSFX("sfx/tamli-klik-over1.ogg", 1);
  EXPECT_TRUE(looping->sound->Loops());
  EXPECT_EQ(looping->Loop, 1);
  SFXRef missing = CreateSFX("sfx/none.ogg", 0);
  EXPECT_FALSE(missing->sound);
  EXPECT_EQ(missing->Play(), 0);
  EXPECT_EQ(missing->Stop(), 0);
  EXPECT_FALSE(missing->channel);
}

}  // namespace
}  // namespace orvela
