// The second page of the toolkit demonstration: colour frames, nine-slice image frames from
// the game's frame art, a bare edit field, and an edit window and a question window that
// answer clicks and typing. Built from the toolkit and drawn through it and the engine.
#pragma once

#include <memory>

#include "engine/image/image.h"
#include "engine/text/font.h"

namespace orvela {

struct DialogsPageParts;

class DialogsPage {
 public:
  // Loads the page's art and lays it out with the demonstration's three font sizes.
  DialogsPage(const FontRef& small, const FontRef& middle, const FontRef& large);
  ~DialogsPage();
  DialogsPage(const DialogsPage&) = delete;
  DialogsPage& operator=(const DialogsPage&) = delete;

  // One frame of input, after the mouse was read: focus by click, typing, the windows'
  // buttons. True when the player asked for the other page.
  bool Update();
  // The page over the backdrop.
  void Draw(const ImageRef& backdrop);

 private:
  std::unique_ptr<DialogsPageParts> parts_;
};

}  // namespace orvela
