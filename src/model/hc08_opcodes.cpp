// The HC08/HCS08 opcode map as data, with the decoder that reads it.
#include "model/hc08_opcodes.h"

namespace yav::hc08 {
namespace {

constexpr std::array<std::string_view, kMnemonicCount> kNames = {
    "???",  "adc",   "add",   "ais",   "aix",   "and",   "asl",  "asla",  "aslx",  "asr",  "asra",
    "asrx", "bcc",   "bclr",  "bcs",   "beq",   "bge",   "bgnd", "bgt",   "bhcc",  "bhcs", "bhi",
    "bhs",  "bih",   "bil",   "bit",   "ble",   "blo",   "bls",  "blt",   "bmc",   "bmi",  "bms",
    "bne",  "bpl",   "bra",   "brclr", "brn",   "brset", "bset", "bsr",   "call",  "cbeq", "cbeqa",
    "cbeqx", "clc",  "cli",   "clr",   "clra",  "clrh",  "clrx", "cmp",   "com",   "coma", "comx",
    "cphx", "cpx",   "daa",   "dbnz",  "dbnza", "dbnzx", "dec",  "deca",  "decx",  "div",  "eor",
    "inc",  "inca",  "incx",  "jmp",   "jsr",   "lda",   "ldhx", "ldx",   "lsl",   "lsla", "lslx",
    "lsr",  "lsra",  "lsrx",  "mov",   "mul",   "neg",   "nega", "negx",  "nop",   "nsa",  "ora",
    "psha", "pshh",  "pshx",  "pula",  "pulh",  "pulx",  "rol",  "rola",  "rolx",  "ror",  "rora",
    "rorx", "rsp",   "rtc",   "rti",   "rts",   "sbc",   "sec",  "sei",   "sta",   "sthx", "stop",
    "stx",  "sub",   "swi",   "tap",   "tax",   "tpa",   "tst",  "tsta",  "tstx",  "tsx",  "txa",
    "txs",  "wait"};

// Mode byte helpers.
constexpr uint8_t M(Mode m, RegClass c = RegClass::none, bool branch = false) {
  return static_cast<uint8_t>(static_cast<uint8_t>(m) | (static_cast<uint8_t>(c) << 4) | (branch ? kBranchBit : 0));
}
constexpr uint8_t INH = M(Mode::inherent);
constexpr uint8_t REL = M(Mode::inherent, RegClass::none, true);
constexpr uint8_t INA = M(Mode::inh_reg, RegClass::a);
constexpr uint8_t INX = M(Mode::inh_reg, RegClass::x);
constexpr uint8_t INHH = M(Mode::inh_reg, RegClass::h);
constexpr uint8_t DIR = M(Mode::direct);
constexpr uint8_t DIRA = M(Mode::direct, RegClass::a);
constexpr uint8_t DIRX = M(Mode::direct, RegClass::x);
constexpr uint8_t EXT = M(Mode::extended);
constexpr uint8_t EXTA = M(Mode::extended, RegClass::a);
constexpr uint8_t EXTX = M(Mode::extended, RegClass::x);
constexpr uint8_t IMMA = M(Mode::immediate, RegClass::a);
constexpr uint8_t IMMX = M(Mode::immediate, RegClass::x);
constexpr uint8_t IX = M(Mode::ix);
constexpr uint8_t IXA = M(Mode::ix, RegClass::a);
constexpr uint8_t IXX = M(Mode::ix, RegClass::x);
constexpr uint8_t IX1 = M(Mode::ix1);
constexpr uint8_t IX1A = M(Mode::ix1, RegClass::a);
constexpr uint8_t IX1X = M(Mode::ix1, RegClass::x);
constexpr uint8_t IX2 = M(Mode::ix2);
constexpr uint8_t IX2A = M(Mode::ix2, RegClass::a);
constexpr uint8_t IX2X = M(Mode::ix2, RegClass::x);
constexpr uint8_t BITD = M(Mode::bit_direct);
constexpr uint8_t BITDR = M(Mode::bit_direct, RegClass::none, true);

using enum Mn;
#define E(op, mn, mode, cyc) OpcodeEntry{op, mn, mode, cyc}

// clang-format off
constexpr std::array<OpcodeEntry, kOpcodeCount> kTable = {{
    // 0x00-0x0F bit test and branch, 0x10-0x1F bit set and clear
    E(0x00, brset, BITDR, 5), E(0x01, brclr, BITDR, 5), E(0x02, brset, BITDR, 5), E(0x03, brclr, BITDR, 5),
    E(0x04, brset, BITDR, 5), E(0x05, brclr, BITDR, 5), E(0x06, brset, BITDR, 5), E(0x07, brclr, BITDR, 5),
    E(0x08, brset, BITDR, 5), E(0x09, brclr, BITDR, 5), E(0x0A, brset, BITDR, 5), E(0x0B, brclr, BITDR, 5),
    E(0x0C, brset, BITDR, 5), E(0x0D, brclr, BITDR, 5), E(0x0E, brset, BITDR, 5), E(0x0F, brclr, BITDR, 5),
    E(0x10, bset, BITD, 5), E(0x11, bclr, BITD, 5), E(0x12, bset, BITD, 5), E(0x13, bclr, BITD, 5),
    E(0x14, bset, BITD, 5), E(0x15, bclr, BITD, 5), E(0x16, bset, BITD, 5), E(0x17, bclr, BITD, 5),
    E(0x18, bset, BITD, 5), E(0x19, bclr, BITD, 5), E(0x1A, bset, BITD, 5), E(0x1B, bclr, BITD, 5),
    E(0x1C, bset, BITD, 5), E(0x1D, bclr, BITD, 5), E(0x1E, bset, BITD, 5), E(0x1F, bclr, BITD, 5),
    // 0x20-0x2F relative branches
    E(0x20, bra, REL, 3), E(0x21, brn, REL, 3), E(0x22, bhi, REL, 3), E(0x23, bls, REL, 3),
    E(0x24, bcc, REL, 3), E(0x24, bhs, REL, 3), E(0x25, bcs, REL, 3), E(0x25, blo, REL, 3),
    E(0x26, bne, REL, 3), E(0x27, beq, REL, 3), E(0x28, bhcc, REL, 3), E(0x29, bhcs, REL, 3),
    E(0x2A, bpl, REL, 3), E(0x2B, bmi, REL, 3), E(0x2C, bmc, REL, 3), E(0x2D, bms, REL, 3),
    E(0x2E, bil, REL, 3), E(0x2F, bih, REL, 3),
    // 0x30-0x3F direct
    E(0x30, neg, DIR, 5), E(0x31, cbeq, M(Mode::direct, RegClass::a, true), 5),
    E(0x32, ldhx, M(Mode::extended, RegClass::hx), 5), E(0x33, com, DIR, 5), E(0x34, lsr, DIR, 5),
    E(0x35, sthx, M(Mode::direct, RegClass::hx), 4), E(0x36, ror, DIR, 5), E(0x37, asr, DIR, 5),
    E(0x38, asl, DIR, 5), E(0x38, lsl, DIR, 5), E(0x39, rol, DIR, 5), E(0x3A, dec, DIR, 5),
    E(0x3B, dbnz, M(Mode::direct, RegClass::none, true), 7), E(0x3C, inc, DIR, 5), E(0x3D, tst, DIR, 4),
    E(0x3E, cphx, M(Mode::extended, RegClass::hx), 6), E(0x3F, clr, DIR, 5),
    // 0x40-0x4F inherent on A
    E(0x40, nega, INA, 1), E(0x41, cbeqa, M(Mode::immediate, RegClass::a, true), 4), E(0x42, mul, INH, 5),
    E(0x43, coma, INA, 1), E(0x44, lsra, INA, 1), E(0x45, ldhx, M(Mode::immediate, RegClass::hx), 3),
    E(0x46, rora, INA, 1), E(0x47, asra, INA, 1), E(0x48, asla, INA, 1), E(0x48, lsla, INA, 1),
    E(0x49, rola, INA, 1), E(0x4A, deca, INA, 1), E(0x4B, dbnza, M(Mode::inh_reg, RegClass::a, true), 4),
    E(0x4C, inca, INA, 1), E(0x4D, tsta, INA, 1), E(0x4E, mov, M(Mode::dir_dir), 5), E(0x4F, clra, INA, 1),
    // 0x50-0x5F inherent on X
    E(0x50, negx, INX, 1), E(0x51, cbeqx, M(Mode::immediate, RegClass::x, true), 4), E(0x52, div, INH, 6),
    E(0x53, comx, INX, 1), E(0x54, lsrx, INX, 1), E(0x55, ldhx, M(Mode::direct, RegClass::hx), 4),
    E(0x56, rorx, INX, 1), E(0x57, asrx, INX, 1), E(0x58, aslx, INX, 1), E(0x58, lslx, INX, 1),
    E(0x59, rolx, INX, 1), E(0x5A, decx, INX, 1), E(0x5B, dbnzx, M(Mode::inh_reg, RegClass::x, true), 4),
    E(0x5C, incx, INX, 1), E(0x5D, tstx, INX, 1), E(0x5E, mov, M(Mode::dir_ixp), 5), E(0x5F, clrx, INX, 1),
    // 0x60-0x6F indexed, 8-bit offset
    E(0x60, neg, IX1, 5), E(0x61, cbeq, M(Mode::ix1, RegClass::a, true), 5), E(0x62, nsa, INA, 1),
    E(0x63, com, IX1, 5), E(0x64, lsr, IX1, 5), E(0x65, cphx, M(Mode::immediate, RegClass::hx), 3),
    E(0x66, ror, IX1, 5), E(0x67, asr, IX1, 5), E(0x68, asl, IX1, 5), E(0x68, lsl, IX1, 5),
    E(0x69, rol, IX1, 5), E(0x6A, dec, IX1, 5), E(0x6B, dbnz, M(Mode::ix1, RegClass::none, true), 7),
    E(0x6C, inc, IX1, 5), E(0x6D, tst, IX1, 4), E(0x6E, mov, M(Mode::imm_dir), 4), E(0x6F, clr, IX1, 5),
    // 0x70-0x7F indexed, no offset
    E(0x70, neg, IX, 4), E(0x71, cbeq, M(Mode::ix, RegClass::a, true), 5), E(0x72, daa, INA, 1),
    E(0x73, com, IX, 4), E(0x74, lsr, IX, 4), E(0x75, cphx, M(Mode::direct, RegClass::hx), 5),
    E(0x76, ror, IX, 4), E(0x77, asr, IX, 4), E(0x78, asl, IX, 4), E(0x78, lsl, IX, 4),
    E(0x79, rol, IX, 4), E(0x7A, dec, IX, 4), E(0x7B, dbnz, M(Mode::ix, RegClass::none, true), 6),
    E(0x7C, inc, IX, 4), E(0x7D, tst, IX, 3), E(0x7E, mov, M(Mode::ixp_dir), 5), E(0x7F, clr, IX, 4),
    // 0x80-0x8F control
    E(0x80, rti, INH, 9), E(0x81, rts, INH, 6), E(0x82, bgnd, INH, 5), E(0x83, swi, INH, 11),
    E(0x84, tap, INA, 1), E(0x85, tpa, INA, 1), E(0x86, pula, INA, 3), E(0x87, psha, INA, 2),
    E(0x88, pulx, INX, 3), E(0x89, pshx, INX, 2), E(0x8A, pulh, INHH, 3), E(0x8B, pshh, INHH, 2),
    E(0x8C, clrh, INHH, 1), E(0x8D, rtc, INH, 7), E(0x8E, stop, INH, 2), E(0x8F, wait, INH, 2),
    // 0x90-0x9F signed branches and register transfers (0x9E is the prefix)
    E(0x90, bge, REL, 3), E(0x91, blt, REL, 3), E(0x92, bgt, REL, 3), E(0x93, ble, REL, 3),
    E(0x94, txs, M(Mode::inh_reg, RegClass::sp), 2), E(0x95, tsx, M(Mode::inh_reg, RegClass::hx), 2),
    E(0x96, sthx, M(Mode::extended, RegClass::hx), 5), E(0x97, tax, INX, 1), E(0x98, clc, INH, 1),
    E(0x99, sec, INH, 1), E(0x9A, cli, INH, 1), E(0x9B, sei, INH, 1),
    E(0x9C, rsp, M(Mode::inh_reg, RegClass::sp), 1), E(0x9D, nop, INH, 1), E(0x9F, txa, INA, 1),
    // 0xA0-0xAF immediate
    E(0xA0, sub, IMMA, 2), E(0xA1, cmp, IMMA, 2), E(0xA2, sbc, IMMA, 2), E(0xA3, cpx, IMMX, 2),
    E(0xA4, and_, IMMA, 2), E(0xA5, bit, IMMA, 2), E(0xA6, lda, IMMA, 2),
    E(0xA7, ais, M(Mode::immediate, RegClass::sp), 2), E(0xA8, eor, IMMA, 2), E(0xA9, adc, IMMA, 2),
    E(0xAA, ora, IMMA, 2), E(0xAB, add, IMMA, 2), E(0xAC, call, EXT, 8), E(0xAD, bsr, REL, 5),
    E(0xAE, ldx, IMMX, 2), E(0xAE, ldhx, M(Mode::ix, RegClass::hx), 5),
    E(0xAF, aix, M(Mode::immediate, RegClass::hx), 2),
    // 0xB0-0xBF direct
    E(0xB0, sub, DIRA, 3), E(0xB1, cmp, DIRA, 3), E(0xB2, sbc, DIRA, 3), E(0xB3, cpx, DIRX, 3),
    E(0xB4, and_, DIRA, 3), E(0xB5, bit, DIRA, 3), E(0xB6, lda, DIRA, 3), E(0xB7, sta, DIRA, 3),
    E(0xB8, eor, DIRA, 3), E(0xB9, adc, DIRA, 3), E(0xBA, ora, DIRA, 3), E(0xBB, add, DIRA, 3),
    E(0xBC, jmp, DIR, 3), E(0xBD, jsr, DIR, 5), E(0xBE, ldx, DIRX, 3),
    E(0xBE, ldhx, M(Mode::ix2, RegClass::hx), 6), E(0xBF, stx, DIRX, 3),
    // 0xC0-0xCF extended
    E(0xC0, sub, EXTA, 4), E(0xC1, cmp, EXTA, 4), E(0xC2, sbc, EXTA, 4), E(0xC3, cpx, EXTX, 4),
    E(0xC4, and_, EXTA, 4), E(0xC5, bit, EXTA, 4), E(0xC6, lda, EXTA, 4), E(0xC7, sta, EXTA, 4),
    E(0xC8, eor, EXTA, 4), E(0xC9, adc, EXTA, 4), E(0xCA, ora, EXTA, 4), E(0xCB, add, EXTA, 4),
    E(0xCC, jmp, EXT, 4), E(0xCD, jsr, EXT, 6), E(0xCE, ldx, EXTX, 4),
    E(0xCE, ldhx, M(Mode::ix1, RegClass::hx), 5), E(0xCF, stx, EXTX, 4),
    // 0xD0-0xDF indexed, 16-bit offset
    E(0xD0, sub, IX2A, 4), E(0xD1, cmp, IX2A, 4), E(0xD2, sbc, IX2A, 4), E(0xD3, cpx, IX2X, 4),
    E(0xD4, and_, IX2A, 4), E(0xD5, bit, IX2A, 4), E(0xD6, lda, IX2A, 4), E(0xD7, sta, IX2A, 4),
    E(0xD8, eor, IX2A, 4), E(0xD9, adc, IX2A, 4), E(0xDA, ora, IX2A, 4), E(0xDB, add, IX2A, 4),
    E(0xDC, jmp, IX2, 4), E(0xDD, jsr, IX2, 6), E(0xDE, ldx, IX2X, 4), E(0xDF, stx, IX2X, 4),
    // 0xE0-0xEF indexed, 8-bit offset
    E(0xE0, sub, IX1A, 3), E(0xE1, cmp, IX1A, 3), E(0xE2, sbc, IX1A, 3), E(0xE3, cpx, IX1X, 3),
    E(0xE4, and_, IX1A, 3), E(0xE5, bit, IX1A, 3), E(0xE6, lda, IX1A, 3), E(0xE7, sta, IX1A, 3),
    E(0xE8, eor, IX1A, 3), E(0xE9, adc, IX1A, 3), E(0xEA, ora, IX1A, 3), E(0xEB, add, IX1A, 3),
    E(0xEC, jmp, IX1, 3), E(0xED, jsr, IX1, 5), E(0xEE, ldx, IX1X, 3), E(0xEF, stx, IX1X, 3),
    // 0xF0-0xFF indexed, no offset
    E(0xF0, sub, IXA, 3), E(0xF1, cmp, IXA, 3), E(0xF2, sbc, IXA, 3), E(0xF3, cpx, IXX, 3),
    E(0xF3, cphx, M(Mode::ix1, RegClass::hx), 6), E(0xF4, and_, IXA, 3), E(0xF5, bit, IXA, 3),
    E(0xF6, lda, IXA, 3), E(0xF7, sta, IXA, 2), E(0xF8, eor, IXA, 3), E(0xF9, adc, IXA, 3),
    E(0xFA, ora, IXA, 3), E(0xFB, add, IXA, 3), E(0xFC, jmp, IX, 3), E(0xFD, jsr, IX, 5),
    E(0xFE, ldx, IXX, 3), E(0xFE, ldhx, M(Mode::ix1, RegClass::hx), 5), E(0xFF, stx, IXX, 2),
    E(0xFF, sthx, M(Mode::ix1, RegClass::hx), 5),
}};
// clang-format on
#undef E

// The table must stay sorted, complete (every byte but the prefix has a row) and with
// duplicates only where the map has them.
constexpr bool table_is_sorted() {
  for (size_t i = 1; i < kTable.size(); ++i)
    if (kTable[i].opcode < kTable[i - 1].opcode) return false;
  return true;
}
constexpr bool table_covers_every_opcode() {
  for (int op = 0; op < 256; ++op) {
    bool found = false;
    for (const auto& e : kTable) found = found || e.opcode == op;
    if (found == (op == kPrefix)) return false;
  }
  return true;
}
constexpr int duplicate_rows() {
  int n = 0;
  for (size_t i = 1; i < kTable.size(); ++i) n += kTable[i].opcode == kTable[i - 1].opcode;
  return n;
}
static_assert(table_is_sorted(), "opcode table must be in ascending opcode order");
static_assert(table_covers_every_opcode(), "every opcode byte except the prefix needs a row");
static_assert(duplicate_rows() == 13, "7 aliases and 6 prefix-only forms");
static_assert(kNames.size() == static_cast<size_t>(Mn::count_));

// Opcodes that exist after the 0x9E prefix on the real part.
constexpr bool prefix_page(uint8_t op) {
  const uint8_t hi = op & 0xF0, lo = op & 0x0F;
  if (hi == 0x60) return lo != 0x2 && lo != 0x5 && lo != 0xE;
  if (hi == 0xD0 || hi == 0xE0) return lo != 0xC && lo != 0xD;
  return op == 0xAE || op == 0xBE || op == 0xCE || op == 0xF3 || op == 0xFE || op == 0xFF;
}

struct FirstRows {
  std::array<int16_t, 256> index{};
};
constexpr FirstRows first_rows() {
  FirstRows f;
  for (auto& v : f.index) v = -1;
  for (size_t i = kTable.size(); i-- > 0;) f.index[kTable[i].opcode] = static_cast<int16_t>(i);
  return f;
}
constexpr FirstRows kFirst = first_rows();

}  // namespace

std::string_view mnemonic_name(Mn m) {
  const auto i = static_cast<size_t>(m);
  return i < kNames.size() ? kNames[i] : kNames[0];
}

Mn mnemonic_by_name(std::string_view name) {
  for (size_t i = 1; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<Mn>(i);
  return Mn::unknown;
}

std::span<const OpcodeEntry> opcode_table() { return kTable; }

Decoded decode(uint8_t first, uint8_t next) {
  Decoded d;
  uint8_t op = first;
  if (first == kPrefix) {
    d.prefixed = true;
    op = next;
  }
  d.opcode = op;
  const int i = kFirst.index[op];
  if (i < 0 || (d.prefixed && !prefix_page(op))) return d;
  d.entry = &kTable[static_cast<size_t>(i)];
  if (d.prefixed) {
    const size_t n = static_cast<size_t>(i) + 1;
    if (n < kTable.size() && kTable[n].opcode == op && kTable[n].mode_byte != kTable[static_cast<size_t>(i)].mode_byte) {
      d.entry = &kTable[n];
      d.sp_index = op >= 0xF0;
      d.prefix_form = true;
    } else {
      d.sp_index = true;
    }
  }
  return d;
}

int Decoded::length() const {
  const int head = prefixed ? 2 : 1;
  return entry ? head + operand_length(*entry) : head;
}

int Decoded::cycles() const {
  if (!entry) return 0;
  return entry->cycles + (prefixed && !prefix_form ? 1 : 0);
}

bool changes_flow(const OpcodeEntry& e) {
  if (e.has_branch()) return true;
  switch (e.mnemonic) {
    case Mn::jmp: case Mn::jsr: case Mn::call: case Mn::rts: case Mn::rti: case Mn::rtc:
    case Mn::swi: case Mn::stop: case Mn::wait: case Mn::bgnd:
      return true;
    default:
      return false;
  }
}

bool is_call(const OpcodeEntry& e) { return e.mnemonic == Mn::jsr || e.mnemonic == Mn::bsr || e.mnemonic == Mn::call; }

}  // namespace yav::hc08
