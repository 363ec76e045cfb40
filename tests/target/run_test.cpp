// Registers, memory and runs through the real simulated libraries.
#include <chrono>
#include <set>
#include <thread>

#include "target/connection.h"
#include "target/chip_target.h"
#include "target/console_port.h"
#include "target/target_access.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

using namespace yav::target;
using namespace std::chrono_literals;

constexpr uint16_t kCode = 0x0100;     // QE128 RAM
constexpr uint16_t kCounter = 0x0090;  // incremented by the loop

// loop: INC counter; BRA loop
const uint8_t kLoop[] = {0x3C, static_cast<uint8_t>(kCounter), 0x20, 0xFC};

class RunTest : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    setting("OPTIONS", "RESETONCONNECT", "NO");
    ASSERT_TRUE(connectTarget(k));
  }
  void startAt(uint16_t pc) {
    RegisterBlock regs;
    ASSERT_TRUE(readRegisters(k, regs));
    regs.setPc(pc);
    regs.setSp(0x17F0);
    ASSERT_TRUE(writeRegisters(k, regs));
  }
  // Waits until the target halts again (bounded, so a broken stop fails instead of hanging).
  bool waitFrozen() {
    for (int i = 0; i < 2000; ++i) {
      if (target::targetState(k).cable.test_for_freeze()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }
  uint8_t stopByte() {
    uint8_t b = 0;
    EXPECT_TRUE(readMemory(k, 0x1818 | 0, &b, 1));
    return b;
  }
  const CableEntries& cable() { return target::targetState(k).cable; }
};

TEST_F(RunTest, RegistersAndMemoryGoThroughTheChipLibrary) {
  RegisterBlock regs;
  ASSERT_TRUE(readRegisters(k, regs));
  regs.bytes[0] = 0x12;
  regs.bytes[1] = 0x34;
  regs.bytes[2] = 0x56;
  regs.setSp(0x1234);
  regs.setPc(0x2345);
  ASSERT_TRUE(writeRegisters(k, regs));
  RegisterBlock back;
  ASSERT_TRUE(readRegisters(k, back));
  EXPECT_EQ(back.a(), 0x12);
  EXPECT_EQ(back.x(), 0x34);
  EXPECT_EQ(back.h(), 0x56);
  EXPECT_EQ(back.sp(), 0x1234);
  EXPECT_EQ(back.pc(), 0x2345);

  const uint8_t data[] = {1, 2, 3, 4};
  ASSERT_TRUE(writeMemory(k, 0x0200, data, 4));
  uint8_t read[4] = {};
  ASSERT_TRUE(readMemory(k, 0x0200, read, 4));
  EXPECT_EQ(std::vector<uint8_t>(read, read + 4), std::vector<uint8_t>(data, data + 4));
}

TEST_F(RunTest, ReadingTheLinearDataRegistersLeavesTheAddressAsItWas) {
  const uint8_t address[] = {0x00, 0x02, 0x00};  // linear address 0x000200
  ASSERT_TRUE(writeMemory(k, 0x79, address, 3));
  uint8_t window[8];
  ASSERT_TRUE(readMemory(k, 0x78, window, 8));
  uint8_t after[3];
  ASSERT_TRUE(readMemory(k, 0x79, after, 3));
  EXPECT_EQ(std::vector<uint8_t>(after, after + 3), std::vector<uint8_t>(address, address + 3));
}

TEST_F(RunTest, ResumeRunsUntilTheHardwareBreakpointWhileMemoryIsRead) {
  ASSERT_TRUE(writeMemory(k, kCode, kLoop, sizeof kLoop));
  startAt(kCode);
  cable().resume();
  // Memory reads are answered while the CPU runs, and they see it counting.
  std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(cable().test_for_freeze());
  std::set<uint8_t> seen;
  // Sampled until two values were seen (bounded: a CPU that never runs fails the check below).
  for (int i = 0; i < 5000 && seen.size() < 2; ++i) {
    uint8_t v = 0;
    ASSERT_TRUE(readMemory(k, kCounter, &v, 1));
    seen.insert(v);
    EXPECT_EQ(cable().read_status() & 0x40, 0);  // not in background mode while running
    std::this_thread::sleep_for(200us);
  }
  EXPECT_GT(seen.size(), 1u);
  // Now the hardware breakpoint on the branch stops it.
  cable().write_breakpoint(kCode + 2);
  cable().write_control(static_cast<uint8_t>(cable().read_status() | 0x20));
  ASSERT_TRUE(waitFrozen());
  RegisterBlock regs;
  ASSERT_TRUE(readRegisters(k, regs));
  EXPECT_EQ(regs.pc(), kCode + 2);
  EXPECT_EQ(cable().read_breakpoint(), kCode + 2);
  EXPECT_NE(cable().read_status() & 0x40, 0);
}

TEST_F(RunTest, HaltStopsARunningTarget) {
  ASSERT_TRUE(writeMemory(k, kCode, kLoop, sizeof kLoop));
  startAt(kCode);
  cable().resume();
  std::this_thread::sleep_for(2ms);
  ASSERT_TRUE(haltTarget(k));
  EXPECT_TRUE(cable().test_for_freeze());
  EXPECT_EQ(stopByte() & 0xC0, 0);
}

TEST_F(RunTest, DataComparatorStopsAfterTheWrite) {
  ASSERT_TRUE(writeMemory(k, kCode, kLoop, sizeof kLoop));
  startAt(kCode);
  const uint8_t kinds[4] = {'W', 0, 0, 0};
  const uint32_t addresses[4] = {kCounter, 0, 0, 0};
  target::targetState(k).chip.SetBreaks(1, kinds, addresses);
  cable().resume();
  ASSERT_TRUE(waitFrozen());
  RegisterBlock regs;
  ASSERT_TRUE(readRegisters(k, regs));
  EXPECT_EQ(regs.pc(), kCode + 2);  // just after INC
  EXPECT_NE(stopByte() & 0x80, 0);
  target::targetState(k).chip.SetBreaks(0, nullptr, nullptr);
}

TEST_F(RunTest, RangeComparatorAndCodeComparatorKinds) {
  ASSERT_TRUE(writeMemory(k, kCode, kLoop, sizeof kLoop));
  struct Case {
    int count;
    uint8_t kinds[4];
    uint32_t addresses[4];
    uint16_t stopPc;
  } cases[] = {
      {1, {'R', 'W', 0, 0}, {0x0080, 0x00A0, 0, 0}, kCode + 2},  // write range 0x80..0xA0
      {1, {0, 0, 0, 0}, {kCode + 2, 0, 0, 0}, kCode + 2},        // code comparator
      {1, {'R', 0, 0, 0}, {0x00A0, 0, 0, 0}, 0},                 // read elsewhere: never
  };
  for (const Case& c : cases) {
    startAt(kCode);
    target::targetState(k).chip.SetBreaks(c.count, c.kinds, c.addresses);
    cable().resume();
    if (c.stopPc == 0) {
      std::this_thread::sleep_for(5ms);
      EXPECT_FALSE(cable().test_for_freeze());
      haltTarget(k);
      continue;
    }
    ASSERT_TRUE(waitFrozen());
    RegisterBlock regs;
    ASSERT_TRUE(readRegisters(k, regs));
    EXPECT_EQ(regs.pc(), c.stopPc);
  }
  target::targetState(k).chip.SetBreaks(0, nullptr, nullptr);
}

TEST_F(RunTest, TraceTillRecordsTheChangesOfFlow) {
  ASSERT_TRUE(writeMemory(k, kCode, kLoop, sizeof kLoop));
  startAt(kCode);
  const uint8_t kind = 0;
  const uint32_t at = kCode + 2;
  // Trigger after a few loops: till the branch is reached with the counter written three times.
  target::targetState(k).chip.SetTrace(1, 1, &kind, &at);
  cable().resume();
  ASSERT_TRUE(waitFrozen());
  EXPECT_EQ(stopByte() & 0x20, 0x20);
  uint32_t entries[16];
  int dataFlag = -1;
  const uint32_t result = target::targetState(k).chip.Trace(entries, &dataFlag);
  EXPECT_GE(result & 0xFF, 1u);
  EXPECT_EQ(entries[(result & 0xFF) - 1], at);
  EXPECT_EQ(dataFlag, 0);
}

TEST_F(RunTest, ConsoleBytesReachTheKernelOutput) {
  // LDA #'H'; STA SCI data; LDA #'i'; STA SCI data; BGND
  const uint8_t program[] = {0xA6, 'H', 0xB7, 0x27, 0xA6, 'i', 0xB7, 0x27, 0x82};
  ASSERT_TRUE(writeMemory(k, kCode, program, sizeof program));
  startAt(kCode);
  ui.out.clear();
  cable().resume();
  ASSERT_TRUE(waitFrozen());
  EXPECT_EQ(stopByte() & 0x01, 0x01);  // stopped by BGND
  EXPECT_EQ(pollConsole(k), 2);
  EXPECT_EQ(ui.out, "Hi");
}

TEST_F(RunTest, InjectedLoadAndRegisterFaultsFail) {
  shutdownTarget(k);
  ::setenv("YAVSIM_FAIL_EMLOAD", "1", 1);
  ::setenv("YAVSIM_REFUSE_PUTREGS", "1", 1);
  ASSERT_TRUE(connectTarget(k));
  const uint8_t b = 0x9D;
  EXPECT_FALSE(loadMemory(k, 0x2000, 0, &b, 1));
  RegisterBlock regs;
  ASSERT_TRUE(readRegisters(k, regs));
  EXPECT_FALSE(writeRegisters(k, regs));
}

TEST(AddressFlag, FollowsTheSelectorAndTheSecondAddress) {
  struct Case {
    uint32_t address;
    int space;
    uint32_t read, write;
  } cases[] = {
      {0x0100, 0, 0x0100, 0x0100},
      {0x0100, 1, 0x80000100, 0x0100},
      {0x4000, 1, 0x4000, 0x4000},
      {0x0100, 2, 0x0100, 0x80000100},
      {0x8000, 2, 0x8000, 0x80008000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readAddress(c.address, c.space), c.read) << c.address;
    EXPECT_EQ(writeAddress(c.address, c.space), c.write) << c.address;
  }
  EXPECT_EQ(loadAddress(0x0100, 0x10100), 0x80000100u);
  EXPECT_EQ(loadAddress(0x0100, 0), 0x0100u);
  EXPECT_EQ(loadAddress(0x0100, 0x0100), 0x0100u);
  EXPECT_EQ(loadAddress(0x4000, 0x14000), 0x4000u);
}

}  // namespace
}  // namespace yav::test
