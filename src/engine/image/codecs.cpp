// Picture decoders (libpng, libjpeg, SDL's BMP reader through the SDL folder, our own TGA reader)
// and writers.
// Every decoder checks sizes before it allocates and gives null on any error.
#include "engine/image/codecs.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// libjpeg's headers need size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "engine/platform/sdl/sdl_library.h"

namespace orvela {

namespace {

// Pictures larger than this are refused rather than allocated (64 MiB of 32-bit pixels).
constexpr int64_t kMaxPixels = int64_t{16} * 1024 * 1024;

bool SizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
         width * height <= kMaxPixels;
}

// ---- JPEG ------------------------------------------------------------------------------

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Warnings are silent, except that data ending early means a truncated file: refused.
void JpegWarning(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) JpegFail(info);
}

// The decoded picture lives on the heap so that nothing that longjmp skips over owns it.
struct JpegResult {
  PixmapRef pixmap;
};

bool DecodeJpegInto(const uint8_t* data, size_t size, JpegResult* result) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  error.manager.emit_message = JpegWarning;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
      !SizeAcceptable(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const bool grey = info.num_components == 1;
  info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  result->pixmap =
      TPixmap::Create(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                      grey ? PF_I8 : PF_BGR888, 4);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result->pixmap->Row(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// ---- TGA -------------------------------------------------------------------------------

struct TgaReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
  bool Take(size_t n, const uint8_t** out) {
    if (n > size - pos) return false;
    *out = data + pos;
    pos += n;
    return true;
  }
};

uint32_t TgaColour(const uint8_t* p, int bytes) {
  switch (bytes) {
    case 1:
      return 0xFF000000u | p[0] * 0x010101u;
    case 2: {
      const uint32_t v = p[0] | (p[1] << 8);
      const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
      return 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) |
             ((b << 3) | (b >> 2));
    }
    case 3:
      return 0xFF000000u | (p[2] << 16) | (p[1] << 8) | p[0];
    default:
      return (static_cast<uint32_t>(p[3]) << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
  }
}

}  // namespace

PixmapRef DecodeTga(const uint8_t* data, size_t size) {
  if (size < 18) return nullptr;
  const int id_length = data[0], map_type = data[1], type = data[2];
  const int map_first = data[3] | (data[4] << 8), map_length = data[5] | (data[6] << 8);
  const int map_bits = data[7];
  const int width = data[12] | (data[13] << 8), height = data[14] | (data[15] << 8);
  const int bits = data[16], descriptor = data[17];
  const bool rle = type >= 9;
  const int base = rle ? type - 8 : type;
  if (map_type > 1 || (base != 1 && base != 2 && base != 3) || !SizeAcceptable(width, height)) {
    return nullptr;
  }
  if ((base == 1 && (map_type != 1 || bits != 8)) ||
      (base == 2 && bits != 15 && bits != 16 && bits != 24 && bits != 32) ||
      (base == 3 && bits != 8)) {
    return nullptr;
  }
  TgaReader in{data, size, 18};
  const uint8_t* skip;
  if (!in.Take(static_cast<size_t>(id_length), &skip)) return nullptr;
  std::vector<uint32_t> palette;
  if (map_type == 1) {
    const int entry = (map_bits + 7) / 8;
    if (entry < 2 || entry > 4) return nullptr;
    const uint8_t* map;
    if (!in.Take(static_cast<size_t>(map_length) * entry, &map)) return nullptr;
    palette.resize(static_cast<size_t>(map_first) + map_length, 0xFF000000u);
    for (int i = 0; i < map_length; ++i) palette[map_first + i] = TgaColour(map + i * entry, entry);
  }
  const int bytes = (bits + 7) / 8;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  auto colour_of = [&](const uint8_t* p) -> uint32_t {
    if (base == 1) return p[0] < palette.size() ? palette[p[0]] : 0xFF000000u;
    return TgaColour(p, bytes);
  };
  size_t i = 0;
  while (i < pixels.size()) {
    const uint8_t* p;
    if (!rle) {
      if (!in.Take(static_cast<size_t>(bytes), &p)) return nullptr;
      pixels[i++] = colour_of(p);
      continue;
    }
    const uint8_t* header;
    if (!in.Take(1, &header)) return nullptr;
    const size_t run = std::min<size_t>((*header & 0x7F) + 1, pixels.size() - i);
    if (*header & 0x80) {
      if (!in.Take(static_cast<size_t>(bytes), &p)) return nullptr;
      const uint32_t c = colour_of(p);
      for (size_t k = 0; k < run; ++k) pixels[i++] = c;
    } else {
      for (size_t k = 0; k < run; ++k) {
        if (!in.Take(static_cast<size_t>(bytes), &p)) return nullptr;
        pixels[i++] = colour_of(p);
      }
    }
  }
  // 32-bit pictures whose alpha bytes are all zero carry no real alpha.
  bool has_alpha = base == 2 && bits == 32;
  if (has_alpha) {
    has_alpha = false;
    for (uint32_t c : pixels) has_alpha = has_alpha || (c >> 24) != 0;
  }
  auto pixmap = TPixmap::Create(width, height, has_alpha ? PF_BGRA8888 : PF_BGR888, 4);
  const bool top_down = (descriptor & 0x20) != 0, right_to_left = (descriptor & 0x10) != 0;
  for (int y = 0; y < height; ++y) {
    const int sy = top_down ? y : height - 1 - y;
    for (int x = 0; x < width; ++x) {
      const int sx = right_to_left ? width - 1 - x : x;
      pixmap->WritePixel(x, y, pixels[static_cast<size_t>(sy) * width + sx]);
    }
  }
  return pixmap;
}

