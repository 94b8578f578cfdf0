// TRozcinacz, the picture cutter.
#include "construction/cutter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "construction/piece_rims.h"
#include "construction/piece_shadow.h"
#include "engine/engine.h"
#include "engine/random.h"
#include "engine/system.h"

namespace orvela {

namespace {

// Widens a picture into a 32-bit buffer of its size. Decoded pictures come as blue, green, red
// bytes, which are widened here directly, four pixels from three 32-bit words (the buffers are
// little-endian, as their 32-bit rows are), rather than pixel by pixel through the general
// conversion.
void WidenInto(const TPixmap& picture, TPixmap& out) {
  if (picture.format != PF_BGR888) {
    out.Paste(picture, 0, 0);
    return;
  }
  constexpr uint32_t kOpaque = 0xFF000000u;
  const int width = picture.width;
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* src = picture.Row(y);
    uint32_t* dst = out.Row32(y);
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
      uint32_t w[3];
      std::memcpy(w, src, sizeof w);
      dst[x] = kOpaque | (w[0] & 0xFFFFFFu);
      dst[x + 1] = kOpaque | (w[0] >> 24) | ((w[1] & 0xFFFFu) << 8);
      dst[x + 2] = kOpaque | (w[1] >> 16) | ((w[2] & 0xFFu) << 16);
      dst[x + 3] = kOpaque | (w[2] >> 8);
    }
    for (; x < width; ++x, src += 3) {
      dst[x] = kOpaque | (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
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
      picture_ = TPixmap::CreateForOverwrite(image->width, image->height);
      picture_is_own_ = true;
    }
    WidenInto(*image, *picture_);
  }
  imageMask = first;
  fill_ready_ = false;
  // The working mask: the second mask itself, for the cut only reads it until it leaves a
  // used-up copy in its place; the caller's masks stay as they were.
  tempMask = second->format == PF_BGRA8888 ? second : second->Convert(PF_BGRA8888);
  _imgMaxX = image->width - 1;
  _imgMaxY = image->height - 1;
  _scale = 1.0f;
  _adX = static_cast<int>((kMaxWidth - image->width * _scale) / 2);
  _adY = static_cast<int>((kMaxHeight - image->height * _scale) / 2);
  ready_ = true;
  return targetImg;
}

int TRozcinacz::wytnijObrazek(int sx, int sy) {
  if (!fill_ready_) PrepareFill();
  owners_recorded_ = false;  // until the cut has made all its pieces
  const int claimed = fill_.Fill(sx, sy, liczbaPuzzli, progress);
  const uint32_t* const lines = fill_.LinesMet();
  std::vector<TWsp> edges(fill_.LinesMetCount());
  for (size_t k = 0; k < edges.size(); ++k) {
    edges[k] = TWsp::Create(RegionFill::X(lines[k]), RegionFill::Y(lines[k]), 0);
  }
  _tempX = static_cast<float>(fill_.min_x), _tempY = static_cast<float>(fill_.min_y);
  _tempXX = static_cast<float>(fill_.max_x), _tempYY = static_cast<float>(fill_.max_y);
  _tempList = std::move(edges);
  return claimed;
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
  auto out = TPixmap::CreateForOverwrite(std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1);
  if (x1 < x0 || y1 < y0) {
    out->ClearPixels(kKey);
  } else {
    for (int y = y0; y <= y1; ++y)
      LightRowRuns(region.Row32(y) + x0, out->Row32(y - y0), x1 - x0 + 1);
  }
  update();
  draw();
  return out;
}

PixmapRef TRozcinacz::CutOut() {
  const int x0 = static_cast<int>(_tempX), x1 = static_cast<int>(_tempXX);
  const int y0 = static_cast<int>(_tempY), y1 = static_cast<int>(_tempYY);
  auto out = TPixmap::CreateForOverwrite(std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1);
  if (x1 < x0 || y1 < y0) {
    out->ClearPixels(kKey);
  } else {
    // What a full-size region buffer would hold in the box: the picture where the fill claimed
    // or met a pixel, the key elsewhere. The box lies inside the picture.
    const int w = x1 - x0 + 1;
    const size_t words = (static_cast<size_t>(w) + 63) / 64;
    row_bits_.resize(words * static_cast<size_t>(out->height));
    for (int y = y0; y <= y1; ++y) {
      uint32_t* row = out->Row32(y - y0);
      fill_.RegionRow(y, x0, w, liczbaPuzzli, picture_->Row32(y) + x0, kKey, row);
      LightRowRuns(row, row, w, &row_bits_[words * static_cast<size_t>(y - y0)]);
    }
  }
  update();
  draw();
  return out;
}

PixmapRef TRozcinacz::stworzKrawedzieH(const PixmapRef& buffer) {
  return ShadeColumns(buffer, nullptr);
}

PixmapRef TRozcinacz::ShadeColumns(const PixmapRef& buffer, const uint64_t* row_bits) {
  TPixmap& b = *buffer;
  LightAndShadeColumns(b, std::min(static_cast<int>(_tempXX - _tempX), b.width - 1),
                       std::min(static_cast<int>(_tempYY - _tempY), b.height - 1), row_bits);
  update();
  draw();
  return buffer;
}

Ref<TPuzel> TRozcinacz::MakePiece() {
  auto piece = std::make_shared<TPuzel>();
  const int bx = static_cast<int>(_tempX), by = static_cast<int>(_tempY);
  const PixmapRef cropped = CutOut();  // also leaves its rows' bits for the column pass
  piece->img = TImage::Load(ShadeColumns(cropped, row_bits_.data()), IMG_MASKED);
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

Ref<TPuzel> TRozcinacz::stworzPuzel(int x, int y) {
  wytnijObrazek(x, y);
  return MakePiece();
}

void TRozcinacz::PrepareFill() {
  fill_.Reset(*tempMask);
  fill_ready_ = true;
  owners_recorded_ = false;
}

int TRozcinacz::potnij(int width, int height, int, int, int) {
  if (progress) progress->Start();
  liczbaPuzzli = 0;
  listaObrazkow.Clear();
  listaPomocnicza.Clear();
  if (!ready_) return 0;
  ready_ = false;  // the working mask is used up by this cut
  auto add = [&](const Ref<TPuzel>& piece) {
    listaObrazkow.AddLast(piece);
    listaPomocnicza.AddLast(piece);
    if (progress) progress->Pulse();
  };
  width = std::min(width, tempMask->width);
  height = std::min(height, tempMask->height);
  const bool lattice = width == tempMask->width && height == tempMask->height;
  if (lattice) {
    // The seed scan and the fills in one walk over the lattice: a seed on a free pixel is the
    // first of its region (every region met before was claimed whole), and the fill tells the
    // region's size, so that a sliver is set aside there instead of made a piece. That is what
    // PieceSeeds finds: no fill ever meets another region's pixels, sliver or not, so setting
    // a sliver aside early or late changes no piece.
    PrepareFill();
    for (int i = 5; i <= height / 5 - 1; ++i) {
      for (int j = 5; j <= width / 5 - 1; ++j) {
        const int sx = 5 * j - 2, sy = 5 * i - 2;
        if (fill_.State(sx, sy) != RegionFill::kFree) continue;
        if (wytnijObrazek(sx, sy) < kMinPieceArea) {
          fill_.SetAsideSliver();
        } else {
          add(MakePiece());
        }
      }
    }
  } else {
    tempMask = tempMask->Copy();  // the seed scan writes slivers into it
    const std::vector<TWsp> seeds = PieceSeeds(*tempMask, width, height);
    PrepareFill();
    for (const TWsp& seed : seeds) {
      wytnijObrazek(seed.x, seed.y);
      add(MakePiece());
    }
  }
  // The working mask used up, row by row: every pixel a piece claimed is marked, and slivers
  // turn white, as PieceSeeds turns them. Slivers that no seed reached count as well (the rest
  // of such regions is left as it is): a row with free pixels has them filled first. A region
  // lies in the rows from its first free pixel on, so no row already used up changes.
  auto used = TPixmap::CreateForOverwrite(tempMask->width, tempMask->height);
  for (int y = 0; y < tempMask->height; ++y) {
    if (!fill_.UsedUpRow(y, *tempMask, *used, kClaimed, 0xFFFFFFFFu) || !lattice) continue;
    for (int x = fill_.NextFree(y, 0); x < width; x = fill_.NextFree(y, x + 1)) {
      if (fill_.Fill(x, y, RegionFill::kMaxOwners - 1, nullptr) < kMinPieceArea) {
        fill_.SetAsideSliver();
      } else {
        fill_.Block();
      }
    }
    fill_.UsedUpRow(y, *tempMask, *used, kClaimed, 0xFFFFFFFFu);
  }
  tempMask = used;
  owners_recorded_ = true;
  stworzSasiadow();
  wylosuj();
  return listaObrazkow.Count();
}

std::vector<TWsp> TRozcinacz::PieceSeeds(TPixmap& mask, int width, int height) {
  width = std::min(width, mask.width);
  height = std::min(height, mask.height);
  if (width <= 0 || height <= 0) return {};
  // Every region of free pixels (4-connected, as the fill of the cut goes) is labelled in one
  // pass over the rows: a free pixel takes the label of its free neighbour to the left or
  // above, and when both are free their labels are joined. A label's root is always the
  // smallest label of its region, so one forward walk afterwards resolves every label.
  std::vector<int32_t> label;
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
  bool recorded = owners_recorded_ && listaPomocnicza.Count() == liczbaPuzzli;
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
      int holders[4], count = 0;
      for (const int owner : {fill_.Owner(p.x, p.y - 1), fill_.Owner(p.x - 1, p.y),
                              fill_.Owner(p.x + 1, p.y), fill_.Owner(p.x, p.y + 1)}) {
        const int place =
            owner < 0 || owner >= liczbaPuzzli ? -1 : position[static_cast<size_t>(owner)];
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
