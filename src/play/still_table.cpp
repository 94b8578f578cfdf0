// TPuzzelGame: the still table. The table's background, the ghost picture and the resting
// entries at the bottom of the play list are drawn once into a still layer and copied to the
// screen each frame; only what lies above them is drawn anew. The layer is drawn again
// whenever the signature of what it shows changes: the signature is taken every frame from
// the play list itself (its entries, their order, every member's place and look), so no
// change to the table can leave a stale picture behind, whoever makes it.
#include <bit>

#include "engine/engine.h"
#include "play/play_screen.h"
#include "play/selection.h"

namespace orvela {

namespace {

uint64_t FloatBits(float value) {
  return std::bit_cast<uint32_t>(value);
}

// A piece's look at rest: where it lies, its picture and its tint.
uint64_t PieceSignature(uint64_t signature, const TPuzel& piece) {
  signature = MixSignature(signature, reinterpret_cast<uintptr_t>(&piece));
  signature = MixSignature(signature, reinterpret_cast<uintptr_t>(piece.img.get()));
  signature = MixSignature(signature, FloatBits(piece.x) << 32 | FloatBits(piece.y));
  return MixSignature(signature,
                      static_cast<uint64_t>(piece._over) << 32 | static_cast<uint32_t>(piece.colr));
}

}  // namespace

bool TPuzzelGame::restsStill(const TObject& entry) const {
  if (puzel.get() == &entry) return false;
  if (const auto* selection = dynamic_cast<const TZaznaczenie*>(puzel.get())) {
    for (const Ref<TObject>& chosen : selection->listaZaznaczonych) {
      if (chosen.get() == &entry) return false;
    }
  }
  const int blend = GetBlend();
  auto piece_rests = [&](const TPuzel& piece) {
    // A visible or rising shadow, a blinking hint mark or a reach into the bar's band.
    if (DrawsAnything(piece._shadowAlpha, blend) || piece._dShadowAlpha != 0) return false;
    if (piece._oznaczony) return false;
    // The bar is drawn over the background and under the pieces: an entry reaching into its
    // band must be drawn after it, so it cannot rest in the layer.
    const float height = piece.img ? static_cast<float>(piece.img->height) * _scale : 0.0f;
    return piece.y >= kBarBottom || piece.y + height <= 0;
  };
  if (const auto* piece = dynamic_cast<const TPuzel*>(&entry)) return piece_rests(*piece);
  if (const auto* group = dynamic_cast<const TSpasowanePuzle*>(&entry)) {
    for (const Ref<TPuzel>& member : group->listaSpasowanych) {
      // A group's members cast no shadow while it rests; only their marks and places count.
      if (member->_oznaczony) return false;
      const float height = member->img ? static_cast<float>(member->img->height) * _scale : 0.0f;
      if (member->y < kBarBottom && member->y + height > 0) return false;
    }
    return true;
  }
  return false;
}

int TPuzzelGame::drawStillTable() {
  int still = 0;
  uint64_t signature = kEmptySignature;
  signature = MixSignature(signature, reinterpret_cast<uintptr_t>(belka.get()));
  signature = MixSignature(signature, reinterpret_cast<uintptr_t>(obr.get()));
  signature = MixSignature(signature, static_cast<uint64_t>(_ghost) << 32 | FloatBits(_scale));
  if (_stan != "AUTO") {
    for (const Ref<TObject>& entry : listaPuzzli) {
      if (!restsStill(*entry)) break;
      if (const auto* piece = dynamic_cast<const TPuzel*>(entry.get())) {
        signature = PieceSignature(signature, *piece);
      } else if (const auto* group = dynamic_cast<const TSpasowanePuzle*>(entry.get())) {
        signature = MixSignature(signature, reinterpret_cast<uintptr_t>(group));
        for (const Ref<TPuzel>& member : group->listaSpasowanych) {
          signature = PieceSignature(signature, *member);
        }
      }
      ++still;
    }
  }
  signature = MixSignature(signature, static_cast<uint64_t>(still));

  auto draw_table = [&] {
    DrawImageFrame(belka, 0, 0, 0);
    if (_ghost == 1) drawGhost();
  };
  if (!stillTable_.Holds(signature)) {
    if (!stillTable_.Begin()) {
      draw_table();  // no offscreen drawing here: the whole table is drawn every frame
      return 0;
    }
    draw_table();
    drawPuzzels(0, still);
    stillTable_.End(signature);
  }
  stillTable_.Show();
  // The drawing state the layer's own drawing left: white at full alpha, and the scale of
  // the last thing drawn (a piece: 1; else the ghost picture's).
  SetColor(255, 255, 255);
  SetAlpha(1);
  if (still > 0) {
    SetDrawScale(1, 1);
  } else if (_ghost == 1 && obr) {
    SetDrawScale(_scale, _scale);
  }
  return still;
}

}  // namespace orvela
