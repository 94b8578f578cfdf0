// Fuzzes the TSC reader: any text either loads or stops with a RuntimeError. A loaded file
// whose grouped values are all numbers or strings must save to a text that loads again and
// gives back every one of those keys with the same values and types.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/runtime_error.h"
#include "formats/tsc_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orvela::TTSCFile file;
  try {
    file.LoadFromText(text);
  } catch (const orvela::RuntimeError&) {
    return 0;
  }
  for (const auto& key : file.KeyList) {
    if (key->Path.empty()) continue;  // not written
    for (int32_t i = 0; i < key->ValueCount; ++i) {
      // Define values and gaps are written bare and need not read back.
      if (key->ValuesType[static_cast<size_t>(i)] == orvela::TSC_VALUE_PLAIN) return 0;
    }
  }
  orvela::TTSCFile again;
  again.LoadFromText(file.SaveToText());  // an error here escapes and is reported
  for (const auto& key : file.KeyList) {
    if (key->Path.empty()) continue;
    const auto original = file.ResolveKey(key->Path, key->Name);
    const auto copy = again.ResolveKey(key->Path, key->Name);
    if (!copy || copy->ValueCount != original->ValueCount) std::abort();
    for (size_t i = 0; i < static_cast<size_t>(original->ValueCount); ++i) {
      if (copy->Values[i] != original->Values[i]) std::abort();
      if (copy->ValuesType[i] != original->ValuesType[i]) std::abort();
    }
  }
  return 0;
}
