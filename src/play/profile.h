// Forwards to play/saved_game/profile.h for the shell files that still include it here
// (main_menu.cpp); goes once they include the saved game's room.
#pragma once

#include "play/saved_game/profile.h"
