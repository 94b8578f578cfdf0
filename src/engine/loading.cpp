// ImageOf and PixmapOf.
#include "engine/loading.h"

#include "engine/system.h"

namespace orvela {

namespace {
constexpr const char* kUnsupported = "Unsopported image format!";
}

ImageRef ImageOf(const Source& source) {
  if (source.IsPath() && !source.Path().empty()) {
    ImageRef image = TImage::Load(source.Path(), -1);
    if (!image) Notify("Image does not exists: " + source.Path(), 0);
    return image;
  }
  if (auto image = std::dynamic_pointer_cast<TImage>(source.Object())) return image;
  Notify(kUnsupported, 0);
  return std::make_shared<TImage>();
}

PixmapRef PixmapOf(const Source& source) {
  if (source.IsPath() && !source.Path().empty()) {
    PixmapRef pixmap = LoadPixmapFile(source.Path());
    if (!pixmap) Notify("Image does not exists: " + source.Path(), 0);
    return pixmap;
  }
  if (auto pixmap = std::dynamic_pointer_cast<TPixmap>(source.Object())) return pixmap;
  Notify(kUnsupported, 0);
  return std::make_shared<TPixmap>();
}

}  // namespace orvela
