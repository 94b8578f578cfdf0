// GameStatics: the one owner of the game-level state that lives outside any object. Made, it
// starts that state as a fresh program has it; gone, it leaves it so again. The game context
// holds one (made before, and gone after, every other object of the game); a test or tool that
// runs part of the game without the whole context makes one instead of resetting by hand.
//
// What it resets: the global mouse, the frame factor (1), the pieces' host and spark emitter,
// the spark list and the particle images, and the waiting clock's frames. The frame-time
// meters' list and the running-screen chain need no reset: their entries are scoped objects
// (a TDeltaTime, a RunningScreen) that take themselves off when they go.
#pragma once

namespace orvela {

class GameStatics {
 public:
  GameStatics() { Reset(); }
  ~GameStatics() { Reset(); }
  GameStatics(const GameStatics&) = delete;
  GameStatics& operator=(const GameStatics&) = delete;

 private:
  static void Reset();
};

}  // namespace orvela
