// The Target menu as the frame runs it: every item goes to the kernel's target port, and Reset
// restarts the program (`zero`: the program counter back at the entry point) before the port
// resets the target, so that the target's reset has the last word.
#include "ui/target_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "support/fake_target_port.h"
#include "support/fake_ui_port.h"

namespace yav::test {
namespace {

constexpr int kConnectItem = 20000, kResetItem = 20002, kUnknownItem = 20013;
constexpr uint16_t kStoppedAt = 0x1000, kEntryPoint = 0x2000, kResetVector = 0x3000;

struct MenuCase {
  const char* what;
  std::optional<int> portReset;  // the port's Reset item
  int id;
  bool handled;
  std::optional<uint16_t> pcWhenRun;  // where the program counter stood when the port ran it
  uint16_t pcAfter;
};

TEST(TargetMenuCommands, ResetRestartsTheProgramBeforeThePortResets) {
  const MenuCase cases[] = {
      {"Reset: zero first, then the target's reset wins", kResetItem, kResetItem, true, kEntryPoint, kResetVector},
      {"Connect: no restart", kResetItem, kConnectItem, true, kStoppedAt, kStoppedAt},
      {"an item the port does not have", kResetItem, kUnknownItem, false, std::nullopt, kStoppedAt},
      {"a port without a Reset item: nothing restarts", std::nullopt, kResetItem, true, kStoppedAt, kResetVector},
  };
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakeUiPort ui;
    Kernel k{ui};
    auto port = std::make_unique<FakeTargetPort>();
    FakeTargetPort& p = *port;
    k.target = std::move(port);
    p.menuItems = {kConnectItem, kResetItem};
    p.resetItem = c.portReset;
    p.regs.pc = kStoppedAt;
    k.regs.file = p.regs;
    k.regs.valid = true;
    k.prog.entryPoint = kEntryPoint;
    std::optional<uint16_t> pcWhenRun;
    p.onCommand = [&](int id) {
      pcWhenRun = p.regs.pc;
      if (id == kResetItem) p.regs.pc = kResetVector;  // the chip starts at its reset vector
    };

    EXPECT_EQ(runTargetCommand(k, c.id), c.handled);
    EXPECT_EQ(p.commandsRun, std::vector<int>{c.id});
    EXPECT_EQ(pcWhenRun, c.pcWhenRun);
    EXPECT_EQ(p.regs.pc, c.pcAfter);
  }
}

TEST(TargetMenuCommands, WithoutATargetPortNothingRuns) {
  FakeUiPort ui;
  Kernel k{ui};
  EXPECT_FALSE(runTargetCommand(k, kResetItem));
  EXPECT_EQ(targetResetCommand(k), 0);
  EXPECT_TRUE(ui.refreshed.empty());  // not even the restart's refresh
}

}  // namespace
}  // namespace yav::test