// The closing chunk of every PNG file, with its fixed checksum. libpng's simple reader stops
// after the image data, so a file cut short inside its last chunk is caught here.
static bool HasPngEnd(const uint8_t* data, size_t size) {
  static const uint8_t kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  const size_t from = size > 64 ? size - 64 : 0;
  for (size_t i = from; i + sizeof kEnd <= size; ++i) {
    if (std::memcmp(data + i, kEnd, sizeof kEnd) == 0) return true;
  }
  return false;
}

PixmapRef DecodePng(const uint8_t* data, size_t size) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0 || !HasPngEnd(data, size)) return nullptr;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return nullptr;
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return nullptr;
  }
  const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  const bool colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
  int format;
  if (alpha) {
    image.format = PNG_FORMAT_BGRA, format = PF_BGRA8888;
  } else if (colour) {
    image.format = PNG_FORMAT_BGR, format = PF_BGR888;
  } else {
    image.format = PNG_FORMAT_GRAY, format = PF_I8;
  }
  auto pixmap =
      TPixmap::Create(static_cast<int>(image.width), static_cast<int>(image.height), format, 4);
  if (!png_image_finish_read(&image, nullptr, pixmap->pixels, pixmap->pitch, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  return pixmap;
}

PixmapRef DecodeJpeg(const uint8_t* data, size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return nullptr;
  auto result = std::make_unique<JpegResult>();
  if (!DecodeJpegInto(data, size, result.get())) return nullptr;
  return result->pixmap;
}

// Checks a BMP header before SDL's reader sees it: SDL allocates the picture from the header's
// size alone, so a forged header could ask for any amount of memory.
static bool BmpHeaderAcceptable(const uint8_t* data, size_t size) {
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(data[at] | (data[at + 1] << 8)); };
  auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
  if (size < 26 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t offset = u32(10), header = u32(14);
  int64_t width, height;
  uint32_t bits, compression = 0;
  if (header == 12) {
    width = u16(18), height = u16(20), bits = u16(24);
  } else if (header >= 40 && size >= 54) {
    width = static_cast<int32_t>(u32(18)), height = static_cast<int32_t>(u32(22));
    bits = u16(28), compression = u32(30);
  } else {
    return false;
  }
  if (height < 0) height = -height;
  if (!SizeAcceptable(width, height)) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (compression == 0 || compression == 3) {  // plain rows: the file must hold them all
    const int64_t row = (width * bits + 31) / 32 * 4;
    if (offset > size || row * height > static_cast<int64_t>(size - offset)) return false;
  }
  return true;
}

PixmapRef DecodeBmp(const uint8_t* data, size_t size) {
  if (!BmpHeaderAcceptable(data, size)) return nullptr;
  PixmapRef pixmap = SdlDecodeBmp(data, size);
  if (pixmap && !SizeAcceptable(pixmap->width, pixmap->height)) return nullptr;
  return pixmap;
}

PixmapRef DecodePicture(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0) return nullptr;
  if (size >= 8 && png_sig_cmp(data, 0, 8) == 0) return DecodePng(data, size);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return DecodeJpeg(data, size);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data, size);
  return DecodeTga(data, size);
}

bool SavePixmapPng(const TPixmap& pixmap, const std::string& path) {
  if (pixmap.Empty()) return false;
  const PixmapRef bgra = pixmap.Convert(PF_BGRA8888);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bgra->width);
  image.height = static_cast<png_uint_32>(bgra->height);
  image.format = PNG_FORMAT_BGRA;
  const int ok =
      png_image_write_to_file(&image, path.c_str(), 0, bgra->pixels, bgra->pitch, nullptr);
  png_image_free(&image);
  return ok != 0;
}

namespace {

struct JpegWriteState {
  FILE* file = nullptr;
};

bool WriteJpeg(const TPixmap& bgr, JpegWriteState* state, int quality) {
  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  error.manager.emit_message = JpegWarning;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, state->file);
  info.image_width = static_cast<JDIMENSION>(bgr.width);
  info.image_height = static_cast<JDIMENSION>(bgr.height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(bgr.Row(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool SavePixmapJpeg(const TPixmap& pixmap, const std::string& path, int quality) {
  if (pixmap.Empty()) return false;
  const PixmapRef bgr = pixmap.Convert(PF_BGR888);
  auto state = std::make_unique<JpegWriteState>();
  state->file = std::fopen(path.c_str(), "wb");
  if (!state->file) return false;
  const bool ok = WriteJpeg(*bgr, state.get(), std::clamp(quality, 1, 100));
  return std::fclose(state->file) == 0 && ok;
}

}  // namespace orvela
