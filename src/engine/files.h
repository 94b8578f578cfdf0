// File access of the engine. Game data paths resolve case-insensitively when the exact path
// does not exist, so "gfx/GUI/x.png" finds "gfx/gui/x.png" on every file system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvela {

// The path as given when it exists; otherwise the existing path whose components match it
// ignoring ASCII letter case; otherwise the path as given.
std::string ResolveDataPath(const std::string& path);

// Reads a whole file (resolved as above); false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

// The folder that holds the running program (no trailing separator), or "" when unknown.
std::string ProgramFolder();
// Makes the program's folder the working directory; false when that failed.
bool ChangeToProgramFolder();

}  // namespace orvela
