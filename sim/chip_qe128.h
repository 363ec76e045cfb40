// The MC9S08QE128 memory map: 128 KiB of flash in eight 16 KiB pages, PPAGE at 0x78 paging
// 0x8000-0xBFFF, and the linear address registers 0x79-0x7F.
#pragma once
#include <memory>

#include "sim/memory_map.h"

namespace yav::sim {

// Register addresses of the paging unit.
inline constexpr uint16_t kPpage = 0x78;
inline constexpr uint16_t kLap2 = 0x79, kLap1 = 0x7A, kLap0 = 0x7B;
inline constexpr uint16_t kLwp = 0x7C, kLbp = 0x7D, kLb = 0x7E, kLapab = 0x7F;

std::unique_ptr<MemoryMap> make_qe128();

}  // namespace yav::sim
