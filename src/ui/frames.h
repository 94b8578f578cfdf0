// The frame family of the toolkit: TFrame (the base, draws nothing), TColorFrame (coloured
// bands around a rectangle and an optional fill on it) and TImageFrame (a nine-slice frame of
// TSliceImage pieces). Frames read their rectangle raw and draw through the engine only.
#pragma once

#include <memory>

#include "engine/image/image.h"
#include "engine/loading.h"
#include "engine/object.h"
#include "ui/color.h"
#include "ui/dim.h"

namespace orvela {

// Where a slice of a nine-slice frame goes. Corners and edges lie outside the frame's
// rectangle; the edges stretch to its length and the centre covers it.
enum SlicePosition : int {
  SLICE_TOP_LEFT = 0,
  SLICE_TOP = 1,
  SLICE_TOP_RIGHT = 2,
  SLICE_LEFT = 3,
  SLICE_RIGHT = 4,
  SLICE_BOTTOM_LEFT = 5,
  SLICE_BOTTOM = 6,
  SLICE_BOTTOM_RIGHT = 7,
  SLICE_CENTRE = 8,
};

// One piece of a nine-slice frame: an image and the position it is drawn at.
class TSliceImage : public TObject {
 public:
  ImageRef image;    // null when the source gave nothing: the slice then draws nothing
  int position = 0;  // a SlicePosition

  // Draws frame 0 placed and scaled for its position against the rectangle (only its raw x,
  // y, width and height are read) with the given alpha; leaves scale 1 × 1 and alpha 1. A
  // position outside 0..8 draws at (0, 0) unscaled.
  int Draw(const TDim& dim, float alpha);
};

using SliceImageRef = std::shared_ptr<TSliceImage>;

// The image comes from ImageOf (a missing file is reported there); the slice keeps a null
// image when it gives nothing.
SliceImageRef CreateSliceImage(const Source& image, int position);

class TFrame : public TObject {
 public:
  DimRef dim;          // the inner rectangle; a colour frame's border is dim->Size thick
  int enable = 1;      // carried, not read
  int visible = 1;     // 0 = not drawn
  int kind = 0;        // 1 = no top edge
  float alpha = 1.0f;  // opacity the frame draws with
  int background = 0;  // 1 = the inside is filled too

  // The base frame draws nothing, has no state and holds no images.
  virtual int Draw() { return 0; }
  virtual int State() { return 0; }
  virtual int AddImage(const Source& image, int position);
  virtual SliceImageRef GetImage(int position) const;
};

using FrameRef = std::shared_ptr<TFrame>;

class TColorFrame : public TFrame {
 public:
  ColorRef color;    // the bands
  ColorRef bgcolor;  // the fill

  // Bands of dim->Size around the rectangle (no top band with kind 1), the fill exactly on it
  // when background is 1; leaves colour white and alpha 1. Nothing without a rectangle.
  int Draw() override;
};

using ColorFrameRef = std::shared_ptr<TColorFrame>;

class TImageFrame : public TFrame {
 public:
  TList<TSliceImage> images;

  // Appends CreateSliceImage of the source and position.
  int AddImage(const Source& image, int position) override;
  // The first slice of that position, or null.
  SliceImageRef GetImage(int position) const override;
  // Corners and edges around the rectangle (the top three left out with kind 1) and the
  // centre on it when background is 1, each with the frame's alpha. A position without a
  // slice is skipped.
  int Draw() override;
};

using ImageFrameRef = std::shared_ptr<TImageFrame>;

ColorFrameRef CreateColorFrame(const DimRef& dim, const ColorRef& color, int background,
                               const ColorRef& bgcolor, float alpha, int kind);
ImageFrameRef CreateImageFrame(const DimRef& dim, int background, float alpha, int kind);

}  // namespace orvela
