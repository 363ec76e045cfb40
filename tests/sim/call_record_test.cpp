// The simulator's record of calls in progress, on hand-assembled programs whose calls are known
// instruction by instruction: recursion, calls through pointers, SWI and timer interrupts,
// frames left without a return, the paged call and reset.
#include <gtest/gtest.h>

#include <vector>

#include "sim/call_record.h"
#include "sim_test_support.h"

namespace yav::sim {
namespace {

using test::Machine;

// A frame as the test expects it: entry, return address, SP after the push, interrupt.
struct Expected {
  uint16_t entry, ret, sp;
  bool interrupt = false;
};

void expect_frames(const CallRecord& record, const std::vector<Expected>& expected) {
  const std::vector<CallFrame>& got = record.frames();
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(got[i].entry, expected[i].entry);
    EXPECT_EQ(got[i].return_address, expected[i].ret);
    EXPECT_EQ(got[i].sp, expected[i].sp);
    EXPECT_EQ(got[i].interrupt, expected[i].interrupt);
  }
}

// Runs to `pc` (within a few hundred instructions).
void run_to(Machine& m, uint16_t pc) { ASSERT_EQ(m.cpu.run(500, pc), StopReason::until) << std::hex << pc; }

// main: rec(3) by JSR, a function through H:X, then SWI, whose handler calls rec(1).
// rec: deca; beq out; bsr rec; out: rts  (so rec(n) nests n frames).
void boot_call_program(Machine& m) {
  m.boot(0x8000, {
                     0xA6, 0x03,        // 8000 lda #3
                     0xCD, 0x90, 0x00,  // 8002 jsr rec
                     0x45, 0x91, 0x00,  // 8005 ldhx #fn
                     0xFD,              // 8008 jsr ,x
                     0x83,              // 8009 swi
                     0x20, 0xFE,        // 800A bra *
                 });
  m.load(0x9000, {0x4A, 0x27, 0x02, 0xAD, 0xFB, 0x81});  // rec: deca; beq 9005; bsr 9000; 9005 rts
  m.load(0x9100, {0x81});                                // fn: rts
  m.load(0x9200, {0xA6, 0x01, 0xCD, 0x90, 0x00, 0x80});  // handler: lda #1; jsr rec; 9205 rti
  m.load(0xFFFC, {0x92, 0x00});
}

TEST(SimCallRecord, FollowsRecursionPointerCallsAndSoftwareInterrupts) {
  Machine m;
  CallRecord record;
  m.cpu.calls = &record;
  boot_call_program(m);
  run_to(m, 0x9005);  // the deepest rec: 3 frames, SP 2 lower each
  expect_frames(record, {{0x9000, 0x8005, 0xFD}, {0x9000, 0x9005, 0xFB}, {0x9000, 0x9005, 0xF9}});
  run_to(m, 0x9100);  // every rec returned; fn entered through jsr ,x
  expect_frames(record, {{0x9100, 0x8009, 0xFD}});
  run_to(m, 0x9005);  // inside the handler: the SWI frame (5 bytes) and rec(1)
  expect_frames(record, {{0x9200, 0x800A, 0xFA, true}, {0x9000, 0x9205, 0xF8}});
  run_to(m, 0x800A);
  EXPECT_EQ(m.cpu.regs.sp, 0xFF);
  expect_frames(record, {});
}

TEST(SimCallRecord, APointerCallThroughAReturningStubNamesTheCalledFunction) {
  // SDCC's call through a pointer: BSR to a stub that pushes the target and returns to it. The
  // stub's RTS ends no frame; the frame it made runs the target.
  Machine m;
  CallRecord record;
  m.cpu.calls = &record;
  m.boot(0x8000, {
                     0xAD, 0x02,  // 8000 bsr stub
                     0x20, 0xFE,  // 8002 bra *
                     0xA6, 0x00,  // 8004 stub: lda #<fn
                     0x87,        // psha
                     0xA6, 0x91,  // lda #>fn
                     0x87,        // psha
                     0x81,        // rts
                 });
  m.load(0x9100, {0x9D, 0x81});  // fn: nop; rts
  run_to(m, 0x8004);
  expect_frames(record, {{0x8004, 0x8002, 0xFD}});
  run_to(m, 0x9101);
  expect_frames(record, {{0x9100, 0x8002, 0xFD}});
  run_to(m, 0x8002);
  expect_frames(record, {});
}

TEST(SimCallRecord, IsEmptiedByResetAndKeptOnlyWhileSet) {
  Machine m;
  CallRecord record;
  m.cpu.calls = &record;
  boot_call_program(m);
  run_to(m, 0x9005);
  ASSERT_EQ(record.frames().size(), 3u);
  m.cpu.reset();
  expect_frames(record, {});
  m.cpu.calls = nullptr;  // not recording: the record stays as it was
  run_to(m, 0x9005);
  expect_frames(record, {});
}

TEST(SimCallRecord, FramesLeftWithoutAReturnAreDropped) {
  // a calls b, which drops its own return address and returns straight to main (as longjmp
  // does); c drops its return address and jumps back into main, which calls d.
  Machine m;
  CallRecord record;
  m.cpu.calls = &record;
  m.boot(0x8000, {
                     0xCD, 0x90, 0x00,  // 8000 jsr a
                     0xCD, 0x92, 0x00,  // 8003 jsr c
                 });
  m.load(0x8010, {0xCD, 0x93, 0x00, 0x20, 0xFE});  // 8010 jsr d; 8013 bra *
  m.load(0x9000, {0xCD, 0x91, 0x00, 0x81});        // a: jsr b; rts
  m.load(0x9100, {0xA7, 0x02, 0x81});              // b: ais #2; rts
  m.load(0x9200, {0xA7, 0x02, 0xCC, 0x80, 0x10});  // c: ais #2; jmp 8010
  m.load(0x9300, {0x81});                          // d: rts
  run_to(m, 0x9102);
  expect_frames(record, {{0x9000, 0x8003, 0xFD}, {0x9100, 0x9003, 0xFB}});
  run_to(m, 0x8003);  // b's rts left both frames
  expect_frames(record, {});
  run_to(m, 0x8010);  // c is over, but nothing has returned yet
  expect_frames(record, {{0x9200, 0x8006, 0xFD}});
  run_to(m, 0x9300);  // d's call takes the place c left
  expect_frames(record, {{0x9300, 0x8013, 0xFD}});
  run_to(m, 0x8013);
  expect_frames(record, {});
}

TEST(SimCallRecord, TimerInterruptRecordsTheInterruptedPc) {
  // GENERIC: TPM1 overflows every 1000 bus cycles; main calls a subroutine that loops, and the
  // handler (clears TOF, counts in 0x80) interrupts it there.
  Machine m("GENERIC");
  CallRecord record;
  m.cpu.calls = &record;
  m.boot(0x8000, {
                     0xA6, 0x03, 0xC7, 0x18, 0x43,  // lda #3; sta TPM1MODH
                     0xA6, 0xE7, 0xC7, 0x18, 0x44,  // lda #$E7; sta TPM1MODL
                     0xA6, 0x48, 0xC7, 0x18, 0x40,  // lda #$48; sta TPM1SC (TOIE, bus clock)
                     0x9A,                          // 800F cli
                     0xCD, 0x90, 0x80,              // 8010 jsr spin
                 });
  m.load(0x9080, {0x20, 0xFE});  // spin: bra *
  m.load(0x9000, {0xC6, 0x18, 0x40, 0xA4, 0x7F, 0xC7, 0x18, 0x40, 0x3C, 0x80, 0x80});
  m.load(0xFFF0, {0x90, 0x00});
  ASSERT_EQ(m.cpu.run(100000, uint16_t{0x9000}), StopReason::until);
  expect_frames(record, {{0x9080, 0x8013, 0xFD}, {0x9000, 0x9080, 0xF8, true}});
  // The stacked PC in memory is the one recorded.
  EXPECT_EQ(m.mem->peek(0xFC) << 8 | m.mem->peek(0xFD), 0x9080);
  ASSERT_EQ(m.cpu.run(100, uint16_t{0x9080}), StopReason::until);
  expect_frames(record, {{0x9080, 0x8013, 0xFD}});
}

TEST(SimCallRecord, PagedCallAndReturn) {
  Machine m("QE128");
  CallRecord record;
  m.cpu.calls = &record;
  m.load(0x1C200, {0xA6, 0x77, 0x8D});            // page 7 at 0x8200: lda #0x77; rtc
  m.load(0xC000, {0xAC, 0x07, 0x82, 0x00, 0x9D});  // call 0x8200 in page 7; nop
  m.load(0xFFFE, {0xC0, 0x00});
  m.cpu.reset();
  m.cpu.regs.sp = 0x1000;
  m.cpu.run(1);
  expect_frames(record, {{0x8200, 0xC004, 0x1000 - 3}});  // PC and the caller's page pushed
  m.cpu.run(2);
  expect_frames(record, {});
}

}  // namespace
}  // namespace yav::sim
