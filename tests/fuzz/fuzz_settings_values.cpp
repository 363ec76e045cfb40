// Feeds arbitrary text to the readers of settings values: colours, window edges, fonts and
// key-binding rows; whatever a reader accepts must come back unchanged when written and read
// again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/font_spec.h"
#include "ui/key_bindings.h"
#include "ui/settings_values.h"
#include "ui/window_rects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using namespace yav;
  if (const auto c = colourFromValue(text)) {
    if (*c > 0xFFFFFF || colourFromValue(colourValueText(*c, "Color")) != c) __builtin_trap();
  }
  if (const auto e = edgeFromValue(text)) {
    if (edgeFromValue(edgeValueText(*e, "Left side of Main Window")) != e) __builtin_trap();
    (void)framePlacement({*e, *e / 2, 0, *e}, 1280, 800, false);
  }
  if (const auto f = fontFromValue(text)) {
    if (fontFromValue(fontValueText(*f)) != f) __builtin_trap();
  }
  if (const auto row = bindingRowFromValue(text)) {
    if (bindingRowFromValue(bindingRowText(*row)) != row) __builtin_trap();
  }
  (void)leadingNumber(text, 0);
  return 0;
}
