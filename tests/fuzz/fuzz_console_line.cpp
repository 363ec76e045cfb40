// Feeds arbitrary text to what the console parses: a typed line up to the cursor (completion)
// and the history file kept between runs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "console/completion.h"
#include "console/history_file.h"
#include "engine/kernel.h"
#include "support/fake_ui_port.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  static yav::test::FakeUiPort ui;
  static yav::Kernel k(ui);
  const yav::Completion c = yav::complete(k, text);
  if (c.start > text.size()) __builtin_trap();
  for (const std::string& line : yav::parseHistory(text, 8)) {
    if (line.empty() || line.find('\n') != std::string::npos) __builtin_trap();
  }
  return 0;
}
