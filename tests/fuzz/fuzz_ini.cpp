// Feeds arbitrary settings-file text to the lookup and update of the settings module.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  using namespace yav::platform;
  (void)profileLookup(text, "OPTIONS", "YAVLINK");
  (void)profileLookup(text, "", "");
  // The index of a text answers as the lookup on the text does.
  const ProfileIndex index(text);
  for (const char* section : {"OPTIONS", "Windows", "", "a]b"}) {
    for (const char* key : {"YAVLINK", "Yav", "1", ""}) {
      if (index.lookup(section, key) != profileLookup(text, section, key)) __builtin_trap();
    }
  }
  std::string updated = profileUpdate(text, "TARGET", "CHIP", "QE128");
  auto back = profileLookup(updated, "target", "chip");
  if (!back || *back != "QE128") __builtin_trap();
  return 0;
}
