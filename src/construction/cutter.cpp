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

// Widens a picture into a 32-bit buffer of its size. Decoded pictures come as blue, green, red
// bytes, which are widened here directly rather than pixel by pixel through the general
// conversion.
void WidenInto(const TPixmap& picture, TPixmap& out) {
  if (picture.format != PF_BGR888) {
    out.Paste(picture, 0, 0);
    return;
  }
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* src = picture.Row(y);
    uint32_t* dst = out.Row32(y);
    for (int x = 0; x < picture.width; ++x, src += 3) {
      dst[x] = 0xFF000000u | (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
    }
  }
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
  if (image->format == PF_BGRA8888) {
    picture_ = image;
    picture_is_own_ = false;
  } else {
    // The cutter's own 32-bit copy, whose room is kept from game to game.
    if (!picture_is_own_ || picture_->width != image->width || picture_->height != image->height) {
      picture_ = TPixmap::Create(image->width, image->height, PF_BGRA8888, 4);
      picture_is_own_ = true;
    }
    WidenInto(*image, *picture_);
  }
  imageMask = first;
  // The working mask is the cut's own copy: the caller's masks stay as they were.
  tempMask = second->format == PF_BGRA8888 ? second->Copy() : second->Convert(PF_BGRA8888);
  states_ready_ = false;
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

void TRozcinacz::BuildStates() {
  const int width = _imgMaxX + 1, height = _imgMaxY + 1;
  const size_t padded = static_cast<size_t>(width + 2);
  states_.assign(padded * static_cast<size_t>(height + 2), kOutside);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = tempMask->Row32(y);
    uint8_t* out = &states_[(static_cast<size_t>(y) + 1) * padded + 1];
    for (int x = 0; x < width; ++x) {
      const uint32_t rgb = row[x] & 0xFFFFFFu;
      out[x] = rgb == 0xFFFFFFu ? kLine : rgb == (kClaimed & 0xFFFFFFu) ? kTaken : kFree;
    }
  }
  states_ready_ = true;
}

