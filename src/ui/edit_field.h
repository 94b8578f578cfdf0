// The one-line text entry fields: TEdit (a box of its own and a font of its own) and TEditE
// (bare text in the current font), both on EditLine, the editing rules they share: which
// characters are taken, the caret, Backspace, Delete and the arrows. They read the engine's
// keyboard (typed characters and key hits) and draw through the engine and ui/frames.h.
#pragma once

#include <memory>
#include <string>

#include "engine/object.h"
#include "ui/color.h"
#include "ui/dim.h"
#include "ui/frames.h"

namespace orvela {

// The text and caret of a one-line field. The text is UTF-8; lengths, indices and the caret
// count characters. `position` is the index of the character just before the caret (−1: the
// caret is before the first character).
class EditLine : public TObject {
 public:
  DimRef dim;
  ColorRef textColor = TColor::Create(0xFFFFFFFF);       // without focus
  ColorRef textColorFocus = TColor::Create(0xFFFFFFFF);  // with focus
  std::string text;
  std::string text2;  // the text as the last State saw it, to notice changes from outside
  int maxChars = 30;
  int position = -1;
  int done = 0;        // carried, not read
  float alpha = 1.0f;  // text opacity
  float blink = 1.0f;  // carried, not read: the caret does not blink
  int focus = 0;       // 1 = takes the keyboard and shows the caret
  int enabled = 1;     // 0 = State does nothing
  int visible = 1;     // 0 = not drawn

  virtual int DrawCursor() = 0;
  virtual int DrawTTFont() = 0;
  // Removes the character at the index and moves the caret one back. Nothing when the text is
  // empty, the caret is before the first character or the index is not in the text. 1 when a
  // character was removed.
  int EraseChar(int index);
  // Takes the letters A–Z and a–z, the digits, ".", "/", "-", "_", a backslash (stored as "/")
  // and a space when the text is not empty; anything else is ignored, and so is every
  // character once the text holds maxChars. The character goes right after the caret, which
  // moves past it. 1 when it was taken.
  int InsertChar(int code);
  // One step of typing: the next typed character (Backspace is code 8) and the Delete key.
  int UpdateText();
  virtual float TextH() const = 0;
  virtual float TextW() const = 0;
  int Chars() const;  // the length of the text in characters
  // Cuts the text to its first maxChars characters.
  int TextTrim();
  virtual int Draw() = 0;
  virtual int State() = 0;

 protected:
  // The common part of State: notices a text changed by typing or from outside (trims it;
  // without focus the caret goes to the end), then with focus follows the arrows and typing.
  // True when a changed text was noticed.
  bool FollowInput();
  // The width the caret is drawn at: the summed widths of characters 0 … position, each
  // measured alone.
  float CaretOffset() const;
  virtual float CharWidth(const std::string& character) const = 0;
  // Draws the text at (x, y) in the focus or the normal colour with the field's alpha and its
  // rectangle's scale, in the font in force; leaves alpha 1, scale 1 × 1 and the normal colour.
  void DrawTextAt(float x, float y);
  // Keeps the caret within the text (from −1 to the last index), whatever was written to it.
  void ClampCaret();
};

// A field with a colour frame behind the text and a font of its own (a TImageFont or a TFont).
class TEdit : public EditLine {
 public:
  // A field on `dim` with that font and text, the frame moved onto the rectangle.
  static std::shared_ptr<TEdit> Create(const DimRef& dim, const Ref<TObject>& font,
                                       const std::string& text);
  TEdit();

  ColorFrameRef Frame;  // drawn behind the text; its border is dim->Size thick
  ColorRef frameColor = TColor::Create(0xFFFFFFFF);       // given to the frame's bands
  ColorRef backgroundColor = TColor::Create(0xFF000000);  // given to the frame's fill
  Ref<TObject> font;                                      // a TImageFont or a TFont

  // Caret line in (250, 200, 200) at alpha 0.8, from the top of the field (centred on a
  // character's height once there is one before it) down by TextH.
  int DrawCursor() override;
  // The text with the image font at the rectangle's left and top and scale.
  int DrawTTFont() override;
  // The text letter by letter with the bitmap font, centred in the field's height.
  int DrawTFont();
  // The line height and text width in the field's own font (0 for a font of no known kind).
  float TextH() const override;
  float TextW() const override;
  // The frame (alpha 0.5 with focus, 0.3 without), the text, and the caret with focus.
  int Draw() override;
  // Follows the input; returns 0.
  int State() override;

 private:
  float CharWidth(const std::string& character) const override;
};

// A bare field: text in the current font 15 pixels right of the rectangle's x, no box.
class TEditE : public EditLine {
 public:
  static std::shared_ptr<TEditE> Create(const DimRef& dim, const std::string& text);

  int DrawCursor() override;
  int DrawTTFont() override;
  float TextH() const override;  // the current font's line height
  float TextW() const override;  // the text's width in the current font
  int Draw() override;
  // Follows the input; 1 with focus, or without focus when a changed text was noticed.
  int State() override;

 private:
  static constexpr float kTextIndent = 15;  // the text starts this far right of dim->x

  float CharWidth(const std::string& character) const override;
};

using EditRef = std::shared_ptr<TEdit>;
using EditERef = std::shared_ptr<TEditE>;

}  // namespace orvela
