// Condition-code arithmetic of the HCS08 as small pure functions.
#pragma once
#include <cstdint>

namespace yav::sim {

// CC register bits (bits 5 and 6 always read as 1).
enum : uint8_t { kC = 0x01, kZ = 0x02, kN = 0x04, kI = 0x08, kH = 0x10, kV = 0x80, kCcOnes = 0x60 };

struct Result8 {
  uint8_t value;
  uint8_t cc;  // the new condition codes
};
struct Result16 {
  uint16_t value;
  uint8_t cc;
};

// Without branches: the simulator sets flags on nearly every instruction.
constexpr uint8_t set_if(uint8_t cc, uint8_t bit, bool on) {
  return static_cast<uint8_t>((cc & ~bit) | (-static_cast<int>(on) & bit));
}
constexpr uint8_t nz8(uint8_t cc, uint8_t r) {
  return static_cast<uint8_t>((cc & ~(kN | kZ)) | ((r >> 5) & kN) | ((r == 0) << 1));
}
constexpr uint8_t nz16(uint8_t cc, uint16_t r) {
  return static_cast<uint8_t>((cc & ~(kN | kZ)) | ((r >> 13) & kN) | ((r == 0) << 1));
}

// lda, ldx, sta, stx, and, ora, eor, bit, mov, tst: V cleared, N and Z from the value.
constexpr uint8_t logic_flags(uint8_t cc, uint8_t r) { return nz8(static_cast<uint8_t>(cc & ~kV), r); }
// ldhx, sthx.
constexpr uint8_t logic_flags16(uint8_t cc, uint16_t r) { return nz16(static_cast<uint8_t>(cc & ~kV), r); }

// add and adc: all of V H N Z C.
constexpr Result8 add8(uint8_t cc, uint8_t a, uint8_t m, bool carry_in) {
  const unsigned sum = unsigned(a) + m + (carry_in ? 1u : 0u);
  const uint8_t r = static_cast<uint8_t>(sum);
  uint8_t f = nz8(cc, r);
  f = set_if(f, kC, sum > 0xFF);
  f = set_if(f, kV, ((a ^ r) & (m ^ r) & 0x80) != 0);
  f = set_if(f, kH, ((a & 0x0F) + (m & 0x0F) + (carry_in ? 1 : 0)) > 0x0F);
  return {r, f};
}

// sub, sbc, cmp, cpx (H unaffected).
constexpr Result8 sub8(uint8_t cc, uint8_t a, uint8_t m, bool borrow_in) {
  const int diff = int(a) - int(m) - (borrow_in ? 1 : 0);
  const uint8_t r = static_cast<uint8_t>(diff);
  uint8_t f = nz8(cc, r);
  f = set_if(f, kC, diff < 0);
  f = set_if(f, kV, ((a ^ m) & (a ^ r) & 0x80) != 0);
  return {r, f};
}

// cphx.
constexpr Result16 sub16(uint8_t cc, uint16_t a, uint16_t m) {
  const int diff = int(a) - int(m);
  const uint16_t r = static_cast<uint16_t>(diff);
  uint8_t f = nz16(cc, r);
  f = set_if(f, kC, diff < 0);
  f = set_if(f, kV, ((a ^ m) & (a ^ r) & 0x8000) != 0);
  return {r, f};
}

// Read-modify-write operations on one byte.
constexpr Result8 neg8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(0 - m);
  return {r, set_if(set_if(nz8(cc, r), kV, r == 0x80), kC, r != 0)};
}
constexpr Result8 com8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(~m);
  return {r, static_cast<uint8_t>(nz8(static_cast<uint8_t>(cc & ~kV), r) | kC)};
}
// Shifts: C from the bit shifted out, V = N xor C.
constexpr uint8_t shift_flags(uint8_t cc, uint8_t r, bool carry) {
  uint8_t f = set_if(nz8(cc, r), kC, carry);
  return set_if(f, kV, ((r & 0x80) != 0) != carry);
}
constexpr Result8 lsr8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(m >> 1);
  return {r, shift_flags(cc, r, m & 1)};
}
constexpr Result8 asr8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>((m >> 1) | (m & 0x80));
  return {r, shift_flags(cc, r, m & 1)};
}
constexpr Result8 asl8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(m << 1);
  return {r, shift_flags(cc, r, m & 0x80)};
}
constexpr Result8 rol8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>((m << 1) | (cc & kC));
  return {r, shift_flags(cc, r, m & 0x80)};
}
constexpr Result8 ror8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>((m >> 1) | ((cc & kC) << 7));
  return {r, shift_flags(cc, r, m & 1)};
}
constexpr Result8 dec8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(m - 1);
  return {r, set_if(nz8(cc, r), kV, m == 0x80)};
}
constexpr Result8 inc8(uint8_t cc, uint8_t m) {
  const uint8_t r = static_cast<uint8_t>(m + 1);
  return {r, set_if(nz8(cc, r), kV, m == 0x7F)};
}
constexpr Result8 clr8(uint8_t cc) { return {0, static_cast<uint8_t>((cc & ~(kV | kN)) | kZ)}; }

// Decimal adjust of A after a BCD addition.
constexpr Result8 daa8(uint8_t cc, uint8_t a) {
  unsigned correction = 0;
  bool carry = cc & kC;
  if ((cc & kH) || (a & 0x0F) > 9) correction |= 0x06;
  if (carry || a > 0x99) {
    correction |= 0x60;
    carry = true;
  }
  const uint8_t r = static_cast<uint8_t>(a + correction);
  return {r, set_if(nz8(cc, r), kC, carry)};
}

// Conditions of the relative branches, by opcode 0x20-0x2F and 0x90-0x93 (the IRQ pin is high).
constexpr bool branch_taken(uint8_t opcode, uint8_t cc) {
  const bool c = cc & kC, z = cc & kZ, n = cc & kN, v = cc & kV, h = cc & kH, i = cc & kI;
  switch (opcode) {
    case 0x20: return true;
    case 0x21: return false;
    case 0x22: return !(c || z);
    case 0x23: return c || z;
    case 0x24: return !c;
    case 0x25: return c;
    case 0x26: return !z;
    case 0x27: return z;
    case 0x28: return !h;
    case 0x29: return h;
    case 0x2A: return !n;
    case 0x2B: return n;
    case 0x2C: return !i;
    case 0x2D: return i;
    case 0x2E: return false;  // bil: IRQ pin low
    case 0x2F: return true;   // bih: IRQ pin high
    case 0x90: return n == v;
    case 0x91: return n != v;
    case 0x92: return !z && n == v;
    case 0x93: return z || n != v;
  }
  return false;
}

}  // namespace yav::sim
