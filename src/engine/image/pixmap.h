// TPixmap: a pixel buffer in one of six byte layouts, read and written as 0xAARRGGBB values.
// Pixel buffers are plain memory: nothing here touches the display. Code that visits every
// pixel (the cutter) uses the direct row access (Row, Row32) instead of the per-pixel calls.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/object.h"

namespace orvela {

// Byte layouts of one pixel. The game's own buffers use PF_BGRA8888 (the 32-bit value
// 0xAARRGGBB in little-endian memory) with rows aligned to 4 bytes.
enum PixelFormat : int {
  PF_I8 = 1,        // grey
  PF_A8 = 2,        // alpha only
  PF_BGR888 = 3,    // blue, green, red
  PF_RGB888 = 4,    // red, green, blue
  PF_BGRA8888 = 5,  // blue, green, red, alpha
  PF_RGBA8888 = 6,  // red, green, blue, alpha
};

int BytesPerPixel(int format);    // 0 for an unknown format
bool FormatHasAlpha(int format);  // formats 2, 5 and 6

class TPixmap : public TObject {
 public:
  // A new buffer of width × height pixels, zero-filled, each row padded to a multiple of
  // align bytes. Unknown formats or negative sizes give an empty buffer (width 0).
  static std::shared_ptr<TPixmap> Create(int width, int height, int format = PF_BGRA8888,
                                         int align = 4);

  // The same with its pixels (and row padding) left unset, for code that writes every pixel
  // of the new buffer itself.
  static std::shared_ptr<TPixmap> CreateForOverwrite(int width, int height,
                                                     int format = PF_BGRA8888, int align = 4);

  uint8_t* pixels = nullptr;  // first byte of row 0 (inside the shared storage)
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes per row
  int format = PF_BGRA8888;
  int capacity = 0;  // bytes owned by this buffer's storage; -1 for a window into another

  bool Empty() const { return width <= 0 || height <= 0 || pixels == nullptr; }

  // 0xAARRGGBB of one pixel per the format's rule; 0 outside the buffer.
  uint32_t ReadPixel(int x, int y) const;
  // Stores one pixel per the format's rule; ignored outside the buffer.
  void WritePixel(int x, int y, uint32_t argb);
  // Every pixel becomes argb (stored per the format's rule); 0 fills with zero bytes.
  void ClearPixels(uint32_t argb);

  // A deep copy with the same format and the same row padding.
  std::shared_ptr<TPixmap> Copy() const;
  // A view of a rectangle of this buffer that shares its pixels (clipped to the buffer).
  std::shared_ptr<TPixmap> Window(int x, int y, int w, int h);
  // Copies source into this buffer with its top-left at (x, y), converting pixels; clipped.
  void Paste(const TPixmap& source, int x, int y);
  // A copy in another format (the same buffer's pixels, converted).
  std::shared_ptr<TPixmap> Convert(int new_format) const;

  // Direct row access for code that visits every pixel.
  uint8_t* Row(int y) { return pixels + static_cast<std::ptrdiff_t>(y) * pitch; }
  const uint8_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * pitch; }
  // Rows of a PF_BGRA8888 buffer as 0xAARRGGBB values (only valid for that format).
  uint32_t* Row32(int y) { return reinterpret_cast<uint32_t*>(Row(y)); }
  const uint32_t* Row32(int y) const { return reinterpret_cast<const uint32_t*>(Row(y)); }

 private:
  // Held as 32-bit words so that the 32-bit row views alias real uint32_t objects.
  std::shared_ptr<uint32_t[]> storage_;
};

using PixmapRef = std::shared_ptr<TPixmap>;

// A new PF_RGBA8888 copy in which every pixel of exactly that colour gets alpha 0 and every
// other pixel alpha 255.
PixmapRef MaskPixmap(const TPixmap& pixmap, int red, int green, int blue);

}  // namespace orvela
