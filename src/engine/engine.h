// The engine services every screen rests on: display and frame, drawing state, drawing,
// input and the millisecond clock. Each function acts on the current engine context
// (engine/context.h). Strings are UTF-8 std::string values (see engine/text/utf8.h).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/text/font.h"
#include "engine/text/utf8.h"

namespace orvela {

// Virtual-key codes used by the game.
enum KeyCode : int {
  KEY_BACKSPACE = 8,
  KEY_TAB = 9,
  KEY_ENTER = 13,
  KEY_ESCAPE = 27,
  KEY_SPACE = 32,
  KEY_LEFT = 37,
  KEY_UP = 38,
  KEY_RIGHT = 39,
  KEY_DOWN = 40,
  KEY_DELETE = 46,
  KEY_0 = 48,  // through KEY_0 + 9
  KEY_A = 65,  // through KEY_A + 25
  KEY_H = 72,
  KEY_P = 80,
  KEY_S = 83,
  KEY_F1 = 112,  // through KEY_F1 + 11
};

// Blend modes.
enum BlendMode : int {
  MASKBLEND = 1,   // written solid where the source alpha (current alpha included) >= 0.5
  SOLIDBLEND = 2,  // the source replaces the destination
  ALPHABLEND = 3,  // source · alpha + destination · (1 − alpha)
  LIGHTBLEND = 4,  // source · alpha + destination
  SHADEBLEND = 5,  // source · destination
};

// ---- Display and frame ----------------------------------------------------------------

// Sets the window title (used by the next OpenGraphics and shown at once when open).
void AppTitle(const std::string& title);
// Opens the display: depth 0 a window of width × height, depth 32 full screen. May be called
// again while running: images and fonts keep working and the drawing state returns to its
// defaults. Returns 1 on success.
int OpenGraphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
int GraphicsWidth();
int GraphicsHeight();
void Cls();  // clears the back buffer to black
// Shows the back buffer. sync -1: paced to the frame rate of OpenGraphics; 0: at once;
// 1: waits for the vertical blank.
void Flip(int sync = -1);

// ---- Drawing state ---------------------------------------------------------------------

void SetColor(int red, int green, int blue);
void GetColor(int* red, int* green, int* blue);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetDrawScale(float sx, float sy);
std::pair<float, float> GetDrawScale();
void SetRotation(float degrees);
float GetRotation();
void SetDrawTransform(float rotation, float sx, float sy);
void SetDrawFont(const FontRef& font);  // null selects the built-in font
FontRef GetDrawFont();                  // never null
void SetOrigin(float x, float y);
void SetHandle(float x, float y);  // subtracted for rectangles and lines

// ---- Drawing ---------------------------------------------------------------------------

// Draws a frame so that the image's handle lands on (x, y). A null or empty image, or a
// frame the image does not have, draws nothing.
void DrawImageFrame(const ImageRef& image, float x, float y, int frame = 0);
// Draws the text with its top at y; characters the font has no glyph for are skipped.
void DrawString(const std::string& text, float x, float y);
int StringWidth(const std::string& text);
int StringHeight();
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2, int last_pixel = 1);
void DrawPixmap(const TPixmap& pixmap, int x, int y);
PixmapRef GrabPixmap(int x, int y, int width, int height);

// ---- Input -----------------------------------------------------------------------------

int KeyHits(int key);
int KeyIsDown(int key);
int GetChar();  // the next typed character, 0 when none
int MouseHits(int button);
int MouseIsDown(int button);
int MouseXPos();
int MouseYPos();
void HideMouse();  // hides the system pointer over the window (the game draws its own)
void ShowMouse();
void FlushKeys();  // clears every key count, held key and typed character
// Lets pending events in and clears every key count and typed character; keys held down stay
// held (they do not count again until released and pressed anew). Never throws.
void DiscardKeyPresses();
void FlushMouse();  // clears every button count and held button
// Lets pending system events arrive (every input query does this itself).
void PollSystem();
// How often the window has gone out of the player's view (lost the focus, or was minimised)
// since the engine started; a screen compares it with the count it saw last.
int WindowFocusLosses();
// 1 while the window has the focus and is not minimised.
int WindowInFront();

// ---- Time ------------------------------------------------------------------------------

int MilliClock();  // milliseconds of the platform clock (wraps)
void Delay(int milliseconds);

// Arithmetic on MilliClock values that stays right when the clock wraps (and never
// overflows): a time some milliseconds later, and the milliseconds from one time to another.
inline int MilliAfter(int time, int milliseconds) {
  return static_cast<int>(static_cast<uint32_t>(time) + static_cast<uint32_t>(milliseconds));
}
inline int MilliBetween(int from, int to) {
  return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

}  // namespace orvela
