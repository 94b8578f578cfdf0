// The lit and shaded rims of a piece image, the two passes of the cutter over a region's
// pixels: along the rows, the first three pixels of every run of picture pixels (any value but
// the cutter's transparent key) are brightened; down the columns, the top three of every run
// are brightened again and the last four of a run that ends inside the image are darkened.
#pragma once

#include <cstdint>

#include "engine/image/pixmap.h"

namespace orvela {

// The row pass over count pixels: from[x] brightened into to[x] by 45 (alpha 0xEE), 30 and 15
// (alpha 0xFF) for the first three pixels of every run, each channel held at 255; every other
// pixel copied. from and to may be the same row. Where bits is given, it receives which of
// the row's pixels are picture pixels: pixels 64·i … as the bits of bits[i].
void LightRowRuns(const uint32_t* from, uint32_t* to, int count, uint64_t* bits = nullptr);

// The column pass, in place, over columns 0 … last_x and rows 0 … last_y of a PF_BGRA8888
// buffer: the top three pixels of every run brightened by 45, 30 and 15 (opaque); at the end
// of a run inside the buffer, the last four rows' pixels that are not the key are rewritten
// opaque from the colours this pass read there, darkened by 75, 50, 25 and 0 from the end up
// (near the top, where fewer rows lie above, by 25 for each row below the first: a window of
// the rows read so far, the oldest row darkened by 0).
// Where row_bits is given, it holds each row's picture pixels as LightRowRuns gave them, for
// (last_x + 64) / 64 words a row, and the pass does not work them out again.
void LightAndShadeColumns(TPixmap& buffer, int last_x, int last_y,
                          const uint64_t* row_bits = nullptr);

}  // namespace orvela
