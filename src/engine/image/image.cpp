// TImage loading and handles, and pixel-buffer file loading.
#include "engine/image/image.h"

#include <vector>

#include "engine/context.h"
#include "engine/files/files.h"
#include "engine/image/codecs.h"
#include "engine/loading.h"

namespace orvela {

namespace {

int EffectiveFlags(int flags) {
  return flags == -1 ? IMG_DEFAULT : flags;
}

void MaskColour(int* r, int* g, int* b) {
  if (EngineInstalled()) {
    const EngineContext& e = Engine();
    *r = e.mask_r, *g = e.mask_g, *b = e.mask_b;
  } else {
    *r = *g = *b = 0;
  }
}

// Applies the masked flag: a buffer without alpha gets the mask colour transparent.
PixmapRef Prepared(const PixmapRef& pixmap, int flags, int r, int g, int b) {
  if ((flags & IMG_MASKED) != 0 && !FormatHasAlpha(pixmap->format)) {
    return MaskPixmap(*pixmap, r, g, b);
  }
  return pixmap;
}

ImageRef NewImage(int width, int height, int flags) {
  auto image = std::make_shared<TImage>();
  image->width = width;
  image->height = height;
  image->flags = flags;
  MaskColour(&image->mask_r, &image->mask_g, &image->mask_b);
  return image;
}

}  // namespace

PixmapRef LoadPixmapFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  PixmapRef pixmap =
      ReadFileBytes(path, bytes) ? DecodePicture(bytes.data(), bytes.size()) : nullptr;
  if (!pixmap) NoteFailedLoad(path);
  return pixmap;
}

ImageRef TImage::Load(const PixmapRef& pixmap, int flags) {
  if (!pixmap || pixmap->Empty()) return nullptr;
  flags = EffectiveFlags(flags);
  ImageRef image = NewImage(pixmap->width, pixmap->height, flags);
  image->pixmaps.push_back(Prepared(pixmap, flags, image->mask_r, image->mask_g, image->mask_b));
  image->frames.resize(1);
  return image;
}

ImageRef TImage::Load(const std::string& path, int flags) {
  return Load(LoadPixmapFile(path), flags);
}

ImageRef TImage::LoadAnim(const PixmapRef& pixmap, int cell_width, int cell_height, int first,
                          int count, int flags) {
  if (!pixmap || pixmap->Empty() || cell_width <= 0 || cell_height <= 0 || first < 0 ||
      count <= 0) {
    return nullptr;
  }
  const int per_row = pixmap->width / cell_width;
  const int rows = pixmap->height / cell_height;
  if (static_cast<int64_t>(per_row) * rows < static_cast<int64_t>(first) + count) return nullptr;
  flags = EffectiveFlags(flags);
  ImageRef image = NewImage(cell_width, cell_height, flags);
  const PixmapRef source = Prepared(pixmap, flags, image->mask_r, image->mask_g, image->mask_b);
  for (int k = first; k < first + count; ++k) {
    const int x = cell_width * (k % per_row), y = cell_height * (k / per_row);
    image->pixmaps.push_back(source->Window(x, y, cell_width, cell_height)->Copy());
  }
  image->frames.resize(image->pixmaps.size());
  return image;
}

ImageRef TImage::LoadAnim(const std::string& path, int cell_width, int cell_height, int first,
                          int count, int flags) {
  return LoadAnim(LoadPixmapFile(path), cell_width, cell_height, first, count, flags);
}

void SetImageHandle(const ImageRef& image, float x, float y) {
  if (!image) return;
  image->handle_x = x;
  image->handle_y = y;
}

void MidHandleImage(const ImageRef& image) {
  if (!image) return;
  image->handle_x = image->width * 0.5f;
  image->handle_y = image->height * 0.5f;
}

void SetMaskColor(int red, int green, int blue) {
  EngineContext& e = Engine();
  e.mask_r = red, e.mask_g = green, e.mask_b = blue;
}

}  // namespace orvela
