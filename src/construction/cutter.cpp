// TRozcinacz, the picture cutter.
#include "construction/cutter.h"

#include <algorithm>
#include <cmath>

#include "construction/piece_shadow.h"
#include "engine/engine.h"
#include "engine/random.h"
#include "engine/system.h"

namespace orvela {

namespace {

uint32_t Brighter(uint32_t c, int amount, uint32_t alpha) {
  auto ch = [&](int shift) {
    return static_cast<uint32_t>(std::min(255, static_cast<int>((c >> shift) & 255) + amount));
  };
  return alpha | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

uint32_t Darker(uint32_t c, int amount) {
  auto ch = [&](int shift) {
    return static_cast<uint32_t>(std::max(0, static_cast<int>((c >> shift) & 255) - amount));
  };
  return 0xFF000000u | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

PixmapRef AsBgra(const PixmapRef& pixmap) {
  return pixmap->format == PF_BGRA8888 ? pixmap : pixmap->Convert(PF_BGRA8888);
}

}  // namespace

void TRozcinacz::clear() {
  listaObrazkow.Clear();
  _tempList.clear();
}

PixmapRef TRozcinacz::setup(const Source& picture, const Source& mask, const PixmapRef& mask2) {
  ready_ = false;
  PixmapRef image;
  if (picture.IsPath()) {
    image = PixmapOf(picture);  // a missing file is reported there
  } else {
    image = std::dynamic_pointer_cast<TPixmap>(picture.Object());
  }
  if (!image || image->Empty()) {
    if (!picture.IsPath()) Notify("The picture could not be loaded, so no puzzle was made.", 0);
    return nullptr;
  }
  // The region buffer of the cut is 800 × 600: a larger picture cannot be cut.
  if (image->width > kMaxWidth || image->height > kMaxHeight) {
    Notify("This picture is larger than 800 x 600 pixels and cannot be made into a puzzle.", 0);
    return nullptr;
  }
  PixmapRef first, second;
  if (mask.IsPath() && !mask.Path().empty()) {
    first = PixmapOf(mask);
    second = PixmapOf(mask);
  } else {
    first = std::dynamic_pointer_cast<TPixmap>(mask.Object());
    second = mask2;
  }
  auto fits = [&](const PixmapRef& m) {
    return m && m->width == image->width && m->height == image->height;
  };
  if (!fits(first) || !fits(second)) {
    Notify("The cut lines do not fit the picture, so no puzzle was made.", 0);
    return nullptr;
  }
  targetImg = image;
  picture_ = AsBgra(image);
  imageMask = first;
  tempMask = second->Copy()->Convert(PF_BGRA8888);
  if (!region_) {
    region_ = TPixmap::Create(kMaxWidth, kMaxHeight, PF_BGRA8888, 4);
    region_->ClearPixels(kKey);
  }
  _imgMaxX = image->width - 1;
  _imgMaxY = image->height - 1;
  _scale = 1.0f;
  _adX = static_cast<int>((kMaxWidth - image->width * _scale) / 2);
  _adY = static_cast<int>((kMaxHeight - image->height * _scale) / 2);
  ready_ = true;
  return targetImg;
}

PixmapRef TRozcinacz::wytnijObrazek(int sx, int sy) {
  // The region buffer is reused: only the pixels the last fill wrote go back to the key.
  for (int y = std::max(0, dirty_y0_); y <= dirty_y1_; ++y) {
    std::fill(region_->Row32(y) + dirty_x0_, region_->Row32(y) + dirty_x1_ + 1, kKey);
  }
  int min_x = kMaxWidth, min_y = kMaxWidth, max_x = 0, max_y = 0;  // as the cut has always begun
  dirty_x0_ = kMaxWidth, dirty_y0_ = kMaxHeight, dirty_x1_ = -1, dirty_y1_ = -1;
  std::vector<TWsp> queue{TWsp::Create(sx, sy, 0)};
  std::vector<TWsp> edges;
  auto visit = [&](int nx, int ny) {
    uint32_t& m = tempMask->Row32(ny)[nx];
    const uint32_t c = m;
    if (col1(c)) {
      queue.push_back(TWsp::Create(nx, ny, 0));
      m = kClaimed;
    } else if (col(c)) {
      edges.push_back(TWsp::Create(nx, ny, 0));
    } else {
      return;  // claimed already
    }
    region_->Row32(ny)[nx] = picture_->Row32(ny)[nx];
    dirty_x0_ = std::min(dirty_x0_, nx), dirty_x1_ = std::max(dirty_x1_, nx);
    dirty_y0_ = std::min(dirty_y0_, ny), dirty_y1_ = std::max(dirty_y1_, ny);
  };
  for (size_t head = 0; head < queue.size(); ++head) {
    const TWsp p = queue[head];
    if (p.y > 0) {
      min_y = std::min(min_y, p.y - 1);
      visit(p.x, p.y - 1);
    }
    if (p.x > 0) {
      min_x = std::min(min_x, p.x - 1);
      visit(p.x - 1, p.y);
    }
    if (p.x < _imgMaxX) {
      max_x = std::max(max_x, p.x + 1);
      visit(p.x + 1, p.y);
    }
    if (p.y < _imgMaxY) {
      max_y = std::max(max_y, p.y + 1);
      visit(p.x, p.y + 1);
    }
    if ((head & 1023) == 1023 && progress) progress->Pulse();
  }
  _tempX = static_cast<float>(min_x), _tempY = static_cast<float>(min_y);
  _tempXX = static_cast<float>(max_x), _tempYY = static_cast<float>(max_y);
  _tempList = std::move(edges);
  return region_;
}

void TRozcinacz::update() {
  if (progress) progress->Update();
}

void TRozcinacz::draw() {
  if (progress) progress->Draw();
}

PixmapRef TRozcinacz::stworzKrawedzieV(const TPixmap& region) {
  const int x0 = static_cast<int>(_tempX), x1 = static_cast<int>(_tempXX);
  const int y0 = static_cast<int>(_tempY), y1 = static_cast<int>(_tempYY);
  auto out = TPixmap::Create(std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1, PF_BGRA8888, 4);
  out->ClearPixels(kKey);
  uint32_t prev = 0;
  for (int y = y0; y <= y1; ++y) {
    const uint32_t* src = region.Row32(y);
    uint32_t* dst = out->Row32(y - y0);
    int e = 0;
    for (int x = x0; x <= x1; ++x) {
      const uint32_t c = src[x];
      if ((prev == kKey || x == x0) && c != kKey) e = 3;
      uint32_t value = c;
      if (c != kKey && e > 0) {
        value = Brighter(c, 15 * e, e == 3 ? 0xEE000000u : 0xFF000000u);
        --e;
      }
      dst[x - x0] = value;
      prev = c;
    }
  }
  update();
  draw();
  return out;
}

PixmapRef TRozcinacz::stworzKrawedzieH(const PixmapRef& buffer) {
  const int w = static_cast<int>(_tempXX - _tempX), h = static_cast<int>(_tempYY - _tempY);
  TPixmap& b = *buffer;
  uint32_t prev = 0;
  for (int x = 0; x <= w; ++x) {
    int e = 0;
    TWsp window[4];  // the last four pixels of the column, oldest first
    int remembered = 0;
    for (int y = 0; y <= h; ++y) {
      const uint32_t c = b.Row32(y)[x];
      uint32_t value = c;
      if ((prev == kKey || y == 0) && c != kKey) e = 3;
      if (prev != kKey && c == kKey) {
        // The end of a run: its last pixels darken, the last one most.
        for (int k = 0; k < remembered; ++k) {
          const TWsp& entry = window[k];
          if (static_cast<uint32_t>(entry.v) != kKey) {
            b.Row32(entry.y)[entry.x] = Darker(static_cast<uint32_t>(entry.v), 25 * k);
          }
        }
      }
      if (c != kKey && e > 0) {
        value = Brighter(c, 15 * e, 0xFF000000u);
        --e;
      }
      b.Row32(y)[x] = value;
      prev = c;
      const TWsp entry = TWsp::Create(x, y, static_cast<int32_t>(c));
      if (remembered < 4) {
        window[remembered++] = entry;
      } else {
        std::rotate(window, window + 1, window + 4);
        window[3] = entry;
      }
    }
  }
  update();
  draw();
  return buffer;
}

Ref<TPuzel> TRozcinacz::stworzPuzel(int x, int y) {
  auto piece = std::make_shared<TPuzel>();
  const PixmapRef region = wytnijObrazek(x, y);
  const int bx = static_cast<int>(_tempX), by = static_cast<int>(_tempY);
  const PixmapRef cropped = stworzKrawedzieH(stworzKrawedzieV(*region));
  piece->img = TImage::Load(cropped, IMG_MASKED);
  piece->_shadow = MakePieceShadow(*piece->img);
  piece->x = piece->xD = bx * _scale;
  piece->y = piece->yD = by * _scale;
  piece->_adX = static_cast<float>(_adX);
  piece->_adY = static_cast<float>(_adY);
  piece->_scale = _scale;
  piece->_krawedzie = _tempList;
  piece->id = liczbaPuzzli++;
  return piece;
}

int TRozcinacz::potnij(int width, int height, int, int, int) {
  if (progress) progress->Start();
  liczbaPuzzli = 0;
  listaObrazkow.Clear();
  listaPomocnicza.Clear();
  if (!ready_) return 0;
  ready_ = false;  // the working mask is used up by this cut
  for (const TWsp& seed : PieceSeeds(*tempMask, width, height)) {
    Ref<TPuzel> piece = stworzPuzel(seed.x, seed.y);
    listaObrazkow.AddLast(piece);
    listaPomocnicza.AddLast(piece);
    if (progress) progress->Pulse();
  }
  stworzSasiadow();
  wylosuj();
  return listaObrazkow.Count();
}

std::vector<TWsp> TRozcinacz::PieceSeeds(TPixmap& mask, int width, int height) {
  width = std::min(width, mask.width);
  height = std::min(height, mask.height);
  // Every region of free pixels is labelled once (4-connected, as the fill of the cut goes),
  // and its size counted; the label of a pixel is its region's number.
  const size_t cells = static_cast<size_t>(mask.width) * mask.height;
  std::vector<int> label(cells, -1);
  std::vector<int> area;
  std::vector<int> stack;
  auto at = [&](int x, int y) { return static_cast<size_t>(y) * mask.width + x; };
  auto free_pixel = [&](int x, int y) { return col1(mask.Row32(y)[x]) != 0; };
  auto region_of = [&](int x, int y) {
    if (label[at(x, y)] >= 0) return label[at(x, y)];
    const int region = static_cast<int>(area.size());
    area.push_back(0);
    stack.assign(1, static_cast<int>(at(x, y)));
    label[at(x, y)] = region;
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      ++area.back();
      const int px = p % mask.width, py = p / mask.width;
      const int next[4][2] = {{px, py - 1}, {px - 1, py}, {px + 1, py}, {px, py + 1}};
      for (const auto& n : next) {
        if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height) continue;
        int& l = label[at(n[0], n[1])];
        if (l < 0 && free_pixel(n[0], n[1]))
          l = region, stack.push_back(static_cast<int>(at(n[0], n[1])));
      }
    }
    return region;
  };
  std::vector<TWsp> seeds;
  std::vector<bool> seeded;
  for (int i = 5; i <= height / 5 - 1; ++i) {
    for (int j = 5; j <= width / 5 - 1; ++j) {
      const int sx = 5 * j - 2, sy = 5 * i - 2;
      if (!free_pixel(sx, sy)) continue;
      const int region = region_of(sx, sy);
      seeded.resize(area.size());
      if (seeded[region]) continue;
      seeded[region] = true;
      if (area[region] >= kMinPieceArea) seeds.push_back(TWsp::Create(sx, sy, 0));
    }
  }
  // Slivers, with a seed or without, become cut-line pixels: the pieces around them copy them
  // as they copy every line, so the finished picture has no holes.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!free_pixel(x, y)) continue;
      const int l = region_of(x, y);
      if (area[l] < kMinPieceArea) mask.Row32(y)[x] = 0xFFFFFFFFu;
    }
  }
  return seeds;
}

