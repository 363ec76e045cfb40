// yav-objconv's readers (.cdb, .map, image, C source scan) from arbitrary text. The input is
// split at the first two NUL bytes into the .cdb, the .map and the image; the rest is the source.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "objconv/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string all(reinterpret_cast<const char*>(data), size);
  std::string parts[4];
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t nul = all.find('\0', start);
    if (nul == std::string::npos) {
      parts[i] = all.substr(start);
      start = all.size();
      break;
    }
    parts[i] = all.substr(start, nul - start);
    start = nul + 1;
  }
  if (start < all.size()) parts[3] = all.substr(start);
  objconv::ConvertInput in;
  in.cdb = parts[0];
  in.map = parts[1];
  in.image = parts[2];
  const std::string source = parts[3];
  in.readSource = [&](const std::string&) -> std::optional<std::string> { return source; };
  (void)objconv::convert(in);
  return 0;
}
