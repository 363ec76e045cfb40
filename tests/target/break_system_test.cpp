// The target break list and runs through the target port, on the simulated board: Stepping and
// Hard Breaks Mode, the comparator and BDC filling, the limit checks and the stop request.
#include "engine/kernel_eval.h"
#include "target/break_system.h"
#include "target/chip_target.h"
#include "target/connection.h"
#include "target/target_access.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

using namespace yav::target;

constexpr uint16_t kCode = 0x0100;     // QE128 RAM
constexpr uint16_t kCounter = 0x0090;  // incremented by the loop

// 0x100 LDA #1; 0x102 INCA; 0x103 INCA; 0x104 STA counter; 0x106 INC counter; 0x108 BRA 0x106
const uint8_t kProgram[] = {0xA6, 0x01, 0x4C, 0x4C, 0xB7, kCounter, 0x3C, kCounter, 0x20, 0xFC};
constexpr uint16_t kStore = 0x104, kIncrement = 0x106, kBranch = 0x108;

class BreakSystemTest : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    setting("OPTIONS", "RESETONCONNECT", "NO");
    ASSERT_TRUE(connectTarget(k));
    ASSERT_TRUE(writeMemory(k, kCode, kProgram, sizeof kProgram));
    const uint8_t zero = 0;
    ASSERT_TRUE(writeMemory(k, kCounter, &zero, 1));
    ASSERT_TRUE(refreshRegisters(k));
    ASSERT_TRUE(setKernelRegister(k, REG_SP, 0x17F0));
    ASSERT_TRUE(setKernelRegister(k, REG_PPC, kCode));
  }
  BreakList& breaks() { return targetState(k).breaks; }
  void codeBreak(uint32_t address, uint8_t watch = 0) { insertBreak(breaks(), {address, 1, watch, 0, kBreakCode, 'A'}); }
  void dataBreak(uint32_t address, char access, uint8_t size = 1) {
    insertBreak(breaks(), {address, 1, 0, size, kBreakData, access});
  }
  uint8_t counter() {
    uint8_t b = 0;
    EXPECT_TRUE(readMemory(k, kCounter, &b, 1));
    return b;
  }
  std::optional<uint32_t> run(bool freeRun) { return k.target->run(freeRun); }
};

TEST(BreakList, KeepsAddressOrderOneEntryPerAddressAndCountsComparators) {
  BreakList list;
  insertBreak(list, {0x300, 1, 0, 0, kBreakCode, 'A'});
  insertBreak(list, {0x100, 0, 0, 0, kBreakLine, 'A'});
  insertBreak(list, {0x200, 1, 0, 2, kBreakData, 'W'});  // a word: start and end comparators
  insertBreak(list, {0x100, 1, 1, 1, kBreakData, 'R'});  // the line entry there stays
  ASSERT_EQ(list.entries.size(), 3u);
  EXPECT_EQ(list.entries[0].address, 0x100u);
  EXPECT_EQ(list.entries[0].kind, kBreakLine);
  EXPECT_EQ(list.entries[2].address, 0x300u);
  EXPECT_EQ(list.total, 4);
  EXPECT_EQ(list.data, 2);
  EXPECT_EQ(list.code, 2);
  EXPECT_NE(findBreak(list, 0x200), nullptr);
  EXPECT_EQ(findBreak(list, 0x201), nullptr);
  clearBreakList(list);
  EXPECT_TRUE(list.entries.empty());
  EXPECT_EQ(list.total, 0);
}

TEST(BreakList, BdcBreakpointAddresses) {
  const std::pair<uint32_t, uint16_t> cases[] = {
      {0x2080, 0x2080}, {0x0100, 0x0100}, {0xC000, 0xC000},
      {0x1C123, 0x8123},  // page 7, offset 0x123: through the page window
  };
  for (const auto& [address, written] : cases) EXPECT_EQ(bdcBreakpointAddress(address), written) << address;
}

TEST_F(BreakSystemTest, SteppingModeStepsUntilAnAddressOfTheList) {
  insertBreak(breaks(), {kStore, 0, 0, 0, kBreakLine, 'A'});
  EXPECT_EQ(run(false), std::optional<uint32_t>(kStore));
  EXPECT_EQ(k.regs.file.a, 3);  // LDA #1, INCA, INCA
  EXPECT_EQ(ui.status[2], "Stepping Mode");
  EXPECT_FALSE(k.exec.stopreq);  // a line entry of an active function does not request a stop
}

