// The platform's system services: message box, web addresses, the per-user folder and the
// trace line.
#pragma once

#include <string>

namespace orvela {

// A modal message box (headless: recorded); serious 0 = information.
void Notify(const std::string& text, int serious = 0);
// Opens the web address in the system's browser (headless: recorded).
void OpenURL(const std::string& address);

}  // namespace orvela
