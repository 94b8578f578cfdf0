// File access: case-insensitive path resolution and whole-file reads.
#include "engine/files.h"

#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace orvela {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::string ResolveDataPath(const std::string& path) {
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  const fs::path wanted(path);
  fs::path resolved = wanted.root_path();
  for (const fs::path& part : wanted.relative_path()) {
    const fs::path exact = resolved / part;
    if (part == "." || part == ".." || fs::exists(exact, ec)) {
      resolved = exact;
      continue;
    }
    const fs::path dir = resolved.empty() ? fs::path(".") : resolved;
    bool found = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (SameIgnoringCase(name, part.string())) {
        resolved /= name;
        found = true;
        break;
      }
    }
    if (!found) return path;
  }
  return resolved.string();
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::ifstream in(ResolveDataPath(path), std::ios::binary);
  if (!in) return false;
  std::error_code ec;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  in.seekg(0, std::ios::beg);
  bytes.resize(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    bytes.clear();
    return false;
  }
  return true;
}

std::string ProgramFolder() {
  char* base = SDL_GetBasePath();
  if (!base) return std::string();
  std::string folder(base);
  SDL_free(base);
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

bool ChangeToProgramFolder() {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return false;
  std::error_code ec;
  fs::current_path(folder, ec);
  return !ec;
}

}  // namespace orvela