TEST_F(BreakSystemTest, HardBreaksStopAtACodeBreak) {
  codeBreak(kBranch);
  EXPECT_EQ(run(true), std::optional<uint32_t>(kBranch));
  EXPECT_EQ(ui.status[2], "Hard Breaks Mode");
  EXPECT_FALSE(k.exec.stopreq);  // the event test decides whether the run stops here
  EXPECT_EQ(counter(), 4);  // stored 3, then one increment
  // Starting on the break: the first instruction step leaves it, the next pass stops there again.
  EXPECT_EQ(run(true), std::optional<uint32_t>(kBranch));
  EXPECT_EQ(counter(), 5);
}

TEST_F(BreakSystemTest, FourCodeBreaksUseThreeComparatorsAndTheBdcBreakpoint) {
  for (uint32_t a : {0x0F00u, 0x0F10u, 0x0F20u, static_cast<uint32_t>(kIncrement)}) codeBreak(a);
  EXPECT_EQ(run(true), std::optional<uint32_t>(kIncrement));
  clearBreakList(breaks());
  for (uint32_t a : {0x0102u, 0x0F00u, 0x0F10u, 0x0F20u}) codeBreak(a);  // the lowest goes to the BDC
  ASSERT_TRUE(setKernelRegister(k, REG_PPC, kCode));
  EXPECT_EQ(run(true), std::optional<uint32_t>(0x0102));
}

TEST_F(BreakSystemTest, AWatchedWriteStopsAfterTheStore) {
  dataBreak(kCounter, 'W');
  EXPECT_EQ(run(true), std::optional<uint32_t>(kIncrement));  // the STA at 0x104 wrote it
  EXPECT_EQ(counter(), 3);
}

TEST_F(BreakSystemTest, LimitsRefuseOrOfferInstructionSteps) {
  // Two code breaks with a data break: refused before anything runs.
  codeBreak(kBranch);
  codeBreak(kIncrement);
  dataBreak(kCounter, 'W');
  EXPECT_EQ(run(true), std::optional<uint32_t>(kCode));
  EXPECT_TRUE(k.exec.stopreq);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back(), "Warning: Too Many Code Breakpoints.");
  EXPECT_EQ(counter(), 0);

  // Three data comparators are too many.
  clearBreakList(breaks());
  for (uint32_t a : {0x90u, 0x92u, 0x94u}) dataBreak(a, 'W');
  EXPECT_EQ(run(true), std::optional<uint32_t>(kCode));
  EXPECT_EQ(ui.boxes.back(), "Warning: Too Many DATA Breakpoints.");

  // Five code breaks: No leaves the target where it is, Yes runs in Stepping Mode.
  clearBreakList(breaks());
  for (uint32_t a : {0x0F00u, 0x0F10u, 0x0F20u, 0x0F30u, static_cast<uint32_t>(kBranch)}) codeBreak(a);
  ui.answer = false;
  EXPECT_EQ(run(true), std::optional<uint32_t>(kCode));
  EXPECT_TRUE(k.exec.stopreq);
  ASSERT_FALSE(ui.questions.empty());
  EXPECT_EQ(ui.questions.back(),
            "Warning: Too Many Breakpoints (more than 4).\n\nDo You Want To Use Instruction Steps ? \n\n"
            "(Non Real-Time Mode)");
  ui.answer = true;
  EXPECT_EQ(run(true), std::optional<uint32_t>(kCode));  // the answer holds for the whole command
  beginRunLoop(k);
  EXPECT_EQ(run(true), std::optional<uint32_t>(kBranch));
  EXPECT_EQ(ui.status[2], "Stepping Mode");
  EXPECT_EQ(counter(), 4);
}

TEST_F(BreakSystemTest, AStopRequestEndsAFreeRun) {
  ui.nextPump.stop = true;  // Escape pressed while the target runs
  const std::optional<uint32_t> pc = run(true);
  ASSERT_TRUE(pc);
  EXPECT_GE(*pc, kCode);
  EXPECT_LE(*pc, kBranch);
  EXPECT_TRUE(k.exec.stopreq);
  EXPECT_NE(targetState(k).cable.test_for_freeze(), 0);
}

TEST_F(BreakSystemTest, InstructionStepAndStraightLine) {
  ASSERT_TRUE(k.target->instructionStep());
  EXPECT_EQ(currentPc(k), 0x102u);
  EXPECT_EQ(k.regs.file.a, 1);
  EXPECT_TRUE(k.target->straightLine(kCode, kIncrement));   // loads, increments and a store
  EXPECT_FALSE(k.target->straightLine(kCode, kBranch + 2));  // the branch back
}

TEST_F(BreakSystemTest, ActiveFunctionsGiveLineEntriesWithoutStop) {
  k.target->loadBreaks(true);
  EXPECT_TRUE(breaks().entries.empty());  // no program, no active function
  EXPECT_EQ(ui.status[0], "Loading breakpoints");
}

}  // namespace
}  // namespace yav::test