PixmapRef TRozcinacz::wytnijObrazek(int sx, int sy) {
  if (!states_ready_) BuildStates();
  // The region buffer is reused: only the box the last fill could write goes back to the key.
  for (int y = dirty_y0_; y <= dirty_y1_; ++y) {
    std::fill(region_->Row32(y) + dirty_x0_, region_->Row32(y) + dirty_x1_ + 1, kKey);
  }
  int min_x = kMaxWidth, min_y = kMaxWidth, max_x = 0, max_y = 0;  // as the cut has always begun
  const size_t pixels = static_cast<size_t>(_imgMaxX + 1) * static_cast<size_t>(_imgMaxY + 1);
  // Held in locals: the fill's stores through the pointers could otherwise be taken to change
  // these fields and have them read again at every step.
  const int last_x = _imgMaxX, last_y = _imgMaxY;
  const int padded = _imgMaxX + 3;
  uint8_t* const state = states_.data();
  CutProgress* const pulse = progress;
  // The fill walks the byte grid of pixel states alone, breadth first, and without branching
  // on what it finds: every neighbour of a point taken from the queue (up, left, right, down)
  // is written to the queue and to the list of cut-line pixels met, and each list moves on only
  // when the neighbour is free or on a cut line. The pixels claimed and the cut-line pixels
  // met are marked in the grid, and one pass over the box afterwards copies them. Points are
  // kept as x + y · 2^14. Every pixel enters the queue once, when it is claimed, and the seed
  // once before that; each point meets at most four cut-line pixels.
  const size_t room = pixels + 1 + 4;
  if (queue_.size() < room) queue_.resize(room);
  uint32_t* const queue = queue_.data();
  if (lines_met_.size() < 64) lines_met_.resize(64);
  size_t tail = 0, met = 0;
  queue[tail++] = static_cast<uint32_t>(sy) << 14 | static_cast<uint32_t>(sx);
  // What a state becomes when the fill meets it.
  static constexpr uint8_t kNext[] = {kClaimedNow, kLineMet, kTaken,
                                      kClaimedNow, kLineMet, kOutside};
  constexpr uint32_t kRow = 1u << 14;
  for (size_t head = 0; head < tail; ++head) {
    if (lines_met_.size() < met + 4) lines_met_.resize(2 * lines_met_.size());
    uint32_t* const lines = lines_met_.data();
    const uint32_t entry = queue[head];
    const int px = static_cast<int>(entry & 0x3FFFu);
    const int py = static_cast<int>(entry >> 14);
    // The box grows by every neighbour inside the picture.
    if (py > 0) min_y = std::min(min_y, py - 1);
    if (px > 0) min_x = std::min(min_x, px - 1);
    if (px < last_x) max_x = std::max(max_x, px + 1);
    if (py < last_y) max_y = std::max(max_y, py + 1);
    const int at = (py + 1) * padded + px + 1;
    auto meet = [&](int index, uint32_t point) {
      const uint8_t s = state[index];
      queue[tail] = point;
      tail += s == kFree;
      lines[met] = point;
      met += (s == kLine) | (s == kLineMet);
      state[index] = kNext[s];
    };
    meet(at - padded, entry - kRow);
    meet(at - 1, entry - 1);
    meet(at + 1, entry + 1);
    meet(at + padded, entry + kRow);
    if ((head & 1023) == 1023 && pulse) pulse->Pulse();
  }
  // Every pixel met lies in the box together with the seed: each one was met from a point that
  // was, and the box takes in every met point's changing coordinate.
  dirty_x0_ = std::min(min_x, sx), dirty_x1_ = std::max(max_x, sx);
  dirty_y0_ = std::min(min_y, sy), dirty_y1_ = std::max(max_y, sy);
  // The claimed pixels are marked claimed in the mask and written down as this piece's (for
  // the neighbour search; the piece this fill is for gets the next id); they and the cut-line
  // pixels met are copied from the picture.
  const int mask_stride = tempMask->pitch / 4, picture_stride = picture_->pitch / 4;
  const int region_stride = region_->pitch / 4;
  uint32_t* const mask = tempMask->Row32(0);
  const uint32_t* const picture = picture_->Row32(0);
  uint32_t* const region = region_->Row32(0);
  const int owner_stride = _imgMaxX + 1;
  int32_t* const owners = owner_.size() == pixels ? owner_.data() : nullptr;
  const int32_t id = liczbaPuzzli;
  for (int y = dirty_y0_; y <= dirty_y1_; ++y) {
    uint8_t* states = &state[(y + 1) * padded + 1];
    for (int x = dirty_x0_; x <= dirty_x1_; ++x) {
      const uint8_t s = states[x];
      if (s < kClaimedNow) continue;
      if (s == kClaimedNow) {
        states[x] = kTaken;
        mask[y * mask_stride + x] = kClaimed;
        if (owners) owners[y * owner_stride + x] = id;
      } else if (s == kLineMet) {
        states[x] = kLine;
      } else {
        continue;
      }
      region[y * region_stride + x] = picture[y * picture_stride + x];
    }
  }
  std::vector<TWsp> edges(met);
  for (size_t k = 0; k < met; ++k) {
    edges[k] = TWsp::Create(static_cast<int32_t>(lines_met_[k] & 0x3FFFu),
                            static_cast<int32_t>(lines_met_[k] >> 14), 0);
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
  // The rows below write every pixel of a box that is the right way round.
  if (x1 < x0 || y1 < y0) out->ClearPixels(kKey);
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
  TPixmap& b = *buffer;
  const int w = std::min(static_cast<int>(_tempXX - _tempX), b.width - 1);
  const int h = std::min(static_cast<int>(_tempYY - _tempY), b.height - 1);
  // Column by column in effect, but walked row by row, every column keeping its own state: its
  // brightening count, and the colours of its last four pixels as read (the window whose
  // pixels darken when a run ends), kept for the last four rows in turn. A column's first
  // pixel starts it afresh whatever the column before ended with.
  const size_t columns = static_cast<size_t>(std::max(w + 1, 0));
  std::vector<int> e(columns, 0);
  std::vector<uint32_t> read(4 * columns);  // row y's colours at (y mod 4) · columns
  for (int y = 0; y <= h; ++y) {
    uint32_t* row = b.Row32(y);
    uint32_t* now = &read[static_cast<size_t>(y & 3) * columns];
    const uint32_t* before = &read[static_cast<size_t>((y + 3) & 3) * columns];
    const int remembered = std::min(y, 4);  // window entries: rows y − remembered … y − 1
    for (int x = 0; x <= w; ++x) {
      const uint32_t c = row[x];
      const uint32_t prev = y > 0 ? before[x] : kKey;
      uint32_t value = c;
      if (prev == kKey && c != kKey) e[x] = 3;  // y = 0 starts a run as a key pixel would
      if (y > 0 && prev != kKey && c == kKey) {
        // The end of a run: its last pixels darken, the last one most.
        for (int k = 0; k < remembered; ++k) {
          const int at = y - remembered + k;
          const uint32_t was = read[static_cast<size_t>(at & 3) * columns + x];
          if (was != kKey) b.Row32(at)[x] = Darker(was, 25 * k);
        }
      }
      if (c != kKey && e[x] > 0) {
        value = Brighter(c, 15 * e[x], 0xFF000000u);
        --e[x];
      }
      row[x] = value;
      now[x] = c;
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
  const std::vector<TWsp> seeds = PieceSeeds(*tempMask, width, height, labels_);
  states_ready_ = false;  // slivers may have become cut lines
  owner_.assign(static_cast<size_t>(tempMask->width) * static_cast<size_t>(tempMask->height), -1);
  for (const TWsp& seed : seeds) {
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
  std::vector<int32_t> labels;
  return PieceSeeds(mask, width, height, labels);
}

std::vector<TWsp> TRozcinacz::PieceSeeds(TPixmap& mask, int width, int height,
                                         std::vector<int32_t>& label) {
  width = std::min(width, mask.width);
  height = std::min(height, mask.height);
  if (width <= 0 || height <= 0) return {};
  // Every region of free pixels (4-connected, as the fill of the cut goes) is labelled in one
  // pass over the rows: a free pixel takes the label of its free neighbour to the left or
  // above, and when both are free their labels are joined. A label's root is always the
  // smallest label of its region, so one forward walk afterwards resolves every label.
  const size_t stride = static_cast<size_t>(width);
  label.resize(stride * static_cast<size_t>(height));  // every entry is written below
  std::vector<int32_t> root;                           // root[l] <= l; root[l] == l for a root
  std::vector<int32_t> area;                           // free pixels per label, then per root
  auto find = [&](int32_t l) {
    while (root[static_cast<size_t>(l)] != l) l = root[static_cast<size_t>(l)];
    return l;
  };
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = mask.Row32(y);
    int32_t* here = &label[static_cast<size_t>(y) * stride];
    const int32_t* above = y > 0 ? here - stride : nullptr;
    int32_t left = -1;
    for (int x = 0; x < width; ++x) {
      if (!col1(row[x])) {
        here[x] = left = -1;
        continue;
      }
      const int32_t up = above ? above[x] : -1;
      int32_t l;
      if (left < 0 && up < 0) {
        l = static_cast<int32_t>(root.size());
        root.push_back(l);
        area.push_back(0);
      } else if (up < 0 || up == left) {
        l = left;
      } else if (left < 0) {
        l = up;
      } else {
        const int32_t a = find(left), b = find(up);
        l = std::min(a, b);
        root[static_cast<size_t>(std::max(a, b))] = l;
      }
      here[x] = left = l;
      ++area[static_cast<size_t>(l)];
    }
  }
  bool slivers = false;
  for (size_t l = 0; l < root.size(); ++l) {
    root[l] = root[static_cast<size_t>(root[l])];  // the root of a smaller label is final
    if (root[l] != static_cast<int32_t>(l)) area[static_cast<size_t>(root[l])] += area[l];
  }
  for (size_t l = 0; l < root.size(); ++l) {
    slivers = slivers || (root[l] == static_cast<int32_t>(l) && area[l] < kMinPieceArea);
  }
  auto region_at = [&](int x, int y) {
    return root[static_cast<size_t>(label[static_cast<size_t>(y) * stride + x])];
  };
  std::vector<TWsp> seeds;
  std::vector<bool> seeded(root.size(), false);
  for (int i = 5; i <= height / 5 - 1; ++i) {
    for (int j = 5; j <= width / 5 - 1; ++j) {
      const int sx = 5 * j - 2, sy = 5 * i - 2;
      if (!col1(mask.Row32(sy)[sx])) continue;
      const int32_t region = region_at(sx, sy);
      if (seeded[static_cast<size_t>(region)]) continue;
      seeded[static_cast<size_t>(region)] = true;
      if (area[static_cast<size_t>(region)] >= kMinPieceArea)
        seeds.push_back(TWsp::Create(sx, sy, 0));
    }
  }
  // Slivers, with a seed or without, become cut-line pixels: the pieces around them copy them
  // as they copy every line, so the finished picture has no holes.
  if (slivers) {
    for (int y = 0; y < height; ++y) {
      uint32_t* row = mask.Row32(y);
      for (int x = 0; x < width; ++x) {
        const int32_t l = label[static_cast<size_t>(y) * stride + x];
        if (l >= 0 && area[static_cast<size_t>(root[static_cast<size_t>(l)])] < kMinPieceArea) {
          row[x] = 0xFFFFFFFFu;
        }
      }
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
  // The pieces whose edge lists hold a pixel are those that claimed one of its four
  // neighbours: each claimed pixel was examined from, and examined every neighbour in turn
  // (a sampled pixel lies inside the picture, so all four are there). The fill wrote down who
  // claimed what, so this asks those four pixels instead of searching every edge list. That
  // record belongs to the pieces of the last cut; for any other pieces, the edge lists are
  // searched as they stand.
  std::vector<int> position(static_cast<size_t>(liczbaPuzzli), -1);  // in the list, by id
  bool recorded = owner_.size() == static_cast<size_t>(_imgMaxX + 1) * (_imgMaxY + 1) &&
                  listaPomocnicza.Count() == liczbaPuzzli;
  for (size_t k = 0; recorded && k < pieces.size(); ++k) {
    const int id = pieces[k]->id;
    recorded = id >= 0 && id < liczbaPuzzli && position[static_cast<size_t>(id)] < 0;
    if (recorded) position[static_cast<size_t>(id)] = static_cast<int>(k);
  }
  if (recorded) {
    int k = 0;  // the pieces of the list are those of the cut
    for (const Ref<TPuzel>& made : listaPomocnicza) {
      const int at = position[static_cast<size_t>(k)];
      recorded = recorded && made->id == k && (at < 0 || pieces[static_cast<size_t>(at)] == made);
      ++k;
    }
  }
  const int stride = _imgMaxX + 1;
  for (const Ref<TPuzel>& ref : pieces) {
    TPuzel& piece = *ref;
    for (size_t index = 0; index < piece._krawedzie.size(); index += 15) {
      const TWsp& p = piece._krawedzie[index];
      if (!(p.x > 0 && p.x < _imgMaxX && p.y > 0 && p.y < _imgMaxY)) continue;
      if (!recorded) {
        for (const Ref<TPuzel>& other : pieces) {
          if (other == ref || !other->_zgadzaSie(p, 0) || !piece._nieSasiad(*other)) continue;
          piece._sasiedzi.AddLast(stworzSasiada(piece, other));
          break;
        }
        continue;
      }
      // The holders' places in the list, in list order.
      const int at = p.y * stride + p.x;
      int holders[4], count = 0;
      for (const int q : {at - stride, at - 1, at + 1, at + stride}) {
        const int owner = owner_[static_cast<size_t>(q)];
        const int place = owner < 0 ? -1 : position[static_cast<size_t>(owner)];
        if (place < 0 || std::find(holders, holders + count, place) != holders + count) continue;
        int k = count++;  // kept in order as they come
        for (; k > 0 && holders[k - 1] > place; --k) holders[k] = holders[k - 1];
        holders[k] = place;
      }
      for (int k = 0; k < count; ++k) {
        const Ref<TPuzel>& other = pieces[static_cast<size_t>(holders[k])];
        if (other == ref || !piece._nieSasiad(*other)) continue;
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
