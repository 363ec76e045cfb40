// Feeds arbitrary text to the data-refresh period check of the "DATAFREQUENCY" dialog: it
// either gives a period above 0 or refuses the text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/variable_window_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const std::optional<uint32_t> period = yav::parseRefreshPeriod(text); period && *period == 0) std::abort();
  return 0;
}
