// Instruction effects of the CPU core on small hand-assembled programs.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sim/chip_qe128.h"
#include "sim/flags.h"
#include "sim_test_support.h"

namespace yav::sim {
namespace {

using test::Machine;

TEST(SimCpu, ResetStateAndVector) {
  Machine m("QE128");
  m.load(0xFFFE, {0xC1, 0x23});
  m.cpu.regs.a = 0x55;
  m.cpu.reset();
  EXPECT_EQ(m.cpu.regs.pc, 0xC123);
  EXPECT_EQ(m.cpu.regs.sp, 0x00FF);
  EXPECT_EQ(m.cpu.regs.cc, 0x68);
  EXPECT_EQ(m.mem->ppage(), 2);
}

TEST(SimCpu, LoadStoreArithmetic) {
  Machine m;
  m.boot(0x8000, {
                     0xA6, 0x7F,        // lda #0x7f
                     0xAB, 0x01,        // add #1       -> 0x80, V N H
                     0xB7, 0x80,        // sta <0x80
                     0x45, 0x12, 0x34,  // ldhx #0x1234
                     0x35, 0x82,        // sthx <0x82
                     0xAE, 0x10,        // ldx #16
                     0xA6, 0x0A,        // lda #10
                     0x42,              // mul          -> x:a = 160
                     0x45, 0x00, 0x05,  // ldhx #5
                     0xA6, 0x64,        // lda #100
                     0x52,              // div          H:A = 100 / X = 5 -> a=20, h=0
                 });
  EXPECT_EQ(m.cpu.run(2), StopReason::max);
  EXPECT_EQ(m.cpu.regs.cc, kCcOnes | kI | kV | kN | kH);
  m.cpu.run(1);
  EXPECT_EQ(m.mem->peek(0x80), 0x80);
  EXPECT_EQ(m.cpu.regs.cc, kCcOnes | kI | kN | kH);  // sta clears V
  m.cpu.run(2);
  EXPECT_EQ(m.mem->peek(0x82), 0x12);
  EXPECT_EQ(m.mem->peek(0x83), 0x34);
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.a, 160);
  EXPECT_EQ(m.cpu.regs.hx & 0xFF, 0);
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.a, 0x14);
  EXPECT_EQ(m.cpu.regs.hx, 0x0005);
  EXPECT_FALSE(m.cpu.regs.cc & (kZ | kC));
}

// DIV takes the 16-bit H:A as dividend and X as divisor: quotient to A, remainder to H,
// C when X is 0 or the quotient needs more than 8 bits, Z from the quotient.
TEST(SimCpu, DivideTakesHaOverX) {
  struct Case {
    uint8_t h, a, x;
    uint8_t quotient, remainder;
    uint8_t flags;  // C and Z after
  };
  const Case cases[] = {
      {0x00, 0x64, 0x05, 0x14, 0x00, 0},    // 100 / 5
      {0x00, 0x07, 0x03, 0x02, 0x01, 0},    // 7 / 3
      {0x00, 0x03, 0x07, 0x00, 0x03, kZ},   // 3 / 7
      {0x01, 0xFF, 0x02, 0xFF, 0x01, 0},    // 511 / 2: the largest quotient
      {0x04, 0xD2, 0x11, 0x48, 0x0A, 0},    // 1234 / 17
      {0x02, 0x00, 0x02, 0x00, 0x02, kC},   // 512 / 2 does not fit: A and H stay
      {0x00, 0x2A, 0x00, 0x2A, 0x00, kC},   // divide by zero
  };
  for (const Case& c : cases) {
    Machine m;
    m.boot(0x8000, {0x52});
    m.cpu.regs.a = c.a;
    m.cpu.regs.hx = static_cast<uint16_t>(c.h << 8 | c.x);
    m.cpu.regs.cc = kCcOnes;
    m.cpu.run(1);
    const std::string what = std::to_string(c.h << 8 | c.a) + " / " + std::to_string(c.x);
    EXPECT_EQ(m.cpu.regs.a, c.quotient) << what;
    EXPECT_EQ(m.cpu.regs.hx >> 8, c.remainder) << what;
    EXPECT_EQ(m.cpu.regs.hx & 0xFF, c.x) << what;
    EXPECT_EQ(m.cpu.regs.cc & (kC | kZ), c.flags) << what;
  }
}

