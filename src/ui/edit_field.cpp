// EditLine, TEdit and TEditE.
#include "ui/edit_field.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/text/utf8.h"
#include "ui/bitmap_font.h"
#include "ui/font_selection.h"
#include "ui/text.h"

namespace orvela {

namespace {

bool Between(int code, char first, char last) {
  return code >= first && code <= last;
}

void UseColor(const ColorRef& color) {
  if (color) SetColor(color->r, color->g, color->b);
}

// Truncation toward zero, as every real-to-integer conversion of the toolkit.
float Truncated(float value) {
  return static_cast<float>(static_cast<int>(value));
}

// A line of text in a font of either kind, for measuring and letter-by-letter drawing.
TText Line(const std::string& text, const Ref<TObject>& font) {
  TText line;
  line.text = text;
  line.font = font;
  return line;
}

}  // namespace

// ---- EditLine ----------------------------------------------------------------------------

int EditLine::Chars() const {
  return CharCount(text);
}

int EditLine::TextTrim() {
  const int limit = std::max(0, maxChars);
  if (Chars() <= limit) return 0;
  text = EncodeUtf8(DecodeUtf8(text).substr(0, static_cast<size_t>(limit)));
  return 0;
}

void EditLine::ClampCaret() {
  position = std::clamp(position, -1, Chars() - 1);
}

int EditLine::InsertChar(int code) {
  if (code == '\\') code = '/';
  const bool allowed = Between(code, 'A', 'Z') || Between(code, 'a', 'z') ||
                       Between(code, '0', '9') || code == '.' || code == '/' || code == '-' ||
                       code == '_' || (code == ' ' && !text.empty());
  if (!allowed) return 0;
  std::u32string chars = DecodeUtf8(text);
  if (static_cast<int>(chars.size()) >= maxChars) return 0;
  ClampCaret();
  chars.insert(chars.begin() + (position + 1), static_cast<char32_t>(code));
  text = EncodeUtf8(chars);
  ++position;
  return 1;
}

int EditLine::EraseChar(int index) {
  if (text.empty() || position == -1) return 0;
  std::u32string chars = DecodeUtf8(text);
  if (index < 0 || index >= static_cast<int>(chars.size())) return 0;
  chars.erase(chars.begin() + index);
  text = EncodeUtf8(chars);
  --position;
  ClampCaret();
  return 1;
}

int EditLine::UpdateText() {
  ClampCaret();
  const int typed = GetChar();
  if (KeyHits(KEY_DELETE) > 0 && position + 1 < Chars()) {
    std::u32string chars = DecodeUtf8(text);
    chars.erase(chars.begin() + (position + 1));
    text = EncodeUtf8(chars);
  }
  if (typed == KEY_BACKSPACE) {
    EraseChar(position);
  } else {
    InsertChar(typed);
  }
  return 0;
}

bool EditLine::FollowInput() {
  bool changed = false;
  if (text != text2) {
    TextTrim();
    if (!focus) position = Chars() - 1;
    text2 = text;
    changed = true;
  }
  // A text shortened from outside while the field has focus must not leave the caret past
  // its end, where the next typed character would be placed.
  ClampCaret();
  if (!focus) return changed;
  if (KeyHits(KEY_LEFT) > 0 && position > 0) --position;
  if (KeyHits(KEY_RIGHT) > 0 && position < Chars() - 1) ++position;
  UpdateText();
  return changed;
}

float EditLine::CaretOffset() const {
  const std::u32string chars = DecodeUtf8(text);
  const int last = std::min(position, static_cast<int>(chars.size()) - 1);
  float offset = 0;
  for (int i = 0; i <= last; ++i) offset += CharWidth(EncodeUtf8(chars[i]));
  return offset;
}

void EditLine::DrawTextAt(float x, float y) {
  UseColor(focus ? textColorFocus : textColor);
  SetAlpha(alpha);
  if (dim) SetDrawScale(dim->scalex, dim->scaley);
  DrawString(text, x, y);
  SetAlpha(1);
  SetDrawScale(1, 1);
  UseColor(textColor);
}

// ---- TEdit -------------------------------------------------------------------------------

TEdit::TEdit() {
  dim = TDim::Create(0, 0, 0, 0, 0, 1, 1, 0);
  textColorFocus = TColor::Create(0xFFFFC8C8);
  Frame = CreateColorFrame(dim, frameColor, 1, backgroundColor, 0.3f, 0);
}

std::shared_ptr<TEdit> TEdit::Create(const DimRef& dim, const Ref<TObject>& font,
                                     const std::string& text) {
  auto edit = std::make_shared<TEdit>();
  edit->dim = dim;
  edit->Frame->dim = dim;
  edit->font = font;
  edit->text = text;
  edit->text2 = text;
  return edit;
}

float TEdit::TextH() const {
  const ScopedDrawFont selected(font);
  return Line(text, font).height();
}

float TEdit::TextW() const {
  const ScopedDrawFont selected(font);
  return Line(text, font).width();
}

float TEdit::CharWidth(const std::string& character) const {
  const ScopedDrawFont selected(font);
  return Line(character, font).width();
}

int TEdit::DrawTTFont() {
  auto image_font = std::dynamic_pointer_cast<TImageFont>(font);
  if (!image_font || !dim) return 0;
  SetDrawFont(image_font);
  DrawTextAt(dim->Left(), dim->Top());
  return 0;
}

int TEdit::DrawTFont() {
  auto bitmap = std::dynamic_pointer_cast<TFont>(font);
  if (!bitmap || !dim) return 0;
  UseColor(focus ? textColorFocus : textColor);
  TText line = Line(text, font);
  const float v = Truncated((dim->height - bitmap->Size) / 2);
  line.dim = TDim::Create(dim->Left(), dim->Top() + v, 0, 0, 0, dim->scalex, dim->scaley, 0);
  line.alpha = alpha;
  line.Draw();
  UseColor(textColor);
  return 0;
}

int TEdit::DrawCursor() {
  if (!dim) return 0;
  const float cx = CaretOffset();
  const float height = TextH();
  const float v = position >= 0 ? Truncated((dim->height - height) / 2) : 0;
  const float x = dim->Left() + cx, y = dim->Top() + v;
  SetColor(250, 200, 200);
  SetAlpha(0.8f);
  DrawLine(x, y, x, y + height);
  SetAlpha(1);
  SetColor(250, 250, 250);
  return 0;
}

int TEdit::Draw() {
  if (!visible) return 0;
  if (Frame) {
    Frame->color = frameColor;
    Frame->bgcolor = backgroundColor;
    Frame->alpha = focus ? 0.5f : 0.3f;
    Frame->Draw();
  }
  if (std::dynamic_pointer_cast<TFont>(font)) {
    DrawTFont();
  } else {
    DrawTTFont();
  }
  if (focus) DrawCursor();
  return 0;
}

int TEdit::State() {
  if (!enabled) return 0;
  FollowInput();
  return 0;
}

// ---- TEditE ------------------------------------------------------------------------------

std::shared_ptr<TEditE> TEditE::Create(const DimRef& dim, const std::string& text) {
  auto edit = std::make_shared<TEditE>();
  edit->dim = dim;
  edit->text = text;
  edit->text2 = text;
  return edit;
}

float TEditE::TextH() const {
  return static_cast<float>(StringHeight());
}

float TEditE::TextW() const {
  return static_cast<float>(StringWidth(text));
}

float TEditE::CharWidth(const std::string& character) const {
  return static_cast<float>(StringWidth(character));
}

int TEditE::DrawTTFont() {
  if (!dim) return 0;
  DrawTextAt(dim->x + kTextIndent, dim->y);
  return 0;
}

int TEditE::DrawCursor() {
  if (!dim) return 0;
  const float x = dim->x + kTextIndent + CaretOffset();
  SetColor(220, 220, 220);
  SetAlpha(0.8f);
  DrawLine(x, dim->y, x, dim->y + TextH());
  SetAlpha(1);
  SetColor(255, 255, 255);
  return 0;
}

int TEditE::Draw() {
  if (!visible) return 0;
  DrawTTFont();
  if (focus) DrawCursor();
  return 0;
}

int TEditE::State() {
  if (!enabled) return 0;
  const bool changed = FollowInput();
  return focus || changed ? 1 : 0;
}

}  // namespace orvela
