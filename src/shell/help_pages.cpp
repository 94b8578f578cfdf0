// The help pages and their file:// addresses.
#include "shell/help_pages.h"

#include <array>
#include <filesystem>

#include "engine/files/files.h"
#include "engine/system.h"

namespace orvela {

namespace {

struct PageEntry {
  const char* title;
  const char* file;
};

constexpr std::array<PageEntry, kHelpPages> kPages = {{
    {"How to play", "how-to-play.html"},
    {"Tips and tricks", "tips-and-tricks.html"},
    {"About and licences", "about-and-licences.html"},
}};

bool KeptInUrl(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

std::string HelpPageTitle(int page) {
  return page >= 0 && page < kHelpPages ? kPages[page].title : "";
}

std::string HelpPagePath(int page) {
  return page >= 0 && page < kHelpPages ? std::string("docs/") + kPages[page].file : "";
}

std::string FileUrl(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) absolute = path;
  std::string text = absolute.lexically_normal().generic_string();
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  // A drive letter ("C:/...") needs the third slash of file:///C:/...
  if (text.empty() || text[0] != '/') text.insert(0, "/");
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptInUrl(byte)) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 15];
    }
  }
  return url;
}

int OpenHelpPage(int page) {
  const std::string path = HelpPagePath(page);
  if (path.empty()) return 0;
  if (FileKind(path) != FILE_REGULAR) {
    std::error_code ec;
    const std::string where = std::filesystem::absolute(path, ec).lexically_normal().string();
    Notify("The page \"" + HelpPageTitle(page) + "\" could not be opened: its file is missing.\n" +
               "It should be at " + (ec ? path : where) + "; reinstalling the game brings it back.",
           1);
    return 0;
  }
  OpenURL(FileUrl(path));
  return 1;
}

}  // namespace orvela
