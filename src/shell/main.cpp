// The game's entry point: the SDL platform, then the game; an uncaught reader error ends the
// program with its message and status -1.
#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/runtime_error.h"
#include "shell/startup.h"

int main(int, char**) {
  using namespace orvela;
  return RunGuarded([] {
    EngineScope engine(std::make_unique<SdlPlatform>());
    try {
      return RunGame();
    } catch (const QuitRequested&) {
      return 0;  // the player closed the window
    }
  });
}
