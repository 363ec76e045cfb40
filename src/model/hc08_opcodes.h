// The HC08/HCS08 opcode table: one row per instruction form of both opcode pages.
// The disassembler, instruction lengths, InstrInformation, the straight-line test and the
// simulator's decoder all read this one table.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace yav::hc08 {

// Mnemonic indices, in the order of the mnemonic name table (entry 0 is the unknown opcode).
enum class Mn : uint8_t {
  unknown, adc, add, ais, aix, and_, asl, asla, aslx, asr, asra, asrx, bcc, bclr, bcs, beq, bge,
  bgnd, bgt, bhcc, bhcs, bhi, bhs, bih, bil, bit, ble, blo, bls, blt, bmc, bmi, bms, bne, bpl,
  bra, brclr, brn, brset, bset, bsr, call, cbeq, cbeqa, cbeqx, clc, cli, clr, clra, clrh, clrx,
  cmp, com, coma, comx, cphx, cpx, daa, dbnz, dbnza, dbnzx, dec, deca, decx, div, eor, inc,
  inca, incx, jmp, jsr, lda, ldhx, ldx, lsl, lsla, lslx, lsr, lsra, lsrx, mov, mul, neg, nega,
  negx, nop, nsa, ora, psha, pshh, pshx, pula, pulh, pulx, rol, rola, rolx, ror, rora, rorx,
  rsp, rtc, rti, rts, sbc, sec, sei, sta, sthx, stop, stx, sub, swi, tap, tax, tpa, tst, tsta,
  tstx, tsx, txa, txs, wait,
  count_  // number of names, not a mnemonic
};

inline constexpr size_t kMnemonicCount = 123;
static_assert(static_cast<size_t>(Mn::count_) == kMnemonicCount, "mnemonic enum and name table out of step");

// Mnemonic text by index ("???" for index 0).
std::string_view mnemonic_name(Mn m);
// Exact, lower-case lookup; Mn::unknown when the name is not a mnemonic.
Mn mnemonic_by_name(std::string_view name);

// Addressing modes (bits 0-3 of the mode byte).
enum class Mode : uint8_t {
  inherent = 0,   // no operand, or a plain relative branch
  inh_reg = 1,    // inherent, acting on a register
  direct = 2,     // one address byte
  extended = 3,   // two address bytes (call: page byte first)
  immediate = 4,  // one byte, two for 16-bit register instructions
  bit_direct = 5, // bit number in the opcode, one address byte
  ix = 6,         // indexed, no offset
  ix1 = 7,        // indexed, 8-bit offset
  ix2 = 8,        // indexed, 16-bit offset
  imm_dir = 9,    // mov #imm,dir
  dir_dir = 10,   // mov dir,dir
  ixp_dir = 11,   // mov x+,dir
  dir_ixp = 12,   // mov dir,x+
};

// Operand register class (bits 4-6 of the mode byte).
enum class RegClass : uint8_t { none = 0, a = 1, x = 2, h = 3, hx = 5, sp = 6 };

inline constexpr uint8_t kBranchBit = 0x80;

struct OpcodeEntry {
  uint8_t opcode;
  Mn mnemonic;
  uint8_t mode_byte;  // mode | class << 4 | branch bit
  uint8_t cycles;     // bus cycles of the unprefixed form (or of the prefix-only form)

  constexpr Mode mode() const { return static_cast<Mode>(mode_byte & 0x0F); }
  constexpr RegClass reg_class() const { return static_cast<RegClass>((mode_byte >> 4) & 7); }
  constexpr bool has_branch() const { return (mode_byte & kBranchBit) != 0; }
};

inline constexpr size_t kOpcodeCount = 268;
inline constexpr uint8_t kPrefix = 0x9E;

// The whole table, in ascending opcode order.
std::span<const OpcodeEntry> opcode_table();

// Bytes of operand (after the opcode, and after the prefix) of an entry, branch byte included.
constexpr int operand_length(const OpcodeEntry& e) {
  int n = 0;
  switch (e.mode()) {
    case Mode::inherent:
    case Mode::inh_reg:
    case Mode::ix: n = 0; break;
    case Mode::direct:
    case Mode::bit_direct:
    case Mode::ix1:
    case Mode::ixp_dir:
    case Mode::dir_ixp: n = 1; break;
    case Mode::extended: n = e.mnemonic == Mn::call ? 3 : 2; break;
    case Mode::immediate:
      n = (e.reg_class() == RegClass::hx && e.mnemonic != Mn::aix && e.mnemonic != Mn::ais) ? 2 : 1;
      break;
    case Mode::ix2:
    case Mode::imm_dir:
    case Mode::dir_dir: n = 2; break;
  }
  return n + (e.has_branch() ? 1 : 0);
}

// One decoded opcode: which entry, whether the 0x9E prefix was seen and whether the index
// register is SP.
struct Decoded {
  const OpcodeEntry* entry = nullptr;  // null: unknown opcode
  bool prefixed = false;
  bool sp_index = false;
  bool prefix_form = false;  // a row that exists only after the prefix (ldhx ,x and its peers)
  uint8_t opcode = 0;  // the opcode byte (after the prefix)

  bool known() const { return entry != nullptr; }
  // Whole instruction length; for an unknown opcode the bytes to skip (1, or 2 after the prefix).
  int length() const;
  // Bus cycles: the table's count, one more for the stack-pointer forms that reuse an X entry.
  int cycles() const;
};

// Decodes the opcode at the start of an instruction; `next` is the byte after `first`
// (used only when `first` is the prefix). After the prefix only the forms the HCS08 has on
// that page are known (the others are illegal opcodes, `9e 12` or `9e 40` among them).
Decoded decode(uint8_t first, uint8_t next);

// Whether an instruction may change the flow of control (branches, jumps, calls, returns,
// software interrupt, stop and wait): the straight-line test for stepping.
bool changes_flow(const OpcodeEntry& e);

// Whether an instruction calls a subroutine (BSR, JSR in any addressing mode, CALL).
bool is_call(const OpcodeEntry& e);

}  // namespace yav::hc08
