// The profile's way into the game around it: the ProfileServices the shell installs, each
// answered from the game's global objects and its table of picture sets.
#pragma once

#include "play/saved_game/profile_services.h"

namespace orvela {

class ShellProfileServices : public ProfileServices {
 public:
  std::string UserDir() override;
  GameSet SetOf(const std::string& picture) override;
  void NewGame() override;
  TProfile& Profile() override;
};

}  // namespace orvela
