// SDL used as a library beyond the window: its BMP and WAV readers and the program's folder.
// The engine's picture and sound decoders and its file services call these, so that SDL is
// named in this folder only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/audio/audio.h"
#include "engine/image/pixmap.h"

namespace orvela {

// Decodes a BMP file whose header the caller has already checked: SDL allocates the picture
// from the header's size alone. A picture with an alpha mask comes back as PF_BGRA8888, any
// other as PF_BGR888; null when SDL cannot read it.
PixmapRef SdlDecodeBmp(const uint8_t* data, size_t size);

// Decodes a RIFF WAVE file into interleaved stereo float frames at the file's own rate; null
// when SDL cannot read it, its rate is out of range or it holds no frames.
std::shared_ptr<SoundData> SdlDecodeWav(const std::vector<uint8_t>& bytes);

// The folder the running program lies in, without a trailing separator; "" when unknown.
std::string SdlProgramFolder();

}  // namespace orvela
