// TProfile: the player's profile, which records the puzzle being played (the picture, the
// shape grid's cell size) so that it can be saved and rebuilt.
#pragma once

#include <string>

#include "engine/object.h"

namespace orvela {

class TProfile : public TObject {
 public:
  std::string _url;     // the profile's file name
  std::string _name;    // the player's name
  std::string _gfxUrl;  // the picture being played
  int _level = -1;      // -1: no game; 0: a game has been started
  int _w = 0, _h = 0;   // the shape grid's cell width and height
};

}  // namespace orvela
