// TImage: a drawable picture of one or more equal frames, each kept as a pixel buffer; the
// backend texture of a frame is made from that buffer the first time the frame is drawn (and
// again after the display was reopened with a new renderer). Loading never stops the program:
// an unreadable file gives null.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/image/pixmap.h"
#include "engine/object.h"
#include "engine/render/renderer.h"

namespace orvela {

// Image flags, a bit set. The default (flags -1) is IMG_MASKED | IMG_FILTERED.
enum ImageFlags : int {
  IMG_MASKED = 1,     // without an alpha channel, the mask colour becomes transparent
  IMG_FILTERED = 2,   // bilinear sampling when scaled or rotated; else nearest
  IMG_MIPMAPPED = 4,  // reduced copies are used when drawn smaller
  IMG_DEFAULT = IMG_MASKED | IMG_FILTERED,
};

// The backend side of one frame; made lazily by the drawing code.
struct ImageFrameCache {
  uint64_t renderer_id = 0;  // which renderer the textures belong to (0 = none yet)
  // Level 0 = full size, then halved copies; the renderer keeps whatever pixels it needs.
  std::vector<std::unique_ptr<Texture>> levels;
};

class TImage : public TObject {
 public:
  // Loads a PNG, JPEG, BMP or TGA file as a one-frame image; null when it cannot be read.
  static std::shared_ptr<TImage> Load(const std::string& path, int flags = -1);
  // Takes the pixel buffer as a one-frame image (masked into a copy when flag 1 applies).
  static std::shared_ptr<TImage> Load(const PixmapRef& pixmap, int flags = -1);
  // Frames 0..count-1 are copies of the cells first..first+count-1 of a picture cut into
  // cell_width × cell_height cells, row by row; null when the picture has too few cells.
  static std::shared_ptr<TImage> LoadAnim(const std::string& path, int cell_width, int cell_height,
                                          int first, int count, int flags = -1);
  static std::shared_ptr<TImage> LoadAnim(const PixmapRef& pixmap, int cell_width, int cell_height,
                                          int first, int count, int flags = -1);

  int width = 0;   // of one frame
  int height = 0;  // of one frame
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;  // the image point that lands on the drawing position
  std::vector<PixmapRef> pixmaps;    // one per frame
  std::vector<ImageFrameCache> frames;

  int FrameCount() const { return static_cast<int>(pixmaps.size()); }
  bool Empty() const { return pixmaps.empty() || width <= 0 || height <= 0; }
};

using ImageRef = std::shared_ptr<TImage>;

void SetImageHandle(const ImageRef& image, float x, float y);
void MidHandleImage(const ImageRef& image);

// The mask colour used by image loading (black by default).
void SetMaskColor(int red, int green, int blue);

// Loads a PNG, JPEG, BMP or TGA file into a pixel buffer; null on failure.
PixmapRef LoadPixmapFile(const std::string& path);

}  // namespace orvela
