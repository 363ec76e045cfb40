// Fuzzes the conversions of the file channels: the input is a format, a NUL and the text of a
// channel file. Every conversion of the format is read from the text as `fread` does and
// written back as `fwrite` does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/channel_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const size_t nul = all.find('\0');
  const std::string_view format = all.substr(0, nul);
  const std::string_view text = nul == std::string_view::npos ? std::string_view() : all.substr(nul + 1);
  yav::TextScanInput in(text);
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      yav::scanLiteral(in, format[i]);
      continue;
    }
    yav::Conversion c;
    if (!yav::parseConversion(format, i, c)) continue;
    yav::ScannedValue v;
    if (yav::scanConversion(in, c, v)) {
      if (c.isText()) yav::formatText(c, v.text);
      else if (c.isFloating()) yav::formatFloating(c, v.real);
      else yav::formatInteger(c, v.integer);
    }
    i = c.end - 1;
  }
  return 0;
}