Ref<TSasiad> TRozcinacz::stworzSasiada(const TPuzel& a, const Ref<TPuzel>& b) const {
  auto record = std::make_shared<TSasiad>();
  record->puzel = b;
  record->odx = static_cast<int32_t>(std::fabs(a.x - b->x));
  record->ody = static_cast<int32_t>(std::fabs(a.y - b->y));
  record->r = std::sqrt(static_cast<float>(record->odx * record->odx + record->ody * record->ody));
  record->sigX = b->x < a.x ? 1 : (b->x > a.x ? -1 : 0);
  record->sigy = b->y < a.y ? 1 : (b->y > a.y ? -1 : 0);
  record->spasowany = 0;
  return record;
}

void TRozcinacz::stworzSasiadow() {
  const std::vector<Ref<TPuzel>> pieces = listaObrazkow.ToArray();
  if (pieces.empty() || !tempMask) return;
  // Which pieces hold each edge pixel, in list order: the same answers as asking every other
  // piece's edge list in turn (_zgadzaSie), without the quadratic search.
  const int w = tempMask->width, h = tempMask->height;
  const size_t cells = static_cast<size_t>(w) * h;
  std::vector<int> last(cells, -1), start(cells + 1, 0);
  for (size_t i = 0; i < pieces.size(); ++i) {
    for (const TWsp& p : pieces[i]->_krawedzie) {
      const size_t at = static_cast<size_t>(p.y) * w + p.x;
      if (last[at] != static_cast<int>(i)) last[at] = static_cast<int>(i), ++start[at + 1];
    }
  }
  for (size_t k = 0; k < cells; ++k) start[k + 1] += start[k];
  std::vector<int> holders(static_cast<size_t>(start[cells]));
  std::vector<int> fill(start.begin(), start.end() - 1);
  std::fill(last.begin(), last.end(), -1);
  for (size_t i = 0; i < pieces.size(); ++i) {
    for (const TWsp& p : pieces[i]->_krawedzie) {
      const size_t at = static_cast<size_t>(p.y) * w + p.x;
      if (last[at] != static_cast<int>(i))
        last[at] = static_cast<int>(i), holders[fill[at]++] = static_cast<int>(i);
    }
  }
  for (size_t r = 0; r < pieces.size(); ++r) {
    TPuzel& piece = *pieces[r];
    for (size_t index = 0; index < piece._krawedzie.size(); index += 15) {
      const TWsp& p = piece._krawedzie[index];
      if (!(p.x > 0 && p.x < _imgMaxX && p.y > 0 && p.y < _imgMaxY)) continue;
      const size_t at = static_cast<size_t>(p.y) * w + p.x;
      for (int k = start[at]; k < start[at + 1]; ++k) {
        const Ref<TPuzel>& other = pieces[holders[k]];
        if (other.get() == &piece || !piece._nieSasiad(*other)) continue;
        piece._sasiedzi.AddLast(stworzSasiada(piece, other));
        break;
      }
    }
    update();
    draw();
  }
}

void TRozcinacz::wylosuj() {
  std::vector<Ref<TPuzel>> pieces = listaObrazkow.ToArray();
  const int n = static_cast<int>(pieces.size());
  if (n == 0) return;
  for (int step = 0; step < 100; ++step) {
    const int a = RandomInt(1, n) - 1;
    const int b = RandomInt(1, n) - 1;
    std::vector<Ref<TPuzel>> next;
    next.reserve(pieces.size());
    for (int k = 0; k < n; ++k) {
      if (k != a && k != b) next.push_back(pieces[k]);
    }
    next.push_back(pieces[a]);
    if (b != a) next.push_back(pieces[b]);
    pieces.swap(next);
  }
  listaObrazkow.Clear();
  for (const Ref<TPuzel>& piece : pieces) listaObrazkow.AddLast(piece);
}

}  // namespace orvela
