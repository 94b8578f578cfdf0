// The toolkit demonstration's page of frames, edit fields and dialog windows.
#include "demos/toolkit_dialogs_page.h"

#include <string>
#include <vector>

#include "engine/engine.h"
#include "ui/button.h"
#include "ui/dialogs.h"
#include "ui/edit_field.h"
#include "ui/frames.h"
#include "ui/menu.h"
#include "ui/mouse.h"
#include "ui/text.h"

namespace orvela {

namespace {

constexpr uint32_t kGold = 0xFFF2C14E, kCream = 0xFFF6E7C8, kCoral = 0xFFFF8A6A;
constexpr uint32_t kPlum = 0xFF3F1C31, kMuted = 0xFFB8A8C0;

enum Ids : int { kOk = 1, kCancel = 2, kBack = 3 };

const char* const kSliceFiles[9] = {"top_left",    "top",    "top_right",    "left",  "right",
                                    "bottom_left", "bottom", "bottom_right", "centre"};

ImageFrameRef GameFrame(const DimRef& dim, int kind) {
  ImageFrameRef frame = CreateImageFrame(dim, 1, 1, kind);
  for (int p = 0; p < 9; ++p) {
    frame->AddImage(std::string("gfx/gui/frame/") + kSliceFiles[p] + ".png", p);
  }
  return frame;
}

ColorFrameRef ColourFrame(float x, float y, float w, float h, float border, uint32_t band,
                          float alpha, int kind) {
  return CreateColorFrame(TDim::Create(x, y, w, h, border, 1, 1, 0), TColor::Create(band), 1,
                          TColor::Create(kPlum), alpha, kind);
}

ButtonRef DialogButton(int id, const char* strip) {
  return CreateAnimButton(id, strip, {0, 1}, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 1);
}

}  // namespace

struct DialogsPageParts {
  FontRef small, middle, large;
  std::vector<TextRef> labels;
  std::vector<FrameRef> frames;
  EditWindowRef edit_window;
  QuestionWindowRef question;
  EditERef bare;
  ColorFrameRef bare_box;
  MenuRef menu;
  TextRef status;

