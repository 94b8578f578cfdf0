// tsc-dump FILE: lists what the TSC reader makes of a file, to check and debug saved files.
// Prints every group with its full path, then every key with its path, its name and each
// value with its type; or the reader's exact error message, and ends with status 1.
#include <cstdio>
#include <string>

#include "dump/quote.h"
#include "engine/runtime_error.h"
#include "formats/tsc_file.h"

namespace {

const char* TypeName(int32_t type) {
  switch (type) {
    case orvela::TSC_VALUE_NUMBER:
      return "number";
    case orvela::TSC_VALUE_STRING:
      return "string";
    default:
      return "plain";
  }
}

}  // namespace

int main(int argc, char** argv) {
  using orvela::dump::Quote;
  if (argc != 2) {
    std::fprintf(stderr, "usage: tsc-dump FILE\n");
    return 2;
  }
  orvela::TTSCFile file;
  try {
    file.Load(argv[1]);
  } catch (const orvela::RuntimeError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  for (const auto& group : file.GroupList) {
    std::printf("group %s\n", Quote(group->FullPath()).c_str());
  }
  for (const auto& key : file.KeyList) {
    std::printf("key %s %s\n", Quote(key->Path).c_str(), Quote(key->Name).c_str());
    for (int32_t i = 0; i < key->ValueCount && i < orvela::kTSCMaxValues; ++i) {
      const auto index = static_cast<size_t>(i);
      std::printf("  %d %s %s\n", i, TypeName(key->ValuesType[index]),
                  Quote(key->Values[index]).c_str());
    }
  }
  return 0;
}
