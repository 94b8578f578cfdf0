// ImageOf and PixmapOf.
#include "engine/loading.h"

#include "engine/context.h"
#include "engine/system.h"

namespace orvela {

namespace {

constexpr const char* kUnsupported = "Unsopported image format!";

// Reports an image file that could not be loaded, the first time in this run only: a picture
// used by twenty buttons gives one message, not twenty.
void ReportMissing(const std::string& path) {
  if (Engine().reported_images.insert(path).second) Notify("Image does not exists: " + path, 0);
}

}  // namespace

ImageRef ImageOf(const Source& source) {
  if (source.IsPath() && !source.Path().empty()) {
    ImageRef image = TImage::Load(source.Path(), -1);
    if (!image) ReportMissing(source.Path());
    return image;
  }
  if (auto image = std::dynamic_pointer_cast<TImage>(source.Object())) return image;
  Notify(kUnsupported, 0);
  return std::make_shared<TImage>();
}

PixmapRef PixmapOf(const Source& source) {
  if (source.IsPath() && !source.Path().empty()) {
    PixmapRef pixmap = LoadPixmapFile(source.Path());
    if (!pixmap) ReportMissing(source.Path());
    return pixmap;
  }
  if (auto pixmap = std::dynamic_pointer_cast<TPixmap>(source.Object())) return pixmap;
  Notify(kUnsupported, 0);
  return std::make_shared<TPixmap>();
}

}  // namespace orvela
