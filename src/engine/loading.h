// The game's loading helpers over the engine loaders: an image or pixel buffer from a path or
// an object, reporting a missing file or an unsupported source in a message box and going on.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/object.h"

namespace orvela {

// Anything a loading helper accepts: a file path, an object reference, or nothing.
class Source {
 public:
  Source() = default;
  Source(std::nullptr_t) {}
  Source(const char* path) : path_(path ? path : ""), is_path_(path != nullptr) {}
  Source(std::string path) : path_(std::move(path)), is_path_(true) {}
  template <typename T, typename = std::enable_if_t<std::is_base_of_v<TObject, T>>>
  Source(std::shared_ptr<T> object) : object_(std::move(object)) {}

  bool IsPath() const { return is_path_; }
  const std::string& Path() const { return path_; }
  const std::shared_ptr<TObject>& Object() const { return object_; }

 private:
  std::string path_;
  bool is_path_ = false;
  std::shared_ptr<TObject> object_;
};

// A non-empty path is loaded with the default flags; when that fails the message
// "Image does not exists: " + path is shown (once per path in a run) and the result is null. A
// TImage is returned as it is. Anything else (an empty path and null included) shows "Unsopported
// image format!" and gives a new empty image.
ImageRef ImageOf(const Source& source);
// The same for pixel buffers (files loaded with LoadPixmapFile).
PixmapRef PixmapOf(const Source& source);

// The game's start-up gathers the data files it could not load, to name them all in one
// message instead of a box for each. While a FailedLoads lives, every path the engine's
// loaders (pictures, sounds, fonts) fail on is recorded, and ImageOf and PixmapOf record
// theirs as needed by the toolkit instead of showing a message (a path recorded so is not
// reported again later in the run).
class FailedLoads {
 public:
  struct File {
    std::string path;
    bool needed = false;  // a toolkit image (a button, a menu, a frame): the screens need it
  };
  FailedLoads();
  ~FailedLoads();
  FailedLoads(const FailedLoads&) = delete;
  FailedLoads& operator=(const FailedLoads&) = delete;

  // Each file once, in the order they failed; needed once any of its loads needed it.
  const std::vector<File>& files() const { return files_; }
  void Note(const std::string& path, bool needed);

 private:
  std::vector<File> files_;
  FailedLoads* previous_;
};

// Records a path a loader could not load with the FailedLoads that lives, if any.
void NoteFailedLoad(const std::string& path, bool needed = false);

}  // namespace orvela