  TextRef Label(const std::string& text, float x, float y, const FontRef& font,
                uint32_t argb = kCream) {
    TextRef t = CreateText(text, TDim::Create(x, y, 0, 0, 0, 1, 1, 0), font, 1, 0, 0, 0);
    t->color->Color(argb);
    labels.push_back(t);
    return t;
  }
};

DialogsPage::DialogsPage(const FontRef& small, const FontRef& middle, const FontRef& large)
    : parts_(std::make_unique<DialogsPageParts>()) {
  DialogsPageParts& p = *parts_;
  p.small = small, p.middle = middle, p.large = large;
  p.Label("Frames, fields and dialogs", 24, 12, large);

  // Colour frames: bands outside the rectangle, the fill on it.
  p.Label("TColorFrame: bands outside, fill inside", 30, 70, small, kGold);
  p.frames.push_back(ColourFrame(36, 104, 164, 64, 4, kGold, 0.85f, 0));
  p.frames.push_back(ColourFrame(226, 104, 164, 64, 4, kCoral, 0.85f, 1));
  p.Label("kind 0", 48, 114, middle);
  p.Label("kind 1", 238, 114, middle);
  p.Label("border 4, alpha 0.85", 48, 142, small, kMuted);
  p.Label("no top band", 238, 142, small, kMuted);

  // Nine-slice frames from the game's frame art.
  p.Label("TImageFrame: nine slices, stretched", 430, 70, small, kGold);
  p.frames.push_back(GameFrame(TDim::Create(446, 112, 120, 52, 0, 1, 1, 0), 0));
  p.frames.push_back(GameFrame(TDim::Create(626, 112, 120, 52, 0, 1, 1, 0), 1));
  p.Label("kind 0", 456, 120, middle);
  p.Label("kind 1", 636, 120, middle);
  p.Label("corners outside", 456, 144, small, kMuted);
  p.Label("no top row", 636, 144, small, kMuted);

  // A bare field over a colour frame of its own; clicking it gives it the focus.
  p.Label("TEditE: a bare field (click it, then type)", 30, 206, small, kGold);
  p.bare = TEditE::Create(TDim::Create(30, 232, 340, 24, 0, 1, 1, 0), "bare field");
  p.bare_box = ColourFrame(30, 230, 340, 26, 1, kGold, 0.6f, 0);
  p.Label("TEdit in TEditWindow; TQuestionWindow", 430, 206, small, kGold);
  p.Label("both lay themselves out round their centre", 430, 226, small, kMuted);

  // The edit window: the game's frame, two texts, a field with the focus, OK and Cancel.
  p.edit_window = TEditWindow::Create(200, 410);
  p.edit_window->AddFrame(GameFrame(nullptr, 0));
  p.edit_window->AddText("Name your profile", middle)->color->Color(kGold);
  p.edit_window->AddText("letters, digits, . / - _ and spaces", small)->color->Color(kCream);
  p.edit_window->CreateEdit("", middle);
  p.edit_window->AddButton(DialogButton(kOk, "gfx/gui/ustawienia/ok.png"));
  p.edit_window->AddButton(DialogButton(kCancel, "gfx/gui/p_cancel.png"));

  // The question window on a colour frame with a gold border.
  p.question = TQuestionWindow::Create(600, 410);
  p.question->AddFrame(ColourFrame(0, 0, 0, 0, 3, kGold, 0.9f, 0));
  p.question->AddText("Sort every piece home?", middle)->color->Color(kGold);
  p.question->AddText("Each piece flies to its place", small);
  p.question->AddText("and the game ends.", small);
  p.question->AddButton(DialogButton(kOk, "gfx/gui/ustawienia/ok.png"));
  p.question->AddButton(DialogButton(kCancel, "gfx/gui/p_cancel.png"));

  p.status = p.Label("Type a name into the edit window's field.", 30, 546, middle, 0xFFFFE9A8);
  p.menu = std::make_shared<TMenu>();
  SetDrawFont(middle);  // a text button measures with the current font
  ButtonRef back = CreateTextButton(kBack, "< buttons and texts", middle,
                                    TDim::Create(540, 566, 0, 0, 0, 1, 1, 0));
  back->TXT_E_OUT->color->Color(0xFFFFD27A);
  p.menu->AddItem(back);
}

DialogsPage::~DialogsPage() = default;

bool DialogsPage::Update() {
  DialogsPageParts& p = *parts_;
  if (const MouseRef& mouse = GlobalMouse(); mouse && mouse->leftPressed) {
    const EditRef& field = p.edit_window->edit;
    const bool on_bare =
        p.bare_box->dim->InXY(static_cast<float>(mouse->x), static_cast<float>(mouse->y));
    const bool on_field =
        field->dim->InXY(static_cast<float>(mouse->x), static_cast<float>(mouse->y));
    // The field clicked takes the keyboard with its caret at the end; the other lets go.
    if (on_bare && !p.bare->focus) p.bare->position = p.bare->Chars() - 1;
    if (on_field && !field->focus) field->position = field->Chars() - 1;
    if (on_bare || on_field) {
      p.bare->focus = on_bare ? 1 : 0;
      field->focus = on_field ? 1 : 0;
    }
  }
  SetDrawFont(p.middle);  // the bare field measures and draws with the current font
  p.bare->State();
  const std::string typed = p.edit_window->edit->text;
  switch (p.edit_window->State()) {
    case kOk:
      p.status->text = "Edit window: OK with \"" + typed + "\"";
      break;
    case kCancel:
      p.edit_window->edit->text = "";  // cleared from outside
      p.status->text = "Edit window: Cancel, field cleared";
      break;
    default:
      break;
  }
  switch (p.question->State()) {
    case kOk:
      p.status->text = "Question window: OK";
      break;
    case kCancel:
      p.status->text = "Question window: Cancel";
      break;
    default:
      break;
  }
  return p.menu->State() == kBack;
}

void DialogsPage::Draw(const ImageRef& backdrop) {
  DialogsPageParts& p = *parts_;
  SetBlend(SOLIDBLEND);
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetDrawTransform(0, 1, 1);
  DrawImageFrame(backdrop, 0, 0, 0);
  SetBlend(ALPHABLEND);
  for (const FrameRef& frame : p.frames) frame->Draw();
  p.bare_box->alpha = p.bare->focus ? 0.9f : 0.5f;
  p.bare_box->Draw();
  SetDrawFont(p.middle);
  p.bare->Draw();
  p.edit_window->Draw();
  p.question->Draw();
  for (const TextRef& t : p.labels) t->Draw();
  p.menu->Draw(1);
}

}  // namespace orvela
