// Test support for the SDL backend's tests: SDL's own settings set for one test, the leak
// check looking away from the graphics drivers SDL loads, and whether a GL driver is loaded.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define ORVELA_LEAK_CHECKS 1
#endif
#endif

#include <stdlib.h>

#include <fstream>
#include <optional>
#include <string>

namespace orvela::testing {

// Sets (or, with no value, unsets) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The system's graphics drivers that SDL loads keep a few allocations to the end of the
// program; they are not ours to free, so the leak check looks away while SDL holds a display.
class DriverAllocations {
 public:
  DriverAllocations() {
#ifdef ORVELA_LEAK_CHECKS
    __lsan_disable();
#endif
  }
  ~DriverAllocations() {
#ifdef ORVELA_LEAK_CHECKS
    __lsan_enable();
#endif
  }
  DriverAllocations(const DriverAllocations&) = delete;
  DriverAllocations& operator=(const DriverAllocations&) = delete;
};

// Whether a GL driver is mapped into this process.
inline bool GlDriverLoaded() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find("_dri.so") != std::string::npos || line.find("libGLX") != std::string::npos ||
        line.find("libEGL") != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace orvela::testing
