// TFrame, TColorFrame, TImageFrame and TSliceImage.
#include "ui/frames.h"

#include "engine/engine.h"

namespace orvela {

namespace {

// A rectangle for one slice, made from the frame's raw fields.
TDim SliceRect(float x, float y, float width, float height) {
  TDim r;
  r.x = x, r.y = y;
  r.width = width, r.height = height;
  r.scalex = r.scaley = 1;
  return r;
}

}  // namespace

int TSliceImage::Draw(const TDim& dim, float alpha) {
  if (!image || image->Empty()) return 0;
  const float px = dim.x, py = dim.y, pw = dim.width, ph = dim.height;
  const float iw = static_cast<float>(image->width), ih = static_cast<float>(image->height);
  float x = 0, y = 0, sx = 1, sy = 1;
  switch (position) {
    case SLICE_TOP_LEFT:
      x = px - iw, y = py - ih;
      break;
    case SLICE_TOP:
      x = px, y = py - ih, sx = pw / iw;
      break;
    case SLICE_TOP_RIGHT:
      x = px, y = py - ih;
      break;
    case SLICE_LEFT:
      x = px - iw, y = py, sy = ph / ih;
      break;
    case SLICE_RIGHT:
      x = px, y = py, sy = ph / ih;
      break;
    case SLICE_BOTTOM_LEFT:
      x = px - iw, y = py;
      break;
    case SLICE_BOTTOM:
      x = px, y = py, sx = pw / iw;
      break;
    case SLICE_BOTTOM_RIGHT:
      x = px, y = py;
      break;
    case SLICE_CENTRE:
      x = px, y = py, sx = pw / iw, sy = ph / ih;
      break;
    default:
      break;
  }
  SetAlpha(alpha);
  SetDrawScale(sx, sy);
  DrawImageFrame(image, x, y, 0);
  SetDrawScale(1, 1);
  SetAlpha(1);
  return 0;
}

SliceImageRef CreateSliceImage(const Source& image, int position) {
  auto slice = std::make_shared<TSliceImage>();
  slice->image = ImageOf(image);
  slice->position = position;
  return slice;
}

int TFrame::AddImage(const Source&, int) {
  return 0;
}

SliceImageRef TFrame::GetImage(int) const {
  return nullptr;
}

int TColorFrame::Draw() {
  if (!visible || !dim) return 0;
  const float x = dim->x, y = dim->y, w = dim->width, h = dim->height, s = dim->Size;
  SetAlpha(alpha);
  if (color) SetColor(color->r, color->g, color->b);
  if (kind != 1) DrawRect(x - s, y - s, w + 2 * s, s);
  DrawRect(x - s, y, s, h);
  DrawRect(x + w, y, s, h);
  DrawRect(x - s, y + h, w + 2 * s, s);
  if (background == 1) {
    if (bgcolor) SetColor(bgcolor->r, bgcolor->g, bgcolor->b);
    DrawRect(x, y, w, h);
  }
  SetColor(255, 255, 255);
  SetAlpha(1);
  return 0;
}

int TImageFrame::AddImage(const Source& image, int position) {
  images.AddLast(CreateSliceImage(image, position));
  return 0;
}

SliceImageRef TImageFrame::GetImage(int position) const {
  for (const auto& slice : images) {
    if (slice && slice->position == position) return slice;
  }
  return nullptr;
}

int TImageFrame::Draw() {
  if (!visible || !dim) return 0;
  const float x = dim->x, y = dim->y, w = dim->width, h = dim->height;
  auto draw = [this](int position, const TDim& rect) {
    // A frame may lack a slice for a position it draws: that piece is left out.
    if (const SliceImageRef slice = GetImage(position)) slice->Draw(rect, alpha);
  };
  if (kind != 1) {
    draw(SLICE_TOP_LEFT, SliceRect(x, y, 0, 0));
    draw(SLICE_TOP, SliceRect(x, y, w, 0));
    draw(SLICE_TOP_RIGHT, SliceRect(x + w, y, 0, 0));
  }
  draw(SLICE_LEFT, SliceRect(x, y, 0, h));
  draw(SLICE_RIGHT, SliceRect(x + w, y, 0, h));
  draw(SLICE_BOTTOM_LEFT, SliceRect(x, y + h, 0, 0));
  draw(SLICE_BOTTOM, SliceRect(x, y + h, w, 0));
  draw(SLICE_BOTTOM_RIGHT, SliceRect(x + w, y + h, 0, 0));
  if (background == 1) draw(SLICE_CENTRE, SliceRect(x, y, w, h));
  return 0;
}

ColorFrameRef CreateColorFrame(const DimRef& dim, const ColorRef& color, int background,
                               const ColorRef& bgcolor, float alpha, int kind) {
  auto frame = std::make_shared<TColorFrame>();
  frame->dim = dim;
  frame->color = color;
  frame->background = background;
  frame->bgcolor = bgcolor;
  frame->alpha = alpha;
  frame->kind = kind;
  return frame;
}

ImageFrameRef CreateImageFrame(const DimRef& dim, int background, float alpha, int kind) {
  auto frame = std::make_shared<TImageFrame>();
  frame->dim = dim;
  frame->background = background;
  frame->alpha = alpha;
  frame->kind = kind;
  return frame;
}

}  // namespace orvela
