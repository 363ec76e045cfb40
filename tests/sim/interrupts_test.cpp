// Interrupts taken from the chip's peripherals, WAIT left by one, the watchdog and the
// illegal-opcode reset, and the timer's registers, on GENERIC (timer block at 0x1800, 8 MHz
// bus) and the QE128 (4194304 Hz bus).
#include <gtest/gtest.h>

#include "sim/flags.h"
#include "sim/peripherals.h"
#include "sim_test_support.h"

namespace yav::sim {
namespace {

using test::Machine;

// Runs until the cycle count reaches `cycles` (at most an instruction past it).
void run_until_cycle(Machine& m, uint64_t cycles) {
  while (m.cpu.cycles + 20000 < cycles) m.cpu.run(1000);
  while (m.cpu.cycles < cycles) m.cpu.step();
}

// GENERIC: TPM1 modulo 999 (an overflow every 1000 bus cycles) with its interrupt; the
// handler clears TOF (read, then write 0) and counts in 0x80.
void boot_timer_program(Machine& m) {
  m.boot(0x8000, {
                     0xA6, 0x03, 0xC7, 0x18, 0x43,  // lda #3; sta TPM1MODH
                     0xA6, 0xE7, 0xC7, 0x18, 0x44,  // lda #$E7; sta TPM1MODL
                     0xA6, 0x48, 0xC7, 0x18, 0x40,  // lda #$48; sta TPM1SC (TOIE, bus clock, /1)
                     0x9A,                          // 800F cli
                     0x20, 0xFE,                    // 8010 bra *
                 });
  m.load(0x9000, {
                     0xC6, 0x18, 0x40,  // lda TPM1SC
                     0xA4, 0x7F,        // and #$7F
                     0xC7, 0x18, 0x40,  // sta TPM1SC
                     0x3C, 0x80,        // inc $80
                     0x80,              // rti
                 });
  m.load(0xFFF0, {0x90, 0x00});
}

TEST(SimInterrupts, TimerOverflowStacksTheInterruptedStateAndReturns) {
  Machine m("GENERIC");
  boot_timer_program(m);
  m.cpu.regs.hx = 0x0044;
  ASSERT_EQ(m.cpu.run(100000, uint16_t{0x9000}), StopReason::until);
  // Stacked: PC low, PC high, X, A, CC (I clear), SP down by 5; I set in the handler.
  EXPECT_EQ(m.cpu.regs.sp, 0x00FF - 5);
  EXPECT_EQ(m.mem->peek(0xFF), 0x10);
  EXPECT_EQ(m.mem->peek(0xFE), 0x80);
  EXPECT_EQ(m.mem->peek(0xFD), 0x44);
  EXPECT_EQ(m.mem->peek(0xFC), 0x48);
  EXPECT_EQ(m.mem->peek(0xFB) & kI, 0);
  EXPECT_TRUE(m.cpu.regs.cc & kI);
  // The counter started when TPM1SC was written (cycle 2+4+2+4+2+4 after reset's 0): the
  // first overflow comes 1000 cycles later, then 11 cycles of interrupt entry.
  EXPECT_GE(m.cpu.cycles, 18u + 1000 + 11);
  EXPECT_LE(m.cpu.cycles, 18u + 1000 + 11 + 3);  // at most one bra in between
  ASSERT_EQ(m.cpu.run(100, uint16_t{0x8010}), StopReason::until);
  EXPECT_EQ(m.cpu.regs.sp, 0x00FF);
  EXPECT_FALSE(m.cpu.regs.cc & kI);
  EXPECT_EQ(m.mem->peek(0x80), 1);
}

TEST(SimInterrupts, TimerTicksAtItsRateInSimulatedTime) {
  Machine m("GENERIC");
  boot_timer_program(m);
  run_until_cycle(m, 18 + 100 * 1000 + 500);
  EXPECT_EQ(m.mem->peek(0x80), 100);
  // 8 MHz: 8 cycles a microsecond.
  EXPECT_DOUBLE_EQ(m.cpu.microseconds(), static_cast<double>(m.cpu.cycles) / 8);
}

TEST(SimInterrupts, TheIBitHoldsAPendingInterruptUntilCleared) {
  Machine m("GENERIC");
  boot_timer_program(m);
  m.load(0x800F, {0x9D});  // nop instead of cli
  m.load(0x8011, {0x9D, 0x9D, 0x9A, 0x20, 0xFE});  // (after a bra over them) cli later
  run_until_cycle(m, 5000);
  EXPECT_EQ(m.mem->peek(0x80), 0);  // masked: TOF stays set, nothing taken
  m.cpu.regs.pc = 0x8013;            // cli
  ASSERT_EQ(m.cpu.run(1000, uint16_t{0x9000}), StopReason::until);
  EXPECT_EQ(m.mem->peek(0xFF), 0x14);  // taken right after the cli
}

// GENERIC: the RTC interrupts every millisecond (8000 bus cycles); the program sleeps in WAIT.
TEST(SimInterrupts, WaitSleepsUntilTheInterruptAndGoesOnAfterIt) {
  Machine m("GENERIC");
  m.boot(0x8000, {
                     0xA6, 0x18, 0xC7, 0x18, 0x6C,  // lda #$18; sta RTCSC (RTIE, 1 kHz, /1)
                     0x9A,                          // cli
                     0x8F,                          // 8006 wait
                     0x3C, 0x81,                    // 8007 inc $81
                     0x20, 0xFE,                    // 8009 bra *
                 });
  m.load(0x9000, {0xC6, 0x18, 0x6C, 0xAA, 0x80, 0xC7, 0x18, 0x6C, 0x3C, 0x80, 0x80});  // clear RTIF; inc $80; rti
  m.load(0xFFCE, {0x90, 0x00});
  ASSERT_EQ(m.cpu.run(100, uint16_t{0x9000}), StopReason::until);
  EXPECT_EQ(m.cpu.instructions, 4u);     // no instructions while asleep
  EXPECT_EQ(m.cpu.cycles, 6u + 8000 + 11);  // the tick at 1 ms after RTCSC's write, then entry
  EXPECT_EQ(m.mem->peek(0xFF), 0x07);    // returns after the WAIT
  ASSERT_EQ(m.cpu.run(100, uint16_t{0x8009}), StopReason::until);
  EXPECT_EQ(m.mem->peek(0x80), 1);
  EXPECT_EQ(m.mem->peek(0x81), 1);
}

TEST(SimInterrupts, WaitWithTheTimerRunningButNoInterruptLetsTimePass) {
  Machine m("GENERIC");
  m.boot(0x8000, {0xA6, 0x08, 0xC7, 0x18, 0x6C, 0x8F});  // RTC on, its interrupt off; wait
  EXPECT_EQ(m.cpu.run(10), StopReason::max);
  EXPECT_EQ(m.cpu.regs.pc, 0x8005);  // on the WAIT, sleeping on at the next run
  EXPECT_GE(m.cpu.cycles, 7u * 8000);
  // One step of the WAIT is one more millisecond.
  const uint64_t before = m.cpu.cycles;
  m.cpu.step();
  EXPECT_EQ(m.cpu.regs.pc, 0x8005);
  EXPECT_EQ(m.cpu.cycles - before, 8000u);
}

TEST(SimInterrupts, TimerCounterReadIsCoherentAndFlagsClearOnlyAfterBeingRead) {
  auto chip = make_chip("GENERIC");
  Peripherals& pe = *chip->peripherals();
  pe.now = 100;
  chip->write(0x1840, 0x08);  // bus clock, /1, MOD 0: counts 0..0xFFFF
  pe.now = 100 + 0x1234;
  EXPECT_EQ(chip->read(0x1841), 0x12);
  pe.now += 0x100;                      // the low byte was latched by reading the high one
  EXPECT_EQ(chip->read(0x1842), 0x34);
  EXPECT_EQ(chip->read(0x1842), 0x34);  // latch released: the counter now (0x1334)
  pe.now = 100 + 0x10000 + 5;           // past the overflow
  chip->write(0x1840, 0x08);            // writing 0 to TOF without reading it first: kept
  EXPECT_EQ(chip->read(0x1840), 0x88);
  chip->write(0x1840, 0x08);  // after the read: cleared
  EXPECT_EQ(chip->peek(0x1840), 0x08);
  chip->write(0x1841, 0);  // any write to the counter clears it
  pe.now += 7;
  EXPECT_EQ(chip->read(0x1842), 7);
}

// QE128: the watchdog is on after reset (1024 ms of the 1 kHz clock: 4294967 bus cycles).
TEST(SimInterrupts, WatchdogResetsAProgramThatStopsServicingIt) {
  constexpr uint64_t kTimeout = 1024ull * 4194304 / 1000;
  for (const bool service : {false, true}) {
    Machine m("QE128");
    m.boot(0x2080, {
                       0xC6, 0x18, 0x00,  // lda SRS
                       0xB7, 0x80,        // sta $80
                       service ? uint8_t{0xC7} : uint8_t{0xC6}, 0x18, 0x00,  // sta SRS (or lda)
                       0x20, 0xFB,        // bra back to the store
                   });
    run_until_cycle(m, kTimeout - 100);
    EXPECT_EQ(m.mem->peek(0x80), kResetPor) << "serviced " << service << " at " << m.cpu.cycles;
    run_until_cycle(m, kTimeout + 100);
    EXPECT_EQ(m.mem->peek(0x80), service ? kResetPor : kResetCop) << "serviced " << service;
  }
}

TEST(SimInterrupts, IllegalOpcodeResetsTheChipWhenAskedTo) {
  Machine m("QE128");
  m.boot(0x2080, {0xC6, 0x18, 0x00, 0xB7, 0x80, 0x9E, 0x9E});  // lda SRS; sta $80; illegal
  m.cpu.illegal_resets = true;
  m.cpu.regs.cc = 0;
  m.cpu.run(3);
  EXPECT_EQ(m.cpu.regs.pc, 0x2080);
  EXPECT_EQ(m.cpu.regs.sp, 0x00FF);
  EXPECT_TRUE(m.cpu.regs.cc & kI);
  m.cpu.run(2);
  EXPECT_EQ(m.mem->peek(0x80), kResetIlop);
}

TEST(SimInterrupts, PinsFromOutsideAndOutputLatches) {
  auto chip = make_chip("QE128");
  Peripherals& pe = *chip->peripherals();
  EXPECT_EQ(pe.level("PTB1"), 1);  // undriven input: pulled up
  EXPECT_EQ(pe.drive("ptb1", 0), 0);
  EXPECT_EQ(chip->read(0x02), 0xFD);
  chip->write(0x03, 0x02);  // PTB1 an output: its latch wins
  chip->write(0x02, 0x02);
  EXPECT_EQ(pe.level("PTB1"), 1);
  EXPECT_EQ(pe.drive("PTB1", -1), 1);
  EXPECT_EQ(pe.drive("PTG0", 0), -1);
  EXPECT_EQ(pe.drive("IRQ", 2), -1);
  EXPECT_EQ(make_chip("QG8")->peripherals()->drive("PTA0", 0), -1);
}

}  // namespace
}  // namespace yav::sim
