// SDL used as a library beyond the window: BMP and WAV decoding and the program's folder.
#include "engine/platform/sdl/sdl_library.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace orvela {

PixmapRef SdlDecodeBmp(const uint8_t* data, size_t size) {
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(std::min<size_t>(size, INT32_MAX)));
  if (!rw) return nullptr;
  SDL_Surface* surface = SDL_LoadBMP_RW(rw, 1);
  if (!surface) return nullptr;
  PixmapRef pixmap;
  const bool alpha = surface->format->Amask != 0;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
  if (argb) {
    auto bgra = TPixmap::Create(argb->w, argb->h, PF_BGRA8888, 4);
    for (int y = 0; y < argb->h; ++y) {
      std::memcpy(bgra->Row(y), static_cast<uint8_t*>(argb->pixels) + y * argb->pitch,
                  static_cast<size_t>(argb->w) * 4);
    }
    SDL_FreeSurface(argb);
    pixmap = alpha ? bgra : bgra->Convert(PF_BGR888);
  }
  SDL_FreeSurface(surface);
  return pixmap;
}

std::shared_ptr<SoundData> SdlDecodeWav(const std::vector<uint8_t>& bytes) {
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return nullptr;
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &format, &buffer, &length)) return nullptr;
  std::shared_ptr<SoundData> data;
  SDL_AudioCVT cvt;
  if (format.freq > 0 && format.freq <= 384000 &&
      SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_F32SYS, 2,
                        format.freq) >= 0) {
    std::vector<Uint8> work(static_cast<size_t>(length) *
                            static_cast<size_t>(std::max(1, cvt.len_mult)));
    std::memcpy(work.data(), buffer, length);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed == 0 || SDL_ConvertAudio(&cvt) == 0) {
      const int out_bytes = cvt.needed ? cvt.len_cvt : static_cast<int>(length);
      data = std::make_shared<SoundData>();
      data->rate = format.freq;
      data->pcm.resize(static_cast<size_t>(out_bytes) / sizeof(float));
      std::memcpy(data->pcm.data(), work.data(), data->pcm.size() * sizeof(float));
      data->frames = static_cast<int64_t>(data->pcm.size() / 2);
      if (data->frames == 0) data.reset();
    }
  }
  SDL_FreeWAV(buffer);
  return data;
}

std::string SdlProgramFolder() {
  char* base = SDL_GetBasePath();
  if (!base) return std::string();
  std::string folder(base);
  SDL_free(base);
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace orvela
