// The interface-toolkit demonstration screen: a menu of animated, image, text and two-image
// buttons from the game's pictures (hover zoom, highlight, a disabled look), texts, a wrapping
// memo, paragraphs in the four alignments and a bitmap-font text whose picture is made here;
// a second page (demos/toolkit_dialogs_page.h) shows frames, edit fields and dialog windows.
#pragma once

namespace orvela {

// Opens nothing itself: runs on the open 800 × 600 display until Escape is pressed (the
// window closing ends it too). Installs its own global mouse for the run.
void RunToolkitDemo();

}  // namespace orvela
