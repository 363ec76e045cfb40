#include "model/registers.h"

#include "model/format.h"
#include "model/types.h"

namespace yav {

namespace {
// Order fixes the numbers: number = (index + 1) * 16.
constexpr std::array<RegisterName, 9> kNames = {{
    {"a", REG_A, 1},
    {"x", REG_X, 1},
    {"h", REG_H, 1},
    {"cc", REG_CC, 1},
    {"hx", REG_HX, 2},
    {"sp", REG_SP, 2},
    {"pc", REG_PC, 3},
    {"ppc", REG_PPC, 1},
    {"ppage", REG_PPAGE, 1},
}};
constexpr bool numbers_follow_order() {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i].number != static_cast<int>(i + 1) * 16) return false;
  }
  return true;
}
static_assert(numbers_follow_order(), "register numbers must follow the name table");

constexpr const char* kWindowNames[] = {"a", "cc", "cc", "hx", "sp", "pc"};

bool in_page_window(uint32_t address) { return address >= 0x8000 && address <= 0xBFFF; }
}  // namespace

const std::array<RegisterName, 9>& registerNames() { return kNames; }

int registerByName(std::string_view name) {
  for (const RegisterName& r : kNames) {
    if (name == r.name) return r.number;
  }
  return 0;
}

int registerSize(std::string_view name) {
  for (const RegisterName& r : kNames) {
    if (name == r.name) return r.size;
  }
  return 0;
}

std::string registerList() {
  std::string s;
  for (const RegisterName& r : kNames) {
    s += r.name;
    s += '\0';
  }
  s += '\0';
  return s;
}

const char* registerWindowName(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kWindowNames))) return nullptr;
  return kWindowNames[index];
}

uint32_t pagedPc(const RegisterFile& r) {
  if (in_page_window(r.pc)) return (r.pc & 0x3FFFu) | static_cast<uint32_t>(r.ppage) << 14;
  return r.pc;
}

std::optional<uint32_t> readRegister(const RegisterFile& r, int number) {
  switch (number) {
    case REG_A: return r.a;
    case REG_X: return r.hx & 0xFFu;
    case REG_H: return r.hx >> 8;
    case REG_CC: return r.cc;
    case REG_HX: return r.hx;
    case REG_SP: return r.sp;
    case REG_PC: return r.pc;
    case REG_PPC: return pagedPc(r);
    case REG_PPAGE: return r.ppage;
  }
  return std::nullopt;
}

void writeRegister(RegisterFile& r, int number, uint32_t value) {
  switch (number) {
    case REG_A: r.a = static_cast<uint8_t>(value); break;
    case REG_X: r.hx = static_cast<uint16_t>((r.hx & 0xFF00u) | (value & 0xFFu)); break;
    case REG_H: r.hx = static_cast<uint16_t>((r.hx & 0xFFu) + (value << 8)); break;
    case REG_CC: r.cc = static_cast<uint8_t>(value | 0x60u); break;
    case REG_HX: r.hx = static_cast<uint16_t>(value); break;
    case REG_SP: r.sp = static_cast<uint16_t>(value); break;
    case REG_PC: r.pc = static_cast<uint16_t>(value & 0xFFFFu); break;
    case REG_PPC:
      if (value > 0xFFFF || in_page_window(value)) {
        r.ppage = static_cast<uint8_t>(value >> 14);
        r.pc = static_cast<uint16_t>((value & 0x3FFFu) + 0x8000u);
      } else {
        r.pc = static_cast<uint16_t>(value);
      }
      break;
    case REG_PPAGE: r.ppage = static_cast<uint8_t>(value); break;
    default: break;
  }
}

bool setRegister(RegisterFile& r, int number, uint32_t value, const std::function<bool(const RegisterFile&)>& send) {
  const RegisterFile before = r;
  writeRegister(r, number, value);
  if (send && !send(r)) {
    r = before;
    return false;
  }
  return true;
}

std::string flagsString(uint8_t cc) {
  if (!(cc & 0x80)) cc &= static_cast<uint8_t>(~0x20);
  static constexpr char kLetters[] = "VHINZC";
  std::string s;
  for (int i = 0; i < 6; ++i) s += (cc & (0x20 >> i)) ? kLetters[i] : '.';
  return s;
}

std::string registerDump(const RegisterFile& r) {
  return fmtstr("cc:%p a:%+02hi hx:%+04hi sp:%+04hi pc:%+05hi", flagsString(r.cc), r.a, r.hx, r.sp, pagedPc(r));
}

RegisterFile resetRegisters(uint16_t resetVector) {
  RegisterFile r;
  r.pc = resetVector;
  return r;
}

const char* argumentLocation(uint8_t typeCode) { return typeCode < 16 ? "reg. a" : "reg. x:a"; }

uint32_t returnValue(const RegisterFile& r) { return (static_cast<uint32_t>(r.hx & 0xFFu) << 8) | r.a; }

void setReturnValue(RegisterFile& r, uint8_t typeCode, uint32_t value) {
  r.a = static_cast<uint8_t>(value);
  if (typeCode >= 16 && typeCode != tc::CharEnum) writeRegister(r, REG_X, value >> 8);
}

int frameAdjustment(uint8_t memoryModel) { return memoryModel == 72 ? 4 : 0; }

int firstArgumentRegister(uint32_t type) { return type < 0x10 ? REG_A : REG_X; }

int argumentSizeClass(uint32_t type) {
  if (!isPlain(type)) return 64;
  switch (baseCode(type)) {
    case tc::ShortFract:
    case tc::ShortEnum: return 16;
    case tc::LongFract:
    case tc::LongEnum: return 32;
    case tc::CharEnum: return 8;
    case tc::IntEnum: return 24;
    default: return baseCode(type);
  }
}

uint32_t frameBaseAtEntry(uint16_t sp, const std::optional<RegisterArgument>& arg) {
  uint32_t base;
  if (!arg) base = sp + 1u;
  else if (argumentSizeClass(arg->type) < 16 && arg->offset == 0) base = sp;
  else base = sp - 1u;
  return base & 0x1FFFFu;
}

}  // namespace yav
