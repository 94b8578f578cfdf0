// TPixmap: pixel buffers and their per-format read and write rules.
#include "engine/image/pixmap.h"

#include <algorithm>
#include <cstring>

namespace orvela {

int BytesPerPixel(int format) {
  switch (format) {
    case PF_I8:
    case PF_A8:
      return 1;
    case PF_BGR888:
    case PF_RGB888:
      return 3;
    case PF_BGRA8888:
    case PF_RGBA8888:
      return 4;
    default:
      return 0;
  }
}

bool FormatHasAlpha(int format) {
  return format == PF_A8 || format == PF_BGRA8888 || format == PF_RGBA8888;
}

namespace {

uint32_t DecodePixel(const uint8_t* p, int format) {
  switch (format) {
    case PF_I8:
      return 0xFF000000u + p[0] * 0x010101u;
    case PF_A8:
      return (static_cast<uint32_t>(p[0]) << 24) + 0xFFFFFFu;
    case PF_BGR888:
      return 0xFF000000u | (p[2] << 16) | (p[1] << 8) | p[0];
    case PF_RGB888:
      return 0xFF000000u | (p[0] << 16) | (p[1] << 8) | p[2];
    case PF_BGRA8888:
      return (static_cast<uint32_t>(p[3]) << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
    case PF_RGBA8888:
      return (static_cast<uint32_t>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
    default:
      return 0;
  }
}

void EncodePixel(uint8_t* p, int format, uint32_t argb) {
  const uint8_t a = argb >> 24, r = argb >> 16, g = argb >> 8, b = argb;
  switch (format) {
    case PF_I8:
      p[0] = static_cast<uint8_t>((r + g + b) / 3);
      break;
    case PF_A8:
      p[0] = a;
      break;
    case PF_BGR888:
      p[0] = b, p[1] = g, p[2] = r;
      break;
    case PF_RGB888:
      p[0] = r, p[1] = g, p[2] = b;
      break;
    case PF_BGRA8888:
      p[0] = b, p[1] = g, p[2] = r, p[3] = a;
      break;
    case PF_RGBA8888:
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      break;
    default:
      break;
  }
}

}  // namespace

PixmapRef TPixmap::CreateForOverwrite(int width, int height, int format, int align) {
  auto pixmap = std::make_shared<TPixmap>();
  const int bpp = BytesPerPixel(format);
  if (bpp == 0 || width <= 0 || height <= 0) {
    pixmap->format = bpp == 0 ? PF_BGRA8888 : format;
    return pixmap;
  }
  if (align < 1) align = 1;
  const int64_t row = static_cast<int64_t>(width) * bpp;
  const int64_t pitch = (row + align - 1) / align * align;
  const int64_t bytes = pitch * height;
  pixmap->storage_ = std::make_shared_for_overwrite<uint32_t[]>(static_cast<size_t>(bytes + 3) / 4);
  pixmap->pixels = reinterpret_cast<uint8_t*>(pixmap->storage_.get());
  pixmap->width = width;
  pixmap->height = height;
  pixmap->pitch = static_cast<int>(pitch);
  pixmap->format = format;
  pixmap->capacity = static_cast<int>(bytes);
  return pixmap;
}

PixmapRef TPixmap::Create(int width, int height, int format, int align) {
  auto pixmap = CreateForOverwrite(width, height, format, align);
  if (!pixmap->Empty()) std::memset(pixmap->pixels, 0, static_cast<size_t>(pixmap->capacity));
  return pixmap;
}

uint32_t TPixmap::ReadPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return DecodePixel(Row(y) + x * BytesPerPixel(format), format);
}

void TPixmap::WritePixel(int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  EncodePixel(Row(y) + x * BytesPerPixel(format), format, argb);
}

void TPixmap::ClearPixels(uint32_t argb) {
  if (Empty()) return;
  const int bpp = BytesPerPixel(format);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = Row(y);
    if (argb == 0) {
      std::memset(row, 0, static_cast<size_t>(width) * bpp);
    } else if (format == PF_BGRA8888) {
      std::fill_n(Row32(y), width, argb);
    } else {
      for (int x = 0; x < width; ++x) EncodePixel(row + x * bpp, format, argb);
    }
  }
}

PixmapRef TPixmap::Copy() const {
  auto copy = std::make_shared<TPixmap>();
  copy->format = format;
  if (Empty()) return copy;
  const size_t row = static_cast<size_t>(width) * BytesPerPixel(format);
  copy->storage_ =
      std::make_shared_for_overwrite<uint32_t[]>((static_cast<size_t>(pitch) * height + 3) / 4);
  copy->pixels = reinterpret_cast<uint8_t*>(copy->storage_.get());
  copy->width = width;
  copy->height = height;
  copy->pitch = pitch;
  copy->capacity = pitch * height;
  for (int y = 0; y < height; ++y) {
    std::memcpy(copy->Row(y), Row(y), row);
    std::memset(copy->Row(y) + row, 0, static_cast<size_t>(pitch) - row);  // the padding
  }
  return copy;
}

PixmapRef TPixmap::Window(int x, int y, int w, int h) {
  auto view = std::make_shared<TPixmap>();
  view->format = format;
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(width, x + w), y1 = std::min(height, y + h);
  if (Empty() || x1 <= x0 || y1 <= y0) return view;
  view->storage_ = storage_;
  view->pixels = Row(y0) + x0 * BytesPerPixel(format);
  view->width = x1 - x0;
  view->height = y1 - y0;
  view->pitch = pitch;
  view->capacity = -1;
  return view;
}

void TPixmap::Paste(const TPixmap& source, int x, int y) {
  if (Empty() || source.Empty()) return;
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(width, x + source.width), y1 = std::min(height, y + source.height);
  if (x1 <= x0 || y1 <= y0) return;
  const int bpp = BytesPerPixel(format);
  const int sbpp = BytesPerPixel(source.format);
  for (int ty = y0; ty < y1; ++ty) {
    uint8_t* dst = Row(ty) + x0 * bpp;
    const uint8_t* src = source.Row(ty - y) + (x0 - x) * sbpp;
    if (source.format == format) {
      std::memmove(dst, src, static_cast<size_t>(x1 - x0) * bpp);
      continue;
    }
    for (int tx = x0; tx < x1; ++tx, dst += bpp, src += sbpp) {
      EncodePixel(dst, format, DecodePixel(src, source.format));
    }
  }
}

PixmapRef TPixmap::Convert(int new_format) const {
  if (BytesPerPixel(new_format) == 0) return Copy();
  auto converted = Create(width, height, new_format, 4);
  if (!Empty()) converted->Paste(*this, 0, 0);
  return converted;
}

PixmapRef MaskPixmap(const TPixmap& pixmap, int red, int green, int blue) {
  auto masked = TPixmap::Create(pixmap.width, pixmap.height, PF_RGBA8888, 4);
  const uint32_t key = ((red & 255) << 16) | ((green & 255) << 8) | (blue & 255);
  for (int y = 0; y < pixmap.height; ++y) {
    for (int x = 0; x < pixmap.width; ++x) {
      const uint32_t rgb = pixmap.ReadPixel(x, y) & 0xFFFFFFu;
      masked->WritePixel(x, y, rgb == key ? rgb : (0xFF000000u | rgb));
    }
  }
  return masked;
}

}  // namespace orvela
