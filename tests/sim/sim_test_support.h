// Helpers for simulator tests: a CPU on a chip with code placed at an address.
#pragma once
#include <initializer_list>
#include <memory>

#include "sim/cpu.h"
#include "sim/memory_map.h"

namespace yav::sim::test {

struct Machine {
  std::unique_ptr<MemoryMap> mem;
  Cpu cpu;
  // Plain RAM unless a chip is named.
  explicit Machine(const char* chip = nullptr) : mem(chip ? make_chip(chip) : make_plain_ram()), cpu(*mem) {}
  void load(uint32_t at, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) mem->program(at++, b);
  }
  // Code at `at` with the reset vector pointing to it, then reset.
  void boot(uint16_t at, std::initializer_list<uint8_t> code) {
    load(at, code);
    load(0xFFFE, {static_cast<uint8_t>(at >> 8), static_cast<uint8_t>(at)});
    cpu.reset();
  }
};

}  // namespace yav::sim::test
