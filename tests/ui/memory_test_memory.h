// Target memory for the memory window tests: readable bytes, writes that the target keeps,
// ignores (read-only) or refuses, and the length of every read.
#pragma once
#include <vector>

#include "support/fake_target_memory.h"

namespace yav::test {

class MemoryWindowMemory : public FakeTargetMemory {
 public:
  // Readable bytes `first(a)` over [from, to).
  template <typename F>
  void fillWith(uint32_t from, uint32_t to, F value) {
    for (uint32_t a = from; a < to; ++a) put(a, {static_cast<uint8_t>(value(a))});
  }
  bool read(uint8_t space, uint32_t address, std::span<uint8_t> out) override {
    readLengths.push_back(out.size());
    return FakeTargetMemory::read(space, address, out);
  }
  bool write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override {
    for (size_t i = 0; i < bytes.size(); ++i)
      if (address + i >= refusedFrom && address + i < refusedTo) return false;
    writes.push_back(address);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const uint32_t a = address + static_cast<uint32_t>(i);
      if (a < readOnlyFrom || a >= readOnlyTo) put(a, {bytes[i]}, space);
    }
    return true;
  }
  uint8_t at(uint32_t address) {
    uint8_t b = 0;
    FakeTargetMemory::read(0, address, std::span<uint8_t>(&b, 1));
    return b;
  }

  std::vector<size_t> readLengths;
  std::vector<uint32_t> writes;
  uint32_t readOnlyFrom = 0, readOnlyTo = 0;
  uint32_t refusedFrom = 0, refusedTo = 0;
};

}  // namespace yav::test
