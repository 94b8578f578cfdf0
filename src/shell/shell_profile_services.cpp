// ShellProfileServices.
#include "shell/shell_profile_services.h"

#include "construction/picture_sets.h"
#include "shell/game_context.h"
#include "shell/main_menu.h"
#include "shell/set_chooser.h"

namespace orvela {

std::string ShellProfileServices::UserDir() {
  return Game().userDir;
}

ProfileServices::GameSet ShellProfileServices::SetOf(const std::string& picture) {
  GameSet found;
  for (const PictureSet& set : kPictureSets) {
    if (picture == set.url) found.pieces = set.rows * set.cols;
  }
  if (found.pieces == 0) return found;
  // The chooser decoded every set's picture at start-up: continuing reuses it.
  for (const ZestawRef& set : Game().chooser->zestawy) {
    if (set && set->url == picture && set->pm && set->img) {
      found.pixels = set->pm;
      found.image = set->img;
    }
  }
  return found;
}

void ShellProfileServices::NewGame() {
  Game().main_menu->newGame();
}

TProfile& ShellProfileServices::Profile() {
  return *Game().profile;
}

}  // namespace orvela
