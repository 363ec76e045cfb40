// Code bytes of the target for the disassembler and the straight-line test. A byte that cannot
// be read shows as 0 (a branch opcode), so a test of the code answers "not straight" rather
// than step over code it cannot see.
#pragma once
#include <cstdint>

#include "model/disasm.h"
#include "model/target_memory.h"

namespace yav {

class TargetCodeReader : public CodeReader {
 public:
  explicit TargetCodeReader(TargetMemory* memory) : memory_(memory) {}
  uint8_t read_byte(uint32_t address) const override {
    uint8_t b = 0;
    return readable(address, b) ? b : 0;
  }
  bool readable(uint32_t address, uint8_t& b) const { return memory_ && memory_->readByte(0, address, b); }

 private:
  TargetMemory* memory_;
};

}  // namespace yav
