// S-record and Intel hex text from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "model/loader.h"

namespace {
struct NullHost : yav::LoadHost {
  bool download(uint32_t, const uint8_t*, size_t, uint32_t, uint8_t) override { return true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  yav::MemorySource src(data, size);
  NullHost host;
  (void)yav::loadTextHex(src, host, false);
  return 0;
}
