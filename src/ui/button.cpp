// TButton and its constructors.
#include "ui/button.h"

#include "engine/engine.h"
#include "ui/mouse.h"

namespace orvela {

namespace {

constexpr float kZoomStep = 0.02f;
constexpr float kZoomMax = 1.14f;

// Saves the global alpha and scale and restores both when it goes.
class SavedAlphaScale {
 public:
  SavedAlphaScale() : alpha_(GetAlpha()), scale_(GetDrawScale()) {}
  ~SavedAlphaScale() {
    SetAlpha(alpha_);
    SetDrawScale(scale_.first, scale_.second);
  }
  SavedAlphaScale(const SavedAlphaScale&) = delete;
  SavedAlphaScale& operator=(const SavedAlphaScale&) = delete;

 private:
  float alpha_;
  std::pair<float, float> scale_;
};

}  // namespace

Ref<TObject> TButton::SelectLook(const Ref<TObject>& e_out, const Ref<TObject>& e_over,
                                 const Ref<TObject>& e_press, const Ref<TObject>& d_out,
                                 const Ref<TObject>& d_over, const Ref<TObject>& d_press) const {
  switch (_state) {
    case LOOK_E_OUT:
      return e_out;
    case LOOK_E_OVER:
      return e_over ? e_over : e_out;
    case LOOK_E_PRESS:
      return e_press ? e_press : e_out;
    case LOOK_D_OUT:
      return d_out ? d_out : e_out;
    case LOOK_D_OVER:
      return d_over ? d_over : d_out ? d_out : e_out;
    case LOOK_D_PRESS:
      return d_press ? d_press : d_out ? d_out : e_out;
    default:
      return nullptr;
  }
}

int TButton::AnimFrame(const std::vector<int>& frames) const {
  const size_t n = frames.size();
  if (n == 0) return -1;
  size_t k = 0;
  switch (_state) {
    case LOOK_E_OUT:
      k = 0;
      break;
    case LOOK_E_OVER:
      k = n > 1 ? 1 : 0;
      break;
    case LOOK_E_PRESS:
      k = n > 2 ? 2 : 0;
      break;
    case LOOK_D_OUT:
      k = n > 3 ? 3 : 0;
      break;
    case LOOK_D_OVER:
      k = n > 4 ? 4 : n > 3 ? 3 : 0;
      break;
    case LOOK_D_PRESS:
      k = n > 5 ? 5 : n > 3 ? 3 : 0;
      break;
    default:
      return -1;
  }
  return frames[k];
}

int TButton::_drawHighLighter() {
  SavedAlphaScale saved;
  if (!dim) return 0;
  // Fades in with the smooth zoom: 0 at scale 1, 0.25 at 1.14.
  SetAlpha(0.25f * (scale - 1) / 0.14f);
  SetDrawScale(1.0f, 0.7f);
  DrawAtDim(SelectLook(HL_E_OUT, HL_E_OVER, HL_E_PRESS, HL_D_OUT, HL_D_OVER, HL_D_PRESS), dim, 0);
  return 0;
}

int TButton::_drawAnimHighLighter() {
  SavedAlphaScale saved;
  if (!dim) return 0;
  SetAlpha(0.25f * (scale - 1) / 0.14f);
  SetDrawScale(1.0f, 0.7f);
  if (const int frame = AnimFrame(hlFrames); frame >= 0) DrawAtDim(highLighter, dim, frame);
  return 0;
}

int TButton::_drawImage() {
  SavedAlphaScale saved;
  if (!dim) return 0;
  SetAlpha(alpha);
  SetDrawScale(dim->scalex, dim->scaley);
  DrawAtDim(SelectLook(IMG_E_OUT, IMG_E_OVER, IMG_E_PRESS, IMG_D_OUT, IMG_D_OVER, IMG_D_PRESS), dim,
            0);
  return 0;
}

int TButton::_drawAnimImage() {
  SavedAlphaScale saved;
  if (!dim) return 0;
  SetAlpha(alpha);
  SetDrawScale(dim->scalex, dim->scaley);
  if (const int frame = AnimFrame(animFrames); frame >= 0) DrawAtDim(image, dim, frame);
  return 0;
}

int TButton::_drawText() {
  SavedAlphaScale saved;
  auto text = std::dynamic_pointer_cast<TText>(
      SelectLook(TXT_E_OUT, TXT_E_OVER, TXT_E_PRESS, TXT_D_OUT, TXT_D_OVER, TXT_D_PRESS));
  if (text) text->Draw();
  return 0;
}

int TButton::DrawLayers() {
  if (showHighLighter) animHighLighter ? _drawAnimHighLighter() : _drawHighLighter();
  if (showImage) animImage ? _drawAnimImage() : _drawImage();
  if (showText) _drawText();
  return 0;
}

int TButton::_drawOnOver() {
  if (enlarge && dim) {
    float zoom = kZoomMax;
    if (smoothZooming) {
      scale += kZoomStep;
      if (scale > kZoomMax) scale = kZoomMax;
      zoom = scale;
    }
    SetDrawScale(zoom, zoom);
    dim->scalex = dim->scaley = zoom;
  }
  DrawLayers();
  SetDrawScale(1, 1);
  if (dim) dim->scalex = dim->scaley = 1;
  return 0;
}

int TButton::_drawOnOut() {
  if (enlarge && dim) {
    if (smoothZooming) {
      // The rectangle keeps the scale of the frame drawn while the zoom shrinks back.
      SetDrawScale(scale, scale);
      dim->scalex = dim->scaley = scale;
      if (scale > 1) {
        scale -= kZoomStep;
        if (scale < 1) scale = 1;
      }
    } else {
      SetDrawScale(1, 1);
      dim->scalex = dim->scaley = 1;
    }
  }
  DrawLayers();
  return 0;
}

int TButton::_drawOnPress() {
  DrawLayers();
  return 0;
}

int TButton::GetState() {
  switch (_state) {
    case LOOK_E_OVER:
    case LOOK_D_OVER:
      return 1;
    case LOOK_E_PRESS:
    case LOOK_D_PRESS:
      return 2;
    default:
      return 0;
  }
}

int TButton::OnOver() {
  return 0;
}

int TButton::OnOut() {
  clicked = 0;
  return 0;
}

int TButton::OnClick() {
  clicked = 1;
  return 0;
}

int TButton::isClicked() {
  if (!clicked) return 0;
  clicked = 0;
  return 1;
}

int TButton::isHolded() {
  return holded ? 1 : 0;
}

int TButton::SetState(int enabled_flag, int visible_flag) {
  enabled = enabled_flag;
  visible = visible_flag;
  return 0;
}

int TButton::Draw() {
  const float saved_alpha = GetAlpha();
  if (!visible) return 0;
  SetAlpha(alpha);
  if (!over) {
    _drawOnOut();
  } else if (holded) {
    _drawOnPress();
  } else {
    _drawOnOver();
  }
  SetAlpha(saved_alpha);
  return 0;
}

int TButton::State() {
  holded = 0;
  if (!visible) return 0;
  const MouseRef& mouse = GlobalMouse();
  // Without a mouse or a rectangle the pointer is never over the button.
  if (mouse && dim && dim->InXY(static_cast<float>(mouse->x), static_cast<float>(mouse->y))) {
    if (!over) OnOver();
    _state = enabled ? LOOK_E_OVER : LOOK_D_OVER;
    over = 1;
    if (mouse->leftHolded || mouse->leftPressed) _state = enabled ? LOOK_E_PRESS : LOOK_D_PRESS;
    if (mouse->leftHolded) holded = 1;
    if (mouse->leftPressed) {
      OnClick();
      return id;
    }
    return 0;
  }
  if (over) OnOut();
  _state = enabled ? LOOK_E_OUT : LOOK_D_OUT;
  over = 0;
  return 0;
}

// ---- Constructors ----------------------------------------------------------------------

ButtonRef CreateImageButton(int id, const Source& image, const DimRef& dim, int enlarge,
                            int smoothZooming, int dimFromImage) {
  auto button = std::make_shared<TButton>();
  button->dim = dim;
  button->id = id;
  button->enlarge = enlarge;
  button->smoothZooming = smoothZooming;
  button->dimFromImage = dimFromImage;
  float w = 0, h = 0;
  if (image.IsPath()) {
    if (ImageRef loaded = ImageOf(image)) {
      button->IMG_E_OUT = loaded;
      w = static_cast<float>(loaded->width), h = static_cast<float>(loaded->height);
    }
  } else if (auto img = std::dynamic_pointer_cast<TImage>(image.Object())) {
    button->IMG_E_OUT = img;
    w = static_cast<float>(img->width), h = static_cast<float>(img->height);
  } else if (auto pixmap = std::dynamic_pointer_cast<TPixmap>(image.Object())) {
    button->IMG_E_OUT = pixmap;
    w = static_cast<float>(pixmap->width), h = static_cast<float>(pixmap->height);
  }
  if (dim && button->IMG_E_OUT) {
    if (dim->width == 0) dim->width = w;
    if (dim->height == 0) dim->height = h;
  }
  return button;
}

namespace {

ButtonRef TextButton(int id, const DimRef& dim) {
  auto button = std::make_shared<TButton>();
  button->dim = dim;
  button->id = id;
  button->showText = 1;
  button->enlarge = 1;
  button->smoothZooming = 1;
  return button;
}

// The text's rectangle: origin 0, at the button's place, with the text's measured size.
void FitText(const TButton& button, TText& text) {
  if (!text.dim) text.dim = TDim::Create(0, 0, 0, 0, 0, 1, 1, 0);
  text.dim->origin = 0;
  if (button.dim) {
    text.dim->x = button.dim->x;
    text.dim->y = button.dim->y;
  }
  text.dim->width = text.width();
  text.dim->height = text.height();
}

}  // namespace

ButtonRef CreateTextButton(int id, const std::string& text, const Ref<TObject>& font,
                           const DimRef& dim) {
  ButtonRef button = TextButton(id, dim);
  // The text shares the button's rectangle, so the button takes the text's size.
  button->TXT_E_OUT =
      CreateText(text, dim ? dim : TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), font, 1, 0, 0, 0);
  if (!button->dim) button->dim = button->TXT_E_OUT->dim;
  FitText(*button, *button->TXT_E_OUT);
  return button;
}

