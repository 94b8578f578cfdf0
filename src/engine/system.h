// The platform's system services: message box, web addresses, the per-user folder and the
// trace line.
#pragma once

#include <string>

namespace orvela {

// A modal message box (headless: recorded); serious 0 = information. Control characters of
// the text are shown written out (VisibleText), line breaks kept.
void Notify(const std::string& text, int serious = 0);
// Opens the web address in the system's browser (headless: recorded).
void OpenURL(const std::string& address);

// Folder codes for UserAppDataPath.
constexpr int kAppDataFolder = 26;  // the per-user application-data folder

// The platform's special folder with that code (no trailing separator), or "" when the
// platform has none or the code is unknown.
std::string UserAppDataPath(int folder_code = kAppDataFolder);

// The trace line: writes the text and a line break to standard output.
void Print(const std::string& text);

}  // namespace orvela
