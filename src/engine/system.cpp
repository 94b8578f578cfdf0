// System services through the current platform.
#include "engine/system.h"

#include <cstdio>

#include "engine/context.h"
#include "engine/text/utf8.h"

namespace orvela {

void Notify(const std::string& text, int serious) {
  // The message box takes a C string: a zero byte in the text would end it there.
  Engine().platform->ShowMessage(VisibleText(text), serious != 0);
}

void OpenURL(const std::string& address) {
  Engine().platform->OpenUrl(address);
}

std::string UserAppDataPath(int folder_code) {
  if (folder_code != kAppDataFolder) return std::string();
  return Engine().platform->AppDataPath();
}

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace orvela
