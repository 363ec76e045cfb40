// The frame reaches the target through the kernel's port only: the Target menu's items and
// Debug > Reset go to the port, and Reset restarts the program (`zero`) before the port resets
// the target.
#include <optional>
#include <vector>

#include "qt/frame_fixture.h"
#include "support/fake_target_port.h"

namespace yav::test {
namespace {

constexpr uint16_t kStoppedAt = 0x1000, kEntryPoint = 0x2000;

class FrameTargetPortTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    auto fake = std::make_unique<FakeTargetPort>();
    port = fake.get();
    kernel().target = std::move(fake);
    port->menuItems = {20000, 20002};
    port->resetItem = 20002;
    port->regs.pc = kStoppedAt;
    kernel().regs.file = port->regs;
    kernel().regs.valid = true;
    kernel().prog.entryPoint = kEntryPoint;
    port->onCommand = [this](int) { pcWhenRun.push_back(port->regs.pc); };
  }
  FakeTargetPort* port = nullptr;
  std::vector<uint16_t> pcWhenRun;
};

TEST_F(FrameTargetPortTest, MenuItemsGoToThePortAndResetRestartsFirst) {
  struct Case {
    uint16_t action;
    int portCommand;
    uint16_t pcWhenRun;
  };
  const Case cases[] = {
      {20000, 20000, kStoppedAt},   // Target > Connect
      {20002, 20002, kEntryPoint},  // Target > Reset: the program restarted first
      {209, 20002, kEntryPoint},    // Debug > Reset: the same item
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    port->regs.pc = kStoppedAt;
    kernel().regs.file.pc = kStoppedAt;
    port->commandsRun.clear();
    pcWhenRun.clear();
    ASSERT_NE(frame().action(c.action), nullptr);
    frame().action(c.action)->trigger();
    EXPECT_EQ(port->commandsRun, std::vector<int>{c.portCommand});
    EXPECT_EQ(pcWhenRun, std::vector<uint16_t>{c.pcWhenRun});
  }
}

TEST_F(FrameTargetPortTest, DebugResetWithoutAResetItemOnlyBeeps) {
  port->resetItem = std::nullopt;
  frame().action(209)->trigger();
  EXPECT_TRUE(port->commandsRun.empty());
  EXPECT_EQ(port->regs.pc, kStoppedAt);  // no restart either
}

}  // namespace
}  // namespace yav::test
