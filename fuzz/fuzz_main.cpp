// One fuzz target: the reader named by TW_FUZZ_TARGET at build time.
#include <cstdio>
#include <cstdlib>

#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tw::fuzz::Target* target = [] {
    const tw::fuzz::Target* t = tw::fuzz::FindTarget(TW_FUZZ_TARGET);
    if (!t) {
      std::fprintf(stderr, "no fuzz target named %s\n", TW_FUZZ_TARGET);
      std::abort();
    }
    return t;
  }();
  target->Run({data, size});
  return 0;
}
