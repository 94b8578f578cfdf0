// Serial numbers of renderers.
#include "engine/renderer.h"

namespace orvela {

namespace {
uint64_t next_serial = 1;
}

Renderer::Renderer() : serial_(next_serial++) {}

}  // namespace orvela
