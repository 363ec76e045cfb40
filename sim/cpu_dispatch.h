// The CPU's dispatch table: every opcode of both pages turned, once at start-up, from its row of
// the shared opcode table into the case of the run loop that executes it.
#pragma once
#include <array>
#include <cstdint>

namespace yav::sim::dispatch {

// What an instruction does, independent of where its operand comes from.
enum class Op : uint8_t {
  illegal,
  // Operand read from an immediate or memory form into A, X or the flags.
  lda, ldx, and_, ora, eor, bit, add, adc, sub, sbc, cmp, cpx,
  // Stores and the 16-bit index register.
  sta, stx, ldhx, sthx, cphx,
  // Read-modify-write on memory, A or X, with clear and test.
  neg, com, lsr, asr, asl, rol, ror, dec, inc, clr, tst,
  // Jumps, compare-and-branch, decrement-and-branch and bit operations.
  jmp, jsr, cbeq, dbnz, bset, bclr, brset, brclr,
  // Relative branches: the form is the low nibble of 0x20-0x2F or of 0x90-0x93.
  branch, signed_branch, bsr,
  // Moves.
  mov_imm_dir, mov_dir_dir, mov_ixp_dir, mov_dir_ixp,
  // Inherent instructions.
  mul, div, daa, nsa, clrh, aix, ais, tax, txa, tap, tpa, tsx, txs, rsp,
  psha, pshx, pshh, pula, pulx, pulh, clc, sec, cli, sei, nop,
  rts, rti, swi, call, rtc, bgnd, stop, wait,
  count_
};

// Where the operand is: immediate, a memory form, or register A or X (the inherent forms).
enum class Form : uint8_t { none, imm, dir, ext, ix, ix1, ix2, sp1, sp2, a, x, count_ };

// The kinds the run loop has code for: an operation and a form (or a branch condition) in 16
// slots.
constexpr unsigned kind(Op op, unsigned form) { return static_cast<unsigned>(op) * 16 + form; }
constexpr unsigned kind(Op op, Form form) { return kind(op, static_cast<unsigned>(form)); }

struct Entry {
  uint16_t kind = 0;  // kind(Op::illegal, Form::none) for opcodes that do not exist
  uint8_t cycles = 0;
  uint8_t bit = 0;  // the bit mask of bset, bclr, brset and brclr
};

// Both opcode pages: [0, 256) unprefixed, [256, 512) after the 0x9E prefix.
using Table = std::array<Entry, 512>;
const Table& table();

}  // namespace yav::sim::dispatch
