// GameStatics.
#include "play/game_statics.h"

#include "construction/piece.h"
#include "play/spark.h"
#include "play/waiting_clock.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela {

void GameStatics::Reset() {
  SetGlobalMouse(nullptr);
  SetFrameFactor(1);
  SetPieceHost(nullptr);
  SetSparkEmitter(nullptr);
  TSpark::destroyAll();
  TSpark::Images().fill(nullptr);
  TZegar::Frames().fill(nullptr);
}

}  // namespace orvela
