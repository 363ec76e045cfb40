// For every instruction that does not jump, the PC moves by the length the disassembler
// reports, and the cycle count grows by the table's count.
#include <gtest/gtest.h>

#include "model/disasm.h"
#include "model/hc08_opcodes.h"
#include "sim_test_support.h"

namespace yav::sim {
namespace {

class MemoryReader : public CodeReader {
 public:
  explicit MemoryReader(const MemoryMap& m) : m_(m) {}
  uint8_t read_byte(uint32_t a) const override { return m_.peek(a); }

 private:
  const MemoryMap& m_;
};

bool jumps(const hc08::OpcodeEntry& e) {
  // Branch-byte forms stay in: with a zero offset, taken or not, they end after themselves.
  return hc08::changes_flow(e) && !e.has_branch();
}

TEST(SimCpu, PcMovesByTheDisassembledLength) {
  int checked = 0;
  for (int page = 0; page < 2; ++page) {
    for (int op = 0; op < 256; ++op) {
      const uint8_t b = static_cast<uint8_t>(op);
      const hc08::Decoded d = page ? hc08::decode(hc08::kPrefix, b) : hc08::decode(b, 0);
      if (!page && b == hc08::kPrefix) continue;
      if (!d.known() || jumps(*d.entry)) continue;
      test::Machine m("QE128");
      const uint16_t at = 0x1000;  // RAM
      if (page) m.load(at, {hc08::kPrefix, b, 0, 0, 0});
      else m.load(at, {b, 0, 0, 0});
      m.load(0xFFFE, {0x10, 0x00});
      m.cpu.reset();
      m.cpu.regs.sp = 0x1700;
      m.cpu.regs.hx = 0x0211;  // X: a divisor for DIV (the length does not depend on it)
      m.cpu.regs.a = 0x11;
      const MemoryReader reader(*m.mem);
      const Disassembly text = disassemble(reader, at, nullptr);
      ASSERT_GT(text.length, 0);
      const StopReason r = m.cpu.step();
      ASSERT_EQ(r, StopReason::none) << std::hex << page << " " << op << " " << text.text;
      EXPECT_EQ(m.cpu.regs.pc, at + text.length) << std::hex << page << " " << op << " " << text.text;
      EXPECT_EQ(m.cpu.cycles, static_cast<uint64_t>(d.cycles())) << text.text;
      EXPECT_EQ(m.cpu.instructions, 1u);
      ++checked;
    }
  }
  EXPECT_GT(checked, 250);
}

TEST(SimCpu, OpcodesOffThePrefixPageAreIllegal) {
  for (int op = 0; op < 256; ++op) {
    const uint8_t b = static_cast<uint8_t>(op);
    if (hc08::decode(hc08::kPrefix, b).known()) continue;
    test::Machine m;
    m.boot(0x8000, {hc08::kPrefix, b, 0, 0});
    EXPECT_EQ(m.cpu.step(), StopReason::illegal) << std::hex << op;
    EXPECT_EQ(m.cpu.regs.pc, 0x8000);
    EXPECT_EQ(m.cpu.instructions, 0u);
  }
}

}  // namespace
}  // namespace yav::sim
