// The game's own web pages: the three help pages shipped in docs/ beside the program, which
// the more-games screen opens in the system's browser as file:// addresses. Reads only the
// file services and the platform's message box and browser.
#pragma once

#include <string>

namespace orvela {

// The shipped pages, in the order of the more-games screen's frames.
enum HelpPage : int { PAGE_HOW_TO_PLAY = 0, PAGE_TIPS = 1, PAGE_ABOUT = 2 };
constexpr int kHelpPages = 3;

// The page's title, as the page itself and its card show it.
std::string HelpPageTitle(int page);
// The page's path relative to the program's folder ("docs/how-to-play.html").
std::string HelpPagePath(int page);

// The file:// address of a local file: the path made absolute, '\' turned into '/', and
// every byte other than letters, digits, "-._~", '/' and ':' percent-encoded (UTF-8 names
// and spaces included), so that any folder the game is installed in gives a valid address.
std::string FileUrl(const std::string& path);

// Opens the page in the system's browser. A page missing from the installed game is reported
// in a message box naming the page and the file looked for, and nothing is opened. Returns 1
// when the page was handed to the browser.
int OpenHelpPage(int page);

}  // namespace orvela
