// Fuzzes the picture decoders: any bytes either decode into a whole buffer or give null.
#include <cstddef>
#include <cstdint>

#include "engine/image/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvela::PixmapRef pixmap = orvela::DecodePicture(data, size);
  if (pixmap && !pixmap->Empty()) {
    // Touch the last pixel: the buffer must be as large as it says.
    (void)pixmap->ReadPixel(pixmap->width - 1, pixmap->height - 1);
  }
  return 0;
}
