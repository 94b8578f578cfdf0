// ImageOf and PixmapOf.
#include "engine/loading.h"

#include "engine/context.h"
#include "engine/system.h"

namespace orvela {

namespace {

constexpr const char* kUnsupported = "Unsopported image format!";

// The FailedLoads that gathers now (one engine, one thread: start-up).
FailedLoads* gathering = nullptr;

// Reports an image file that could not be loaded, the first time in this run only: a picture
// used by twenty buttons gives one message, not twenty. While start-up gathers, it is only
// recorded.
void ReportMissing(const std::string& path) {
  if (!Engine().reported_images.insert(path).second) return;
  if (gathering) {
    gathering->Note(path, true);
  } else {
    Notify("Image does not exists: " + path, 0);
  }
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

FailedLoads::FailedLoads() : previous_(gathering) {
  gathering = this;
}

FailedLoads::~FailedLoads() {
  gathering = previous_;
}

void FailedLoads::Note(const std::string& path, bool needed) {
  for (File& file : files_) {
    if (file.path == path) {
      file.needed = file.needed || needed;
      return;
    }
  }
  files_.push_back({path, needed});
}

void NoteFailedLoad(const std::string& path, bool needed) {
  if (gathering) gathering->Note(path, needed);
}

}  // namespace orvela
