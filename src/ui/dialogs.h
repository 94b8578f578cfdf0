// The self-laying-out dialog windows: TQuestionWindow (lines of text over a row of buttons)
// and TEditWindow (the same with an edit field under the texts), both on DialogWindow, which
// holds their parts and their layout. Built on the toolkit's texts, buttons, menus, frames and
// edit fields; they draw through those widgets and the engine.
#pragma once

#include <memory>
#include <string>

#include "engine/object.h"
#include "ui/button.h"
#include "ui/dim.h"
#include "ui/edit_field.h"
#include "ui/menu.h"
#include "ui/text.h"

namespace orvela {

// A window of texts, centred on the widest, over a centred row of buttons, behind which a
// frame or an image is drawn. It lays itself out around its centre (x, y) at the first Draw
// after anything was added.
class DialogWindow : public TObject {
 public:
  Ref<TObject> Frame;  // a TFrame or a TImage drawn behind; null draws nothing
  MenuRef menu;        // null until the first button
  TList<TText> text;   // in the order added
  DimRef dim;          // the window rectangle after Build
  int done = 0;        // 1 = laid out
  int buttonSeparator = 20;
  int bottomMargin = 5;
  int buttonTextSeparator = 30;
  int topMargin = 5;
  int leftMargin = 5;
  int rightMargin = 5;
  int lineSeparator = 5;
  float x = 400;  // the window's centre
  float y = 300;

  // Each of the Add operations asks for a new layout at the next Draw.
  int AddButton(const ButtonRef& button);
  // A new text of full opacity in that font (a TImageFont or a TFont); returned so that the
  // caller may colour it.
  TextRef AddText(const std::string& line, const Ref<TObject>& font);
  int AddFrame(const Ref<TObject>& frame);
  // Places the texts, the edit field and the buttons and sets dim (given to a TFrame, which
  // keeps its border thickness). Texts and the field are measured in their own fonts.
  int Build();
  // Outlines the window rectangle in red at alpha 0.4 (a debugging aid).
  int TestFrame();
  // Build when not laid out; then the frame, the texts, the edit field and the buttons.
  int Draw();
  // Updates the edit field, then returns the identifier of the button clicked in this frame,
  // or 0.
  int State();

 protected:
  // The edit field laid out under the texts, if the window has one.
  virtual EditRef Field() const { return nullptr; }
};

class TQuestionWindow : public DialogWindow {
 public:
  // An empty window centred on (x, y).
  static std::shared_ptr<TQuestionWindow> Create(float x, float y);
};

class TEditWindow : public DialogWindow {
 public:
  static std::shared_ptr<TEditWindow> Create(float x, float y);

  EditRef edit;  // null until CreateEdit: the window is then laid out without a field

  // A new edit field with that text and font, given the focus at once.
  EditRef CreateEdit(const std::string& line, const Ref<TObject>& font);

 protected:
  EditRef Field() const override { return edit; }
};

using QuestionWindowRef = std::shared_ptr<TQuestionWindow>;
using EditWindowRef = std::shared_ptr<TEditWindow>;

}  // namespace orvela
