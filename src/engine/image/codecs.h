// Picture file decoders and the PNG writer. Decoders take bytes, never trust them, and give
// null for anything they cannot read completely; they are fuzzed under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/image/pixmap.h"

namespace orvela {

// Decodes the first format that recognises the bytes: PNG, JPEG, BMP, then TGA.
// Pictures without alpha come back in PF_BGR888 (or PF_I8 for grey), others in PF_BGRA8888.
PixmapRef DecodePicture(const uint8_t* data, size_t size);

PixmapRef DecodePng(const uint8_t* data, size_t size);
PixmapRef DecodeJpeg(const uint8_t* data, size_t size);
PixmapRef DecodeBmp(const uint8_t* data, size_t size);
PixmapRef DecodeTga(const uint8_t* data, size_t size);

// Writes the buffer as an RGBA PNG file; false when the file could not be written.
bool SavePixmapPng(const TPixmap& pixmap, const std::string& path);
// Writes the buffer as a JPEG file (quality 1..100); false on failure.
bool SavePixmapJpeg(const TPixmap& pixmap, const std::string& path, int quality = 90);

}  // namespace orvela
