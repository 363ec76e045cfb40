// A session file's memory window records from arbitrary text: parsed or refused with a reason,
// and a parsed record written back reads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/memory_window_spec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto record = yav::parseSessionRecord(text, error);
  if (!record) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  std::string again;
  const auto back = yav::parseSessionRecord(yav::formatSessionRecord(*record), again);
  if (!back || back->rect != record->rect || back->spec.address != record->spec.address ||
      back->spec.layout != record->spec.layout || back->spec.kind != record->spec.kind)
    __builtin_trap();
  return 0;
}
