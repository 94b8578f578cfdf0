// The game's data folder, beside the program or in the installed share folder.
#include "engine/files/data_folder.h"

#include <filesystem>
#include <system_error>

#include "engine/files/files.h"

#ifndef ORVELA_DATA_FROM_BIN
#define ORVELA_DATA_FROM_BIN "../share/orvela-puzzle"
#endif

namespace orvela {

namespace fs = std::filesystem;

std::string InstalledDataFolder(const std::string& program_folder) {
  return (fs::path(program_folder) / ORVELA_DATA_FROM_BIN).lexically_normal().string();
}

std::string GameDataFolder(const std::string& program_folder) {
  const auto holds_data = [](const std::string& folder) {
    return FileKind((fs::path(folder) / "gfx").string()) == FILE_FOLDER;
  };
  if (holds_data(program_folder)) return program_folder;
  if (const std::string installed = InstalledDataFolder(program_folder); holds_data(installed)) {
    return installed;
  }
  return program_folder;
}

bool ChangeToGameDataFolder() {
  const std::string program = ProgramFolder();
  if (program.empty()) return false;
  std::error_code ec;
  fs::current_path(GameDataFolder(program), ec);
  return !ec;
}

}  // namespace orvela
