// The libFuzzer entry of one target; SORVELIN_FUZZ_TARGET names it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/fuzz_targets.h"

namespace {
const TFuzzTarget* gTarget = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  gTarget = FindFuzzTarget(SORVELIN_FUZZ_TARGET);
  if (gTarget == nullptr) {
    std::fprintf(stderr, "no fuzz target named %s\n", SORVELIN_FUZZ_TARGET);
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  gTarget->run(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