// CLRH clears H as every clear does: Z set, N and V cleared, the rest kept.
TEST(SimCpu, ClrhSetsZ) {
  for (const auto& [before, after] : {std::pair<uint8_t, uint8_t>{0xE0, 0x62}, {0x6D, 0x6B}, {0xF7, 0x73}}) {
    Machine m;
    m.boot(0x8000, {0x8C});
    m.cpu.regs.hx = 0xAB12;
    m.cpu.regs.cc = before;
    m.cpu.run(1);
    EXPECT_EQ(m.cpu.regs.hx, 0x0012);
    EXPECT_EQ(m.cpu.regs.cc, after) << std::hex << int(before);
  }
}

// DBNZ changes no condition code; RSP sets the low byte of SP only.
TEST(SimCpu, DbnzKeepsFlagsAndRspKeepsTheHighByte) {
  for (const auto& [a, cc] : {std::pair<uint8_t, uint8_t>{0x01, 0x60}, {0x81, 0x60}, {0x00, 0xEF}, {0x02, 0x62}}) {
    Machine m;
    m.boot(0x8000, {0x4B, 0x10});  // dbnza +16
    m.cpu.regs.a = a;
    m.cpu.regs.cc = cc;
    m.cpu.run(1);
    EXPECT_EQ(m.cpu.regs.a, static_cast<uint8_t>(a - 1));
    EXPECT_EQ(m.cpu.regs.cc, cc) << std::hex << int(a);
    EXPECT_EQ(m.cpu.regs.pc, a == 1 ? 0x8002 : 0x8012);
  }
  Machine m;
  m.boot(0x8000, {0x9C});  // rsp
  m.cpu.regs.sp = 0x1234;
  m.cpu.run(1);
  EXPECT_EQ(m.cpu.regs.sp, 0x12FF);
}

TEST(SimCpu, SubroutineAndStackForms) {
  Machine m;
  m.boot(0x8000, {
                     0x45, 0x01, 0x00,  // ldhx #0x100
                     0x94,              // txs          sp = 0xff
                     0xCD, 0x90, 0x00,  // jsr 0x9000
                     0x9D,              // nop
                 });
  // ais #-1; lda #0x42; sta 1,sp; ais #1; rts
  m.load(0x9000, {0xA7, 0xFF, 0xA6, 0x42, 0x9E, 0xE7, 0x01, 0xA7, 0x01, 0x81});
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.sp, 0xFD);
  EXPECT_EQ(m.mem->peek(0xFE), 0x80);  // return address high
  EXPECT_EQ(m.mem->peek(0xFF), 0x07);  // and low
  m.cpu.run(5);
  EXPECT_EQ(m.cpu.regs.pc, 0x8007);
  EXPECT_EQ(m.cpu.regs.sp, 0xFF);
  EXPECT_EQ(m.mem->peek(0xFD), 0x42);  // the local below the return address
}

TEST(SimCpu, SwiStacksAndRtiRestores) {
  Machine m;
  m.boot(0x8000, {0x45, 0x02, 0x00, 0x94, 0x9A, 0xA6, 0x33, 0xAE, 0x44, 0x83, 0x9D});
  m.load(0xFFFC, {0x90, 0x00});
  m.load(0x9000, {0x4F, 0x5F, 0x80});  // clra; clrx; rti
  m.cpu.run(6);  // up to and including swi
  EXPECT_EQ(m.cpu.regs.pc, 0x9000);
  EXPECT_TRUE(m.cpu.regs.cc & kI);
  EXPECT_EQ(m.cpu.regs.sp, 0x1FF - 5);
  EXPECT_EQ(m.mem->peek(0x1FF), 0x0A);  // PC low
  EXPECT_EQ(m.mem->peek(0x1FE), 0x80);  // PC high
  EXPECT_EQ(m.mem->peek(0x1FD), 0x44);  // X
  EXPECT_EQ(m.mem->peek(0x1FC), 0x33);  // A
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.pc, 0x800A);
  EXPECT_EQ(m.cpu.regs.a, 0x33);
  EXPECT_EQ(m.cpu.regs.hx & 0xFF, 0x44);
  EXPECT_FALSE(m.cpu.regs.cc & kI);
  EXPECT_EQ(m.cpu.cycles, 3u + 2 + 1 + 2 + 2 + 11 + 1 + 1 + 9);
}

