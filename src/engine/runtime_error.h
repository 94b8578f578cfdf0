// Runtime errors: how a reader stops on a broken or missing file.
//
// Raise one with RaiseRuntimeError(message) (or throw RuntimeError(message)); a caller that
// can go on catches `const RuntimeError&` and reads what(). One that nobody catches reaches
// RunGuarded, which every program entry point wraps its body in: it writes the message to
// standard error, flushes it, and ends the program with exit status -1 (255 to the shell).
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "engine/text/utf8.h"

namespace orvela {

// The message keeps its control characters written out (see VisibleText): what() is a C
// string, and a zero byte quoted from a broken file would cut the rest of it off.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& message) : std::runtime_error(VisibleText(message)) {}
};

[[noreturn]] void RaiseRuntimeError(const std::string& message);

// Runs the body; returns its result, or -1 after reporting an uncaught RuntimeError.
int RunGuarded(const std::function<int()>& body);

}  // namespace orvela
