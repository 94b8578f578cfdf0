// The game's entry point: starts on the SDL platform from the program's own folder.
#include "demos/engine_demo.h"
#include "engine/engine.h"
#include "engine/files.h"
#include "engine/sdl_platform.h"

int main(int, char**) {
  using namespace orvela;
  ChangeToProgramFolder();
  EngineScope engine(std::make_unique<SdlPlatform>());
  AppTitle("Orvela Puzzle Game");
  if (!OpenGraphics(800, 600, 0, 60, 0)) return 1;
  try {
    RunEngineDemo();
  } catch (const QuitRequested&) {
  }
  return 0;
}
