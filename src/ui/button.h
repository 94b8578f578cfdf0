// TButton: every clickable control of the game. A still image or one frame of an animation
// strip, an optional text and an optional highlight, drawn in one of six looks (enabled or
// disabled; pointer outside, over, or pressed), optionally zooming while the pointer rests on
// it. It reads the global mouse (ui/mouse.h) and draws through the engine and DrawAtDim.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/image/image.h"
#include "engine/loading.h"
#include "engine/object.h"
#include "ui/dim.h"
#include "ui/text.h"

namespace orvela {

// The looks, values of TButton::_state.
enum ButtonLook : int {
  LOOK_E_OUT = 11,    // enabled, pointer outside
  LOOK_E_OVER = 12,   // enabled, pointer over
  LOOK_E_PRESS = 13,  // enabled, pressed
  LOOK_D_OUT = 21,    // disabled, pointer outside
  LOOK_D_OVER = 22,   // disabled, pointer over
  LOOK_D_PRESS = 23,  // disabled, pressed
};

class TButton : public TObject {
 public:
  int _state = 0;               // current look; 0 until the first State
  float alpha = 1.0f;           // opacity the button draws with
  std::vector<int> animFrames;  // animated image: frame index per look
  std::vector<int> hlFrames;    // animated highlight: frame index per look
  Ref<TObject> defaultFont;     // carried, not read
  DimRef dim;                   // placement and hit rectangle, shared with the creator
  ImageRef highLighter;         // strip of the animated highlight
  int id = 0;                   // reported by State on a click
  ImageRef image;               // strip of the animated image
  float scale = 1.0f;           // current zoom of smooth zooming
  int animHighLighter = 0;      // 1 = highlight from highLighter and hlFrames
  int animHorizontal = 1;       // 1 = strip frames side by side; 0 = one under another
  int animImage = 0;            // 1 = image from image and animFrames
  int dimFromImage = 0;         // carried, not read
  int enlarge = 0;              // 1 = zoom while the pointer is over
  int smoothZooming = 0;        // 1 = zoom by 0.02 per drawn frame up to 1.14
  int showHighLighter = 0;
  int showImage = 1;
  int showText = 0;
  // Still images per look (a TImage or a TPixmap).
  Ref<TObject> IMG_E_OUT, IMG_E_OVER, IMG_E_PRESS, IMG_D_OUT, IMG_D_OVER, IMG_D_PRESS;
  // Texts per look.
  TextRef TXT_E_OUT, TXT_E_OVER, TXT_E_PRESS, TXT_D_OUT, TXT_D_OVER, TXT_D_PRESS;
  // Highlight images per look (a TImage or a TPixmap).
  Ref<TObject> HL_E_OUT, HL_E_OVER, HL_E_PRESS, HL_D_OUT, HL_D_OVER, HL_D_PRESS;
  int clicked = 0;  // set by OnClick; cleared by OnOut and by isClicked
  int enabled = 1;  // 0 = disabled looks (clicks are still reported)
  int holded = 0;   // 1 while the left button is held over it
  int over = 0;     // 1 while the pointer is over it
  int visible = 1;  // 0 = neither drawn nor tested

  // Layers: each saves the global alpha and scale and restores both.
  virtual int _drawHighLighter();
  virtual int _drawAnimHighLighter();
  virtual int _drawImage();
  virtual int _drawAnimImage();
  virtual int _drawText();
  // Looks: zoom handling, then highlight, image and text layers.
  virtual int _drawOnOver();
  virtual int _drawOnOut();
  virtual int _drawOnPress();
  // 1 over (12, 22), 2 pressed (13, 23), else 0.
  virtual int GetState();
  virtual int OnOver();     // the pointer entered; does nothing
  virtual int OnOut();      // the pointer left; clears the click latch
  virtual int OnClick();    // a click; sets the click latch
  virtual int isClicked();  // 1 once per latched click (reading clears it)
  virtual int isHolded();
  virtual int SetState(int enabled_flag, int visible_flag);
  // Draws the current look with the button's alpha; the global alpha is restored.
  virtual int Draw();
  // Once per frame, before Draw: follows the global mouse; returns id in the frame in which the
  // left button goes down over the button (strict hit-test), else 0.
  virtual int State();

 protected:
  // The still look of a state: the asked one, falling back as the six looks do; null for a
  // state that is none of the six.
  Ref<TObject> SelectLook(const Ref<TObject>& e_out, const Ref<TObject>& e_over,
                          const Ref<TObject>& e_press, const Ref<TObject>& d_out,
                          const Ref<TObject>& d_over, const Ref<TObject>& d_press) const;
  // The element of a frame list for the current state, or -1 when there is none.
  int AnimFrame(const std::vector<int>& frames) const;

 private:
  int DrawLayers();
};

using ButtonRef = std::shared_ptr<TButton>;

// An image button: the image (a TImage, a TPixmap, or a path loaded by ImageOf) is the
// enabled-outside look; a rectangle width or height of exactly 0 takes the image's.
ButtonRef CreateImageButton(int id, const Source& image, const DimRef& dim, int enlarge,
                            int smoothZooming, int dimFromImage);
// A zooming text button. A string becomes a new text on the button's own rectangle, which
// takes the text's measured size; a given text keeps its rectangle, moved to the button's
// place and sized to the text. An image font measures with the engine's current font.
ButtonRef CreateTextButton(int id, const std::string& text, const Ref<TObject>& font,
                           const DimRef& dim);
ButtonRef CreateTextButton(int id, const TextRef& text, const Ref<TObject>& font,
                           const DimRef& dim);
// An animated button: the picture (a TPixmap or a path, loaded by PixmapOf) is a strip cut
// into as many frames as `frames` has entries, side by side (horizontal 1) or one under
// another; a rectangle width or height of 0 takes one frame's.
ButtonRef CreateAnimButton(int id, const Source& image, const std::vector<int>& frames,
                           const DimRef& dim, int horizontal);
// A button with an outside and an over image (both loaded by ImageOf) at (x, y), sized to the
// outside image.
ButtonRef CreateTwoImageButton(int id, const std::string& outImage, const std::string& overImage,
                               int x, int y);

}  // namespace orvela
