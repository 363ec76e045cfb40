// The kernel's copy of the HCS08 registers, the only register model of the debugger, and the
// processor's calling-convention rules that the frame code needs.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace yav {

inline constexpr const char* kProcessorName = "HCS08";

// Register numbers: (index in the name table + 1) * 16.
enum RegisterNumber : int {
  REG_A = 16,
  REG_X = 32,
  REG_H = 48,
  REG_CC = 64,
  REG_HX = 80,
  REG_SP = 96,
  REG_PC = 112,
  REG_PPC = 128,
  REG_PPAGE = 144,
};

struct RegisterFile {
  uint8_t a = 0;
  uint8_t cc = 0x68;
  uint16_t hx = 0;
  uint16_t sp = 0x00FF;
  uint16_t pc = 0;
  uint8_t ppage = 0;
  bool operator==(const RegisterFile&) const = default;
};

// One row of the register name table.
struct RegisterName {
  const char* name;
  int number;
  int size;  // bytes, as reported to extensions
};
const std::array<RegisterName, 9>& registerNames();

// Register number of a name (exact comparison), 0 when it is not a register.
int registerByName(std::string_view name);
// Size in bytes of a named register, 0 when unknown.
int registerSize(std::string_view name);
// The nine names, each zero-terminated, ending with an empty name.
std::string registerList();
// Names of the register window's six fields ("a", "cc", "cc", "hx", "sp", "pc"); null past them.
const char* registerWindowName(int index);

// Value of register `number`; nullopt for a number that is not a register (message 16).
std::optional<uint32_t> readRegister(const RegisterFile& r, int number);
// Writes the copy only; numbers outside 16..144 are ignored.
void writeRegister(RegisterFile& r, int number, uint32_t value);

// Paged program counter: (PC & 0x3FFF) | PPAGE << 14 inside the page window 0x8000-0xBFFF.
uint32_t pagedPc(const RegisterFile& r);

// Writes the copy and sends the whole file to the target; when `send` refuses, the previous
// value is restored and false returned.
bool setRegister(RegisterFile& r, int number, uint32_t value, const std::function<bool(const RegisterFile&)>& send);

// "VHINZC" with '.' for clear bits; V (bit 7) is shown in place of the always-set bit 5.
std::string flagsString(uint8_t cc);
// "cc:<flags> a:XX hx:XXXX sp:XXXX pc:XXXXX".
std::string registerDump(const RegisterFile& r);

// Registers after a reset: PC from the reset vector, SP 0xFF, interrupts masked.
RegisterFile resetRegisters(uint16_t resetVector);

// Calling convention.
// Where a first argument or a return value of this base type code lives.
const char* argumentLocation(uint8_t typeCode);
uint32_t returnValue(const RegisterFile& r);
void setReturnValue(RegisterFile& r, uint8_t typeCode, uint32_t value);
// Added to the offsets of arguments and register variables for the memory model byte.
int frameAdjustment(uint8_t memoryModel);
// Where a first argument passed in a register lives before it is saved: A for a plain char
// type, the X:A pair for anything wider (pointers included).
int firstArgumentRegister(uint32_t type);

// The first argument passed in a register, as the frame base rule needs it.
struct RegisterArgument {
  uint32_t type = 0;   // full type word
  int32_t offset = 0;  // frame offset
};
// Size class of a register argument used by the frame base rule.
int argumentSizeClass(uint32_t type);
// Frame base of a frame created at a function's entry (within 17 bits).
uint32_t frameBaseAtEntry(uint16_t sp, const std::optional<RegisterArgument>& firstRegisterArgument);

}  // namespace yav
