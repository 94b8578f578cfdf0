// System services through the current platform.
#include "engine/system.h"

#include "engine/context.h"

namespace orvela {

void Notify(const std::string& text, int serious) {
  Engine().platform->ShowMessage(text, serious != 0);
}

void OpenURL(const std::string& address) {
  Engine().platform->OpenUrl(address);
}

}  // namespace orvela
