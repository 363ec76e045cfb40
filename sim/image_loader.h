// Reading code images: Motorola S-records (S1/S2/S3) and Intel hex, through the shared
// record reader.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yav::sim {

struct ImageBlock {
  uint32_t address = 0;  // 16-bit CPU address, or a paged address page << 14 | offset
  std::vector<uint8_t> bytes;
};

struct ImageLoad {
  bool ok = false;
  std::string error;  // "line N: ..." when !ok
  std::vector<ImageBlock> blocks;
};

// Parses S-records or Intel hex (chosen by the first record). A 24/32-bit address
// page << 16 | address with the address in the banked window 0x8000-0xBFFF becomes the
// paged address page << 14 | (address & 0x3FFF).
ImageLoad parse_image(std::string_view text);
ImageLoad load_image_file(const std::string& path);

}  // namespace yav::sim
