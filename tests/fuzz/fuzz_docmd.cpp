// Fuzzes the command entry point with arbitrary command lines, internal words enabled.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/dispatcher.h"
#include "support/fake_ui_port.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  yav::test::FakeUiPort ui;
  yav::Kernel k(ui);
  k.disp.internals = size > 0 && (data[0] & 1);
  std::string text(reinterpret_cast<const char*>(data), size);
  // Lines that would touch the file system are left out: the target is the parser.
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  for (const char* word : {"record", "input", "quit"}) {
    if (lower.find(word) != std::string::npos) return 0;
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t nl = text.find('\n', start);
    std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    yav::runCommandLine(k, line.c_str(), 1);
    yav::docmd(k, line.c_str(), 0);
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return 0;
}
