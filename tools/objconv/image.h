// The code image SDCC's linker wrote (S-records or Intel hex), as runs of consecutive bytes.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace objconv {

struct ImageRun {
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
};

// Parses S1/S2/S3 or Intel hex text; false with a message on malformed input.
bool parseImage(const std::string& text, std::vector<ImageRun>& runs, std::string& error);

}  // namespace objconv
