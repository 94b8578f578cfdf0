// Runtime errors.
#include "engine/runtime_error.h"

#include <cstdio>

namespace orvela {

void RaiseRuntimeError(const std::string& message) {
  throw RuntimeError(message);
}

int RunGuarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (const RuntimeError& error) {
    std::fflush(stdout);
    std::fputs(error.what(), stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
    return -1;
  }
}

}  // namespace orvela
