// S-record and Intel hex text from arbitrary bytes: the shared record reader as a whole image
// (yav-objconv, the simulator), line by line as verify reads it, and through the loader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/hex_records.h"
#include "model/loader.h"

namespace {
struct NullHost : yav::LoadHost {
  bool download(uint32_t, const uint8_t*, size_t, uint32_t, uint8_t) override { return true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  yav::hexrec::Image image;
  std::string error;
  if (!yav::hexrec::readImage(text, image, error) && error.empty()) __builtin_trap();

  yav::hexrec::LineReader reader;
  yav::hexrec::Record rec;
  for (std::string_view rest = text; !rest.empty();) {
    const size_t nl = rest.find('\n');
    if (!reader.read(rest.substr(0, nl), rec) && reader.error().rfind("line ", 0) != 0) __builtin_trap();
    rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
  }

  yav::MemorySource src(data, size);
  yav::Program prog;
  NullHost host;
  (void)yav::loadTextHex(prog, src, host, false);
  return 0;
}
