// The code image SDCC's linker wrote (S-records or Intel hex), as runs of consecutive bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace objconv {

struct ImageRun {
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
};

// Parses S1/S2/S3 or Intel hex text (paged addresses page << 16 | address become
// page << 14 | (address & 0x3FFF)); false with a message ("image line N: ...") on bad input.
bool parseImage(const std::string& text, std::vector<ImageRun>& runs, std::string& error);

}  // namespace objconv