TEST(SimCpu, MaskableInterruptRespectsI) {
  Machine m;
  m.boot(0x8000, {0x9D, 0x9D});
  m.load(0xFFFA, {0x90, 0x00});
  EXPECT_FALSE(m.cpu.interrupt(0xFFFA));  // I is set after reset
  m.cpu.regs.cc = kCcOnes;
  EXPECT_TRUE(m.cpu.interrupt(0xFFFA));
  EXPECT_EQ(m.cpu.regs.pc, 0x9000);
}

TEST(SimCpu, StopWaitBgndAndIllegalEndTheRun) {
  struct Case {
    uint8_t opcode;
    StopReason reason;
    uint16_t pc;
  };
  for (const Case& c : {Case{0x8E, StopReason::stop, 0x8002}, Case{0x8F, StopReason::wait, 0x8002},
                        Case{0x82, StopReason::bgnd, 0x8002}}) {
    Machine m;
    m.boot(0x8000, {0x9D, c.opcode, 0x9D});
    EXPECT_EQ(m.cpu.run(100), c.reason);
    EXPECT_EQ(m.cpu.regs.pc, c.pc);
    EXPECT_EQ(m.cpu.instructions, 2u);
    if (c.reason != StopReason::bgnd) {
      EXPECT_FALSE(m.cpu.regs.cc & kI);
    }
  }
  Machine m;
  m.boot(0x8000, {0x9D, 0x9E, 0x9E});
  EXPECT_EQ(m.cpu.run(100), StopReason::illegal);
  EXPECT_EQ(m.cpu.regs.pc, 0x8001);
}

TEST(SimCpu, RunStopsAtUntilBeforeExecuting) {
  Machine m;
  m.boot(0x8000, {0x9D, 0x9D, 0x20, 0xFE});
  EXPECT_EQ(m.cpu.run(1000, 0x8002), StopReason::until);
  EXPECT_EQ(m.cpu.instructions, 2u);
  EXPECT_EQ(m.cpu.run(1000, 0x8002), StopReason::until);  // already there
  EXPECT_EQ(m.cpu.instructions, 2u);
  EXPECT_EQ(m.cpu.run(10), StopReason::max);
  EXPECT_EQ(m.cpu.instructions, 12u);
}

TEST(SimCpu, PostIncrementForms) {
  Machine m;
  m.load(0x40, {5, 9});
  m.boot(0x8000, {
                     0x45, 0x00, 0x40,  // ldhx #0x40
                     0xA6, 0x05,        // lda #5
                     0x71, 0x02,        // cbeq x+,+2  (taken, hx=0x41)
                     0x9D, 0x9D,
                     0x7E, 0x60,        // mov x+,<0x60  (9 -> 0x60, hx=0x42)
                     0x5E, 0x40,        // mov <0x40,x+  (5 -> 0x42, hx=0x43)
                     0x6E, 0xAA, 0x61,  // mov #0xaa,<0x61
                 });
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.pc, 0x8009);
  EXPECT_EQ(m.cpu.regs.hx, 0x41);
  m.cpu.run(3);
  EXPECT_EQ(m.mem->peek(0x60), 9);
  EXPECT_EQ(m.mem->peek(0x42), 5);
  EXPECT_EQ(m.mem->peek(0x61), 0xAA);
  EXPECT_EQ(m.cpu.regs.hx, 0x43);
  EXPECT_TRUE(m.cpu.regs.cc & kN);  // from 0xaa
}

