// Target memory with the read-ahead block the memory and disassembly windows fill before they
// paint: reads wholly inside the block (same address space) are served from it.
#pragma once
#include <cstdint>
#include <vector>

#include "model/target_memory.h"

namespace yav {

class ReadAheadMemory : public TargetMemory {
 public:
  static constexpr size_t kMaxBlock = 512;

  explicit ReadAheadMemory(TargetMemory* target = nullptr) : target_(target) {}
  void setTarget(TargetMemory* target) {
    target_ = target;
    filled_ = false;
  }

  // Reads up to 512 bytes from the target into the block; false (block left empty) on failure.
  bool fill(uint8_t space, uint32_t address, size_t length);
  void invalidate() { filled_ = false; }
  bool filled() const { return filled_; }

  bool read(uint8_t space, uint32_t address, std::span<uint8_t> out) override;
  bool readTarget(uint8_t space, uint32_t address, std::span<uint8_t> out) override;
  bool write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override;

 private:
  bool inside(uint8_t space, uint32_t address, size_t length) const;

  TargetMemory* target_;
  bool filled_ = false;
  uint8_t space_ = 0;
  uint32_t start_ = 0;
  std::vector<uint8_t> block_;
};

}  // namespace yav
