// The RAM of each chip, which yav-objconv checks the start-up stack against: the chips'
// memory maps from their reference manuals.
#include <gtest/gtest.h>

#include "sim/memory_map.h"

namespace {

struct RamCase {
  const char* chip;
  uint16_t address;
  bool ram;
};

TEST(ChipRam, StackPlacesAreRamOnlyWhereTheChipHasRam) {
  const RamCase cases[] = {
      {"QE128", 0x007F, false},  // direct-page registers
      {"QE128", 0x0080, true},   {"QE128", 0x17FF, true},
      {"QE128", 0x1800, false},  // high-page registers
      {"QE128", 0x187F, false},  {"QE128", 0x1880, true},  {"QE128", 0x207F, true},
      {"QE128", 0x2080, false},  // flash
      {"QE128", 0x7FFF, false},  // SDCC's default stack top
      {"QE128", 0x8000, false},  // the paging window shows flash
      {"QG8", 0x005F, false},    {"QG8", 0x0060, true},    {"QG8", 0x025F, true},
      {"QG8", 0x0260, false},    {"QG8", 0x17FF, false},
      {"GENERIC", 0x0000, true}, {"GENERIC", 0x7FFF, true}, {"GENERIC", 0xFFFF, true},
  };
  for (const RamCase& c : cases) {
    const auto chip = yav::sim::make_chip(c.chip);
    ASSERT_TRUE(chip) << c.chip;
    EXPECT_EQ(chip->is_ram(c.address), c.ram) << c.chip << " 0x" << std::hex << c.address;
  }
}

}  // namespace