// A given text draws with its own font; the font argument is not needed.
ButtonRef CreateTextButton(int id, const TextRef& text, const Ref<TObject>& /*font*/,
                           const DimRef& dim) {
  ButtonRef button = TextButton(id, dim);
  button->TXT_E_OUT = text;
  if (text) FitText(*button, *text);
  return button;
}

ButtonRef CreateAnimButton(int id, const Source& image, const std::vector<int>& frames,
                           const DimRef& dim, int horizontal) {
  auto button = std::make_shared<TButton>();
  button->dim = dim;
  button->id = id;
  button->animHorizontal = horizontal;
  button->animFrames = frames;
  button->animImage = 1;
  PixmapRef strip = PixmapOf(image);
  const int n = static_cast<int>(frames.size());
  if (!strip || !dim || n == 0) return button;
  if (horizontal) {
    if (dim->width == 0) dim->width = static_cast<float>(strip->width / n);
    if (dim->height == 0) dim->height = static_cast<float>(strip->height);
  } else {
    if (dim->width == 0) dim->width = static_cast<float>(strip->width);
    if (dim->height == 0) dim->height = static_cast<float>(strip->height / n);
  }
  const int cell_w = static_cast<int>(dim->width), cell_h = static_cast<int>(dim->height);
  if (cell_w > 0 && cell_h > 0 && !strip->Empty()) {
    button->image = TImage::LoadAnim(strip, cell_w, cell_h, 0, n, -1);
  }
  return button;
}

ButtonRef CreateTwoImageButton(int id, const std::string& outImage, const std::string& overImage,
                               int x, int y) {
  auto button = std::make_shared<TButton>();
  button->id = id;
  button->dim = TDim::Create(static_cast<float>(x), static_cast<float>(y), 0, 0, 0, 1, 1, 0);
  ImageRef out = ImageOf(outImage);
  button->IMG_E_OUT = out;
  button->IMG_E_OVER = ImageOf(overImage);
  if (out) {
    button->dim->width = static_cast<float>(out->width);
    button->dim->height = static_cast<float>(out->height);
  }
  return button;
}

}  // namespace orvela
