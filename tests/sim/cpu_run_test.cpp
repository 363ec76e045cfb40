// Runs of many instructions: stop addresses, agreement with single steps, and memory whose
// layout changes during a run.
#include <gtest/gtest.h>

#include <vector>

#include "sim/chip_qe128.h"
#include "sim/flags.h"
#include "sim_test_support.h"

namespace yav::sim {
namespace {

using test::Machine;

// A loop with calls, stack, bit branches and stores: sums 1..10 into 0x80, counting in 0x81.
const std::initializer_list<uint8_t> kLoop = {
    0x45, 0x00, 0x0A,  // 8000 ldhx #10
    0x3F, 0x80,        // 8003 clr 0x80
    0x3F, 0x81,        // 8005 clr 0x81
    0x9F,              // 8007 txa           <- loop
    0xCD, 0x80, 0x20,  // 8008 jsr 0x8020
    0x10, 0x82,        // 800B bset 0,0x82
    0x01, 0x82, 0x00,  // 800D brclr 0,0x82,+0
    0x5B, 0xF5,        // 8010 dbnzx 0x8007
    0x82,              // 8012 bgnd
};
const std::initializer_list<uint8_t> kAdd = {
    0x87,        // 8020 psha
    0xBB, 0x80,  // 8021 add 0x80
    0xB7, 0x80,  // 8023 sta 0x80
    0x3C, 0x81,  // 8025 inc 0x81
    0x86,        // 8027 pula
    0x81,        // 8028 rts
};

Machine loopMachine() {
  Machine m;
  m.load(0x8020, kAdd);
  m.boot(0x8000, kLoop);
  m.cpu.regs.sp = 0x00FF;
  return m;
}

TEST(SimCpuRun, StopsBeforeAnyOfSeveralAddresses) {
  struct Case {
    const char* what;
    std::vector<uint16_t> stops;
    uint64_t max;
    StopReason reason;
    uint16_t pc;
    uint64_t instructions;
  };
  const Case cases[] = {
      {"no stops: the budget ends it", {}, 5, StopReason::max, 0x8020, 5},
      {"the first one reached", {0x8021, 0x800B}, 1000, StopReason::until, 0x8021, 6},
      {"one address", {0x8010}, 1000, StopReason::until, 0x8010, 13},
      {"where it starts", {0x9000, 0x8000}, 1000, StopReason::until, 0x8000, 0},
      {"never reached: the CPU stops", {0x9000, 0x9001, 0x9002}, 1000, StopReason::bgnd, 0x8013, 114},
      {"reached when the budget ends", {0x8005}, 2, StopReason::until, 0x8005, 2},
  };
  for (const Case& c : cases) {
    Machine m = loopMachine();
    EXPECT_EQ(m.cpu.run(c.max, std::span<const uint16_t>(c.stops)), c.reason) << c.what;
    EXPECT_EQ(m.cpu.regs.pc, c.pc) << c.what;
    EXPECT_EQ(m.cpu.instructions, c.instructions) << c.what;
  }
}

TEST(SimCpuRun, RunsInPiecesAgreeWithSingleSteps) {
  Machine stepped = loopMachine();
  StopReason last = StopReason::none;
  while (last == StopReason::none) last = stepped.cpu.step();
  ASSERT_EQ(last, StopReason::bgnd);
  EXPECT_EQ(stepped.mem->peek(0x80), 55);
  EXPECT_EQ(stepped.mem->peek(0x81), 10);

  for (const uint64_t piece : {1u, 2u, 7u, 256u}) {
    Machine m = loopMachine();
    StopReason r = StopReason::max;
    while (r == StopReason::max) r = m.cpu.run(piece);
    EXPECT_EQ(r, StopReason::bgnd) << piece;
    EXPECT_EQ(m.cpu.regs.a, stepped.cpu.regs.a) << piece;
    EXPECT_EQ(m.cpu.regs.hx, stepped.cpu.regs.hx) << piece;
    EXPECT_EQ(m.cpu.regs.sp, stepped.cpu.regs.sp) << piece;
    EXPECT_EQ(m.cpu.regs.pc, stepped.cpu.regs.pc) << piece;
    EXPECT_EQ(m.cpu.regs.cc, stepped.cpu.regs.cc) << piece;
    EXPECT_EQ(m.cpu.cycles, stepped.cpu.cycles) << piece;
    EXPECT_EQ(m.cpu.instructions, stepped.cpu.instructions) << piece;
    for (uint16_t a = 0x80; a < 0x100; ++a) EXPECT_EQ(m.mem->peek(a), stepped.mem->peek(a)) << piece << " " << a;
  }
}

TEST(SimCpuRun, APageChangeInsideARunShowsAtOnce) {
  Machine m("QE128");
  ASSERT_TRUE(m.mem->program(0x14000, 0x5A));  // page 5, offset 0
  ASSERT_TRUE(m.mem->program(0x08000, 0x22));  // page 2 (the reset page), offset 0
  // Code in RAM: read the window, switch the page, read it again.
  m.load(0x0100, {0xC6, 0x80, 0x00,  // lda 0x8000
                  0x97,              // tax
                  0xA6, 0x05,        // lda #5
                  0xB7, 0x78,        // sta PPAGE
                  0xC6, 0x80, 0x00,  // lda 0x8000
                  0x82});            // bgnd
  m.load(0xFFFE, {0x01, 0x00});
  m.cpu.reset();
  EXPECT_EQ(m.cpu.run(100), StopReason::bgnd);
  EXPECT_EQ(m.cpu.regs.hx & 0xFF, 0x22);
  EXPECT_EQ(m.cpu.regs.a, 0x5A);
  EXPECT_EQ(m.mem->ppage(), 5);
}

TEST(SimCpuRun, PagedChipsCountTheirPageTableChanges) {
  auto qe128 = make_chip("QE128");
  const uint64_t before = qe128->page_generation();
  qe128->write(kPpage, 3);
  EXPECT_GT(qe128->page_generation(), before);
  EXPECT_EQ(qe128->read_page_table()[0x80], qe128->read_page(0x80));

  auto generic = make_chip("GENERIC");
  const uint64_t flat = generic->page_generation();
  generic->write(0x78, 3);
  EXPECT_EQ(generic->page_generation(), flat);
}

TEST(SimCpuRun, IllegalOpcodeInsideARunStopsOnIt) {
  Machine m;
  m.boot(0x8000, {0x9D, 0x9D, 0x9E, 0x00, 0x9D});  // nop; nop; 9E 00 (not on the prefix page)
  EXPECT_EQ(m.cpu.run(10), StopReason::illegal);
  EXPECT_EQ(m.cpu.regs.pc, 0x8002);
  EXPECT_EQ(m.cpu.instructions, 2u);
  EXPECT_EQ(m.cpu.cycles, 2u);
}

}  // namespace
}  // namespace yav::sim