TEST(SimCpu, BitInstructionsAndLoops) {
  Machine m;
  m.boot(0x8000, {
                     0x14, 0x50,        // bset 2,<0x50
                     0x05, 0x50, 0x10,  // brclr 2,<0x50,+16 (not taken, C=1)
                     0xA6, 0x03,        // lda #3
                     0x4B, 0xFE,        // dbnza self  (3 times)
                     0x15, 0x50,        // bclr 2,<0x50
                 });
  m.cpu.run(2);
  EXPECT_EQ(m.mem->peek(0x50), 0x04);
  EXPECT_EQ(m.cpu.regs.pc, 0x8005);
  EXPECT_TRUE(m.cpu.regs.cc & kC);
  m.cpu.run(4);
  EXPECT_EQ(m.cpu.regs.a, 0);
  EXPECT_EQ(m.cpu.regs.pc, 0x8009);
  m.cpu.run(1);
  EXPECT_EQ(m.mem->peek(0x50), 0x00);
}

TEST(SimCpu, StackPointerTransfers) {
  Machine m;
  m.boot(0x8000, {0xA7, 0xF0, 0x95, 0x9C, 0xAF, 0x80, 0x9E, 0xFF, 0x01, 0x9E, 0xFE, 0x01, 0x9E, 0xAE});
  m.cpu.run(1);  // ais #-16
  EXPECT_EQ(m.cpu.regs.sp, 0xEF);
  m.cpu.run(1);  // tsx
  EXPECT_EQ(m.cpu.regs.hx, 0xF0);
  m.cpu.run(1);  // rsp
  EXPECT_EQ(m.cpu.regs.sp, 0xFF);
  m.cpu.run(1);  // aix #-128
  EXPECT_EQ(m.cpu.regs.hx, 0x70);
  m.cpu.regs.sp = 0x1FF;
  m.cpu.regs.hx = 0x0123;
  m.cpu.run(1);  // sthx 1,sp
  EXPECT_EQ(m.mem->peek(0x200), 0x01);
  EXPECT_EQ(m.mem->peek(0x201), 0x23);
  m.cpu.regs.hx = 0;
  m.cpu.run(1);  // ldhx 1,sp
  EXPECT_EQ(m.cpu.regs.hx, 0x0123);
  m.mem->program(0x123, 0xBE);
  m.mem->program(0x124, 0xEF);
  m.cpu.run(1);  // ldhx ,x
  EXPECT_EQ(m.cpu.regs.hx, 0xBEEF);
  EXPECT_TRUE(m.cpu.regs.cc & kN);
}

TEST(SimCpu, CallAndRtcSwitchPages) {
  Machine m("QE128");
  m.load(0x1C200, {0xA6, 0x77, 0x8D});            // page 7 at 0x8200: lda #0x77; rtc
  m.load(0xC000, {0xAC, 0x07, 0x82, 0x00, 0x9D});  // call 0x8200 in page 7
  m.load(0xFFFE, {0xC0, 0x00});
  m.cpu.reset();
  m.cpu.regs.sp = 0x1000;
  m.cpu.run(1);
  EXPECT_EQ(m.mem->ppage(), 7);
  EXPECT_EQ(m.cpu.regs.pc, 0x8200);
  EXPECT_EQ(m.mem->peek(0x1000 - 2), 2);  // the caller's page
  EXPECT_EQ(m.cpu.cycles, 8u);
  m.cpu.run(2);
  EXPECT_EQ(m.cpu.regs.a, 0x77);
  EXPECT_EQ(m.mem->ppage(), 2);
  EXPECT_EQ(m.cpu.regs.pc, 0xC004);
  EXPECT_EQ(m.cpu.regs.sp, 0x1000);

  Machine flat;  // no paging: call is not an instruction of the chip
  flat.boot(0x8000, {0xAC, 0x07, 0x82, 0x00});
  EXPECT_EQ(flat.cpu.step(), StopReason::illegal);
}

}  // namespace
}  // namespace yav::sim
