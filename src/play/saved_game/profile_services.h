// What the profile and the profile manager need from the game around them: the per-user
// folder, the game's picture sets, clearing the table, and the game's one profile. The play
// screen and the shape grid are not asked for: the manager holds them, and the profile is given
// them. The shell installs one implementation; tests install their own.
#pragma once

#include <string>

#include "engine/image/image.h"
#include "engine/image/pixmap.h"

namespace orvela {

class TProfile;

class ProfileServices {
 public:
  virtual ~ProfileServices() = default;
  // The per-user folder, no trailing separator; "" when there is none (nothing is kept).
  virtual std::string UserDir() = 0;
  // The game's picture set with that picture: its piece count (0 when the picture is none of
  // the sets') and the picture as the game holds it, decoded and as an image (null when it
  // holds none: the profile then loads the file).
  struct GameSet {
    int pieces = 0;
    PixmapRef pixels;
    ImageRef image;
  };
  virtual GameSet SetOf(const std::string& picture) = 0;
  // Empties the play screen, the cutter and the shape grid.
  virtual void NewGame() = 0;
  virtual TProfile& Profile() = 0;
};

}  // namespace orvela
