#include "known_differences.h"

#include "model/hc08_opcodes.h"

namespace yav::sim::lockstep {
namespace {

using hc08::Mn;
using hc08::Mode;

bool opcode(const Case& c, uint8_t op) { return !c.prefixed && c.opcode == op; }
bool dbnz(const Case& c) {
  return c.prefixed ? c.opcode == 0x6B : (c.opcode & 0x0F) == 0x0B && c.opcode >= 0x3B && c.opcode <= 0x7B;
}

// The operand of a memory form lies (in part) past 0xffff before the 16-bit address wraps.
bool operand_passes_ffff(const Case& c) {
  const hc08::Decoded d = c.prefixed ? hc08::decode(hc08::kPrefix, c.opcode) : hc08::decode(c.opcode, 0);
  if (!d.known()) return false;
  const size_t at = c.prefixed ? 2 : 1;
  const unsigned o1 = c.code[at], w = (o1 << 8) | c.code[at + 1];
  const unsigned base = d.sp_index ? c.before.sp : (unsigned(c.before.h) << 8) | c.before.x;
  const Mn mn = d.entry->mnemonic;
  const unsigned width = mn == Mn::ldhx || mn == Mn::sthx || mn == Mn::cphx ? 2 : 1;
  unsigned address = 0;
  switch (d.entry->mode()) {
    case Mode::ix: address = base; break;
    case Mode::ix1: address = base + o1; break;
    case Mode::ix2: address = base + w; break;
    case Mode::extended: address = w; break;
    default: return false;
  }
  return address + width - 1 > 0xFFFF;
}

constexpr KnownDifference kKnown[] = {
    {"bgnd", [](const Case& c) { return opcode(c, 0x82); }, kFieldAll,
     "shc08 has no background mode and refuses the opcode; the HCS08 enters active background "
     "mode with the PC after it"},
    {"daa", [](const Case& c) { return opcode(c, 0x72); }, kFieldA | kFieldCc,
     "shc08 computes the decimal carry but leaves A, N and Z as they were (A=0xe1 with C=1, H=0 "
     "stays 0xe1; the HCS08 gives 0x41 with C=1)"},
    {"dbnz", dbnz, kFieldCc,
     "shc08 sets N, Z and V from the decremented value; DBNZ changes no condition code on the "
     "HCS08"},
    {"swi", [](const Case& c) { return opcode(c, 0x83); }, kFieldCc,
     "shc08 clears the I bit; SWI sets it on the HCS08 (the handler runs with interrupts masked)"},
    {"rsp", [](const Case& c) { return opcode(c, 0x9C); }, kFieldSp,
     "shc08 sets SP to 0x00ff; the HCS08 sets the low byte only (the high byte is unaffected)"},
    {"indexed or extended operand past 0xffff", operand_passes_ffff, kFieldA | kFieldH | kFieldX | kFieldCc | kFieldMemory,
     "shc08 does not wrap the operand address at 16 bits: it reads and writes beyond 0xffff; the "
     "HCS08 wraps to 0x0000"},
};

}  // namespace

std::span<const KnownDifference> known_differences() { return kKnown; }

}  // namespace yav::sim::lockstep
