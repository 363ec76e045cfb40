// Registers and memory of the target through the current chip library.
#pragma once
#include <cstdint>
#include <cstring>

#include "engine/kernel.h"
#include "model/target_memory.h"

namespace yav::target {

// The CPU register image exchanged with getregs/putregs: A, X, H, PPAGE, CC, a reserved byte,
// then SP and PC as 16-bit words in host byte order.
struct RegisterBlock {
  uint8_t bytes[10] = {};

  uint8_t a() const { return bytes[0]; }
  uint8_t x() const { return bytes[1]; }
  uint8_t h() const { return bytes[2]; }
  uint8_t ppage() const { return bytes[3]; }
  uint8_t cc() const { return bytes[4]; }
  uint16_t sp() const { return word(6); }
  uint16_t pc() const { return word(8); }
  void setSp(uint16_t v) { std::memcpy(bytes + 6, &v, 2); }
  void setPc(uint16_t v) { std::memcpy(bytes + 8, &v, 2); }

 private:
  uint16_t word(int at) const {
    uint16_t v;
    std::memcpy(&v, bytes + at, 2);
    return v;
  }
};
static_assert(sizeof(RegisterBlock) == 10);

// Bit 31 of an address passed to emget, emset and emload: a direct, unpaged access.
inline constexpr uint32_t kDirectAccess = 0x80000000u;

// The address flag rules, as pure functions of the address-space selector.
uint32_t readAddress(uint32_t address, int memorySpace);   // selector 1 and address < 0x4000
uint32_t writeAddress(uint32_t address, int memorySpace);  // selector 2
uint32_t loadAddress(uint32_t address, uint32_t secondAddress);  // < 0x4000, second nonzero and different

// True when a chip library is current and the target is connected; otherwise reports
// "No target connected" and returns false.
bool targetReady(Kernel& k);

// The link check made before every register read: status 0xFF asks "BDM connection lost"
// and, on Yes, has the user cycle power. Returns false only when the user says No.
bool linkCheck(Kernel& k);

// Register read (after the link check) and write; false when no target answers or the chip
// library reports a failure.
bool readRegisters(Kernel& k, RegisterBlock& regs);
bool writeRegisters(Kernel& k, const RegisterBlock& regs);

// Memory through emget/emset with the address flag of the current selector. A read covering
// 0x7C or 0x7D leaves the linear address registers 0x79-0x7B as they were.
bool readMemory(Kernel& k, uint32_t address, uint8_t* buffer, int length);
bool writeMemory(Kernel& k, uint32_t address, const uint8_t* buffer, int length);
// Download of one block (inside eminitload/emendload).
bool loadMemory(Kernel& k, uint32_t address, uint32_t secondAddress, const uint8_t* buffer, int length);

// The program model's view of target memory; `space` is the address-space selector.
class ChipMemory : public TargetMemory {
 public:
  explicit ChipMemory(Kernel& k) : k_(k) {}
  bool read(uint8_t space, uint32_t address, std::span<uint8_t> out) override;
  bool write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override;

 private:
  Kernel& k_;
};

}  // namespace yav::target
