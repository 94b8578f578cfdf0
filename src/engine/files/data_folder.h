// Where the game's data lies. Run from the build folder (or from a folder it was unpacked
// into) the data folders gfx/, sfx/, dane/ and docs/ stand beside the program; installed, the
// program is in PREFIX/bin and its data in PREFIX/share/orvela-puzzle. The game makes the
// folder that holds its data the working directory, so every data path stays relative.
#pragma once

#include <string>

namespace orvela {

// The installed data folder relative to the program's folder ("../share/orvela-puzzle" for
// the usual layout; the build sets it from its install folders).
std::string InstalledDataFolder(const std::string& program_folder);

// The folder holding the game's data for a program in program_folder: the program's own
// folder when gfx/ is there, else the installed data folder when gfx/ is there, else the
// program's own folder (where the start-up then reports what is missing).
std::string GameDataFolder(const std::string& program_folder);

// Makes GameDataFolder(ProgramFolder()) the working directory; false when that failed.
bool ChangeToGameDataFolder();

}  // namespace orvela
