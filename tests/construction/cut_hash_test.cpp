// The whole construction of every picture set, for a few fixed random seeds, reduced to one
// hash: the shape grid's segments, both masks, every piece's image, places and edge pixels, its
// neighbour records, and the shuffled order. The expected values were taken from the cut as it
// stood before it was made faster, so any change to what the cut makes, however small, shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/image/image.h"
#include "engine/random.h"
#include "support/headless.h"

namespace orvela {
namespace {

// 64-bit FNV-1a over the values fed to it.
class Hash {
 public:
  void Add(uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      state_ ^= (value >> (8 * i)) & 0xFF;
      state_ *= 0x100000001B3ull;
    }
  }
  void Add(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Add(static_cast<uint64_t>(bits));
  }
  void Add(int value) { Add(static_cast<uint64_t>(static_cast<uint32_t>(value))); }
  void Add(const TPixmap& pixmap) {
    Add(pixmap.width), Add(pixmap.height);
    for (int y = 0; y < pixmap.height; ++y)
      for (int x = 0; x < pixmap.width; ++x) Add(static_cast<uint64_t>(pixmap.ReadPixel(x, y)));
  }
  uint64_t value() const { return state_; }

 private:
  uint64_t state_ = 0xCBF29CE484222325ull;
};

// The four sets of the game (picture, rows, columns, cut style), written out here so that the
// expected values stay tied to these exact inputs.
struct SetCase {
  const char* url;
  int rows, cols, style;
};
constexpr SetCase kSets[] = {
    {"gfx/puzzle/obr1.jpg", 3, 4, CUT_ARC},
    {"gfx/puzzle/obr4.jpg", 6, 8, CUT_CLASSIC},
    {"gfx/puzzle/obr3.jpg", 5, 6, CUT_ZIGZAG},
    {"gfx/puzzle/obr2.jpg", 8, 10, CUT_BUMP},
};

uint64_t CutHash(const SetCase& set, int seed) {
  SeedRandom(seed);
  const PixmapRef picture = LoadPixmapFile(set.url);
  EXPECT_TRUE(picture);
  if (!picture) return 0;
  Hash hash;
  TKreatorKlockow grid;
  grid.KSZTALT = set.style;
  grid.createGrid(static_cast<float>(set.cols), static_cast<float>(set.rows),
                  static_cast<float>(picture->width), static_cast<float>(picture->height), 0, 0);
  for (const TShape& shape : grid.shapes) {
    hash.Add(static_cast<int>(shape.listaLini.size()));
    for (const Tline& l : shape.listaLini)
      hash.Add(l.x1), hash.Add(l.y1), hash.Add(l.x2), hash.Add(l.y2);
  }
  const PixmapRef a = grid.drawOn(picture->width, picture->height);
  const PixmapRef b = grid.drawOn(picture->width, picture->height);
  hash.Add(*a), hash.Add(*b);
  TRozcinacz cutter;
  EXPECT_TRUE(cutter.setup(picture, a, b));
  hash.Add(cutter.potnij(picture->width, picture->height, 0, grid._skokX, grid._skokY));
  for (const Ref<TPuzel>& piece : cutter.listaPomocnicza) {
    hash.Add(piece->id), hash.Add(piece->x), hash.Add(piece->y);
    hash.Add(piece->xD), hash.Add(piece->yD), hash.Add(piece->_adX), hash.Add(piece->_adY);
    hash.Add(piece->img->width), hash.Add(piece->img->height), hash.Add(piece->img->flags);
    hash.Add(static_cast<int>(piece->img->pixmaps.size()));
    for (const PixmapRef& pixmap : piece->img->pixmaps) hash.Add(*pixmap);
    hash.Add(static_cast<int>(piece->_krawedzie.size()));
    for (const TWsp& p : piece->_krawedzie) hash.Add(p.x), hash.Add(p.y), hash.Add(p.v);
    hash.Add(piece->_sasiedzi.Count());
    for (const Ref<TSasiad>& record : piece->_sasiedzi) {
      hash.Add(record->puzel.lock()->id), hash.Add(record->r), hash.Add(record->odx);
      hash.Add(record->ody), hash.Add(record->sigX), hash.Add(record->sigy);
      hash.Add(record->spasowany);
    }
  }
  for (const Ref<TPuzel>& piece : cutter.listaObrazkow) hash.Add(piece->id);
  hash.Add(RandomSeed());  // the cut drew exactly as many numbers as before
  return hash.value();
}

using CutHashTest = testing::HeadlessTest;

TEST_F(CutHashTest, EverySetCutsExactlyAsBeforeForFixedSeeds) {
  struct Want {
    int set, seed;
    uint64_t hash;
  };
  const Want want[] = {
      {0, 1, 0x41332a9eb2792928ull},        {0, 77, 0x2fe4aa768bf9c187ull},
      {0, 20261209, 0xc7a9fd63dca75c5cull}, {1, 1, 0x68cdbf2e18017ab4ull},
      {1, 77, 0x2469441b621065f2ull},       {1, 20261209, 0xeafac706e7e7fa86ull},
      {2, 1, 0xd2fbd34a0ba4ed96ull},        {2, 77, 0xe9a789ec4ab1e856ull},
      {2, 20261209, 0x5e0939e965674514ull}, {3, 1, 0xcb086bdbfb3e03c6ull},
      {3, 77, 0x4936204bca50264bull},       {3, 20261209, 0x44aa870edb9091cull},
  };
  for (const Want& w : want) {
    const uint64_t got = CutHash(kSets[w.set], w.seed);
    EXPECT_EQ(got, w.hash) << kSets[w.set].url << " seed " << w.seed << ": 0x" << std::hex << got;
  }
}

}  // namespace
}  // namespace orvela
