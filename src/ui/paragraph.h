// Paragraph layout: DrawParagraph breaks a text into lines at spaces within a width and draws
// each line left-aligned, right-aligned, centred or justified in the engine's current image
// font; SplitString cuts a text at a separator, optionally honouring quotes.
#pragma once

#include <string>
#include <vector>

#include "engine/object.h"

namespace orvela {

// Cuts the text at every occurrence of the separator (one that fits in the rest of the text),
// keeping empty pieces between separators; a non-empty last piece is kept, so a trailing
// separator adds none. With a one-character opening quote, a quoted stretch is copied without
// recognising the separator (when a closing quote is given too); quote characters are
// dropped, and so is a closing quote met outside a stretch. An empty separator never matches.
std::vector<std::string> SplitString(const std::string& text, const std::string& separator,
                                     const std::string& open_quote, const std::string& close_quote);

// Draws the text as a paragraph at (x, y), `width` pixels wide, in the given image font (null
// or another kind: the current one) with `line_spacing` extra pixels between lines. `align`
// is "LEFT", "RIGHT", "CENTER" or "JUSTIFY" in any case, spaces around it allowed; anything
// else is left. A word wider than the width goes alone on its own line. The last line of a
// justified paragraph is left-aligned. `unused` is accepted and ignored. Returns the offset
// from y of the last line drawn (line step × lines before it), not the total height.
int DrawParagraph(const std::string& text, int x, int y, float width, const std::string& align,
                  float unused, const Ref<TObject>& font, int line_spacing);

}  // namespace orvela
