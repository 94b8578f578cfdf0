// DialogWindow, TQuestionWindow and TEditWindow.
#include "ui/dialogs.h"

#include <algorithm>
#include <vector>

#include "engine/engine.h"
#include "ui/font_selection.h"
#include "ui/frames.h"

namespace orvela {

namespace {

DimRef NewRect() {
  return TDim::Create(0, 0, 0, 0, 0, 1, 1, 0);
}

}  // namespace

int DialogWindow::AddButton(const ButtonRef& button) {
  if (!menu) menu = std::make_shared<TMenu>();
  menu->AddItem(button);
  done = 0;
  return 0;
}

TextRef DialogWindow::AddText(const std::string& line, const Ref<TObject>& font) {
  TextRef added = CreateText(line, NewRect(), font, 1, 0, 0, 0);
  text.AddLast(added);
  done = 0;
  return added;
}

int DialogWindow::AddFrame(const Ref<TObject>& frame) {
  Frame = frame;
  done = 0;
  return 0;
}

int DialogWindow::Build() {
  // Buttons: the row's width and its height.
  std::vector<ButtonRef> buttons;
  float buttons_width = 0, row_height = 0;
  if (menu) {
    for (const ButtonRef& b : menu->items) {
      if (!b || !b->dim) continue;
      buttons.push_back(b);
      buttons_width += b->dim->width;
      row_height = std::max(row_height, b->dim->height);
    }
  }
  const float row_width =
      buttons_width +
      static_cast<float>(std::max(0, static_cast<int>(buttons.size()) - 1) * buttonSeparator);

  // Texts, each measured in its own font.
  struct Measured {
    TextRef line;
    float width, height;
  };
  std::vector<Measured> lines;
  float texts_height = 0, widest = 0;
  for (const TextRef& t : text) {
    if (!t) continue;
    const ScopedDrawFont selected(t->font);
    lines.push_back({t, t->width(), t->height()});
    texts_height += lines.back().height;
    widest = std::max(widest, lines.back().width);
  }
  const int count = static_cast<int>(lines.size());

  const EditRef field = Field();
  const float field_height = field ? field->TextH() : 0;
  const float block =
      field ? field_height + static_cast<float>(count * lineSeparator) + texts_height
            : static_cast<float>(std::max(0, count - 1) * lineSeparator) + texts_height;

  const float height = row_height + static_cast<float>(topMargin) + block +
                       static_cast<float>(buttonTextSeparator + bottomMargin);
  const float width = std::max(widest, row_width) + static_cast<float>(leftMargin + rightMargin);
  const float top = y - height / 2, left = x - width / 2;

  // Texts, centred on the widest.
  float line_top = top + static_cast<float>(topMargin);
  for (const Measured& m : lines) {
    if (!m.line->dim) m.line->dim = NewRect();
    m.line->dim->x = left + static_cast<float>(leftMargin) + (widest - m.width) / 2;
    m.line->dim->y = line_top;
    line_top = m.line->dim->y + m.height + static_cast<float>(lineSeparator);
  }

  // The edit field under the texts, as wide as the window within its margins.
  if (field) {
    if (!field->dim) field->dim = NewRect();
    if (field->Frame) field->Frame->dim = field->dim;
    field->dim->x = left + static_cast<float>(leftMargin);
    field->dim->y = top + static_cast<float>(topMargin) + block - field_height;
    field->dim->width = width - static_cast<float>(leftMargin + rightMargin);
    field->dim->height = field_height;
  }

  // The button row, centred at the bottom.
  const float row_top = top + height - static_cast<float>(bottomMargin) - row_height;
  float next_left = left + (width - row_width) / 2;
  for (const ButtonRef& b : buttons) {
    b->dim->x = next_left;
    b->dim->y = row_top;
    next_left = b->dim->Right() + static_cast<float>(buttonSeparator);
  }

  // The window rectangle; a frame gets it, keeping the border thickness it was made with.
  DimRef window = TDim::Create(left, top, width, height, 0, 1, 1, 0);
  if (auto frame = std::dynamic_pointer_cast<TFrame>(Frame)) {
    if (frame->dim) window->Size = frame->dim->Size;
    frame->dim = window;
  }
  dim = window;
  done = 1;
  return 0;
}

int DialogWindow::TestFrame() {
  if (!dim) return 0;
  const float l = dim->x, t = dim->y, r = dim->x + dim->width, b = dim->y + dim->height;
  SetColor(255, 0, 0);
  SetAlpha(0.4f);
  DrawLine(l, t, r, t);
  DrawLine(r, t, r, b);
  DrawLine(r, b, l, b);
  DrawLine(l, b, l, t);
  SetAlpha(1);
  SetColor(255, 255, 255);
  return 0;
}

int DialogWindow::Draw() {
  if (!done) Build();
  if (auto frame = std::dynamic_pointer_cast<TFrame>(Frame)) {
    frame->Draw();
  } else if (auto image = std::dynamic_pointer_cast<TImage>(Frame); image && dim) {
    DrawImageFrame(image, dim->x, dim->y, 0);
  }
  for (const TextRef& t : text) {
    if (t) t->Draw();
  }
  if (const EditRef field = Field()) field->Draw();
  if (menu) menu->Draw(1);
  return 0;
}

int DialogWindow::State() {
  if (const EditRef field = Field()) field->State();
  return menu ? menu->State() : 0;
}

std::shared_ptr<TQuestionWindow> TQuestionWindow::Create(float x, float y) {
  auto window = std::make_shared<TQuestionWindow>();
  window->x = x;
  window->y = y;
  return window;
}

std::shared_ptr<TEditWindow> TEditWindow::Create(float x, float y) {
  auto window = std::make_shared<TEditWindow>();
  window->x = x;
  window->y = y;
  return window;
}

EditRef TEditWindow::CreateEdit(const std::string& line, const Ref<TObject>& font) {
  edit = TEdit::Create(NewRect(), font, line);
  edit->focus = 1;
  done = 0;
  return edit;
}

}  // namespace orvela
