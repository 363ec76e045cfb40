// What the front-ends reach of the simulated target through the kernel's port alone: the
// Target menu's Reset, the chip choice of the Setup side, and the link's course.
#include "engine/target_setup.h"
#include "target/target_access.h"
#include "target/target_fixture.h"
#include "ui/target_commands.h"

namespace yav::test {
namespace {

// The menu's Reset restarts the program at its entry point, then resets the chip, which takes
// its program counter from the reset vector at 0xFFFE:0xFFFF: the vector wins.
TEST_F(TargetTest, MenuResetEndsWhereTheResetVectorPoints) {
  setting("TARGET", "CHIP", "GENERIC");  // flat RAM: the vector can be written
  ASSERT_TRUE(k.target->connect());
  const uint8_t vector[] = {0x30, 0x00};
  ASSERT_TRUE(target::writeMemory(k, 0xFFFE, vector, sizeof vector));
  k.prog.entryPoint = 0x2000;
  ASSERT_EQ(k.target->resetCommandId(), 20002);
  ASSERT_TRUE(runTargetCommand(k, 20002));
  EXPECT_EQ(k.regs.file.pc, 0x3000);
  RegisterFile onChip;
  ASSERT_TRUE(k.target->readRegisters(onChip));
  EXPECT_EQ(onChip.pc, 0x3000);
}

TEST_F(TargetTest, SetupSideFollowsTheChipChoice) {
  TargetSetup* setup = targetSetup(k);
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(setup->chipName(), "");  // nothing selected before the connection
  ASSERT_TRUE(k.target->connect());
  EXPECT_EQ(setup->chipName(), "QE128");  // the settings file's default chip
  EXPECT_EQ(k.target->menuTitle(), "&Target (QE128)");
  ASSERT_EQ(setup->chipLibraries().size(), 1u);

  EXPECT_FALSE(setup->selectChip("NOSUCH"));
  EXPECT_EQ(setup->chipName(), "QE128");  // a chip nobody offers leaves the current one
  ASSERT_TRUE(setup->selectChip("QG8"));
  ASSERT_TRUE(k.target->reconnect());
  EXPECT_EQ(setup->chipName(), "QG8");
  EXPECT_EQ(k.target->menuTitle(), "&Target (QG8)");
  EXPECT_EQ(platform::iniGet("TARGET", "CHIP", ""), "QG8");

  k.target->shutdown();
  EXPECT_FALSE(k.target->connected());
  EXPECT_EQ(setup->chipName(), "");  // the libraries are gone with the link
}

// Settings handed to the Setup side are the ones the next connection uses and saves.
TEST_F(TargetTest, SetupSettingsGoToTheNextConnection) {
  ASSERT_TRUE(k.target->connect());
  EXPECT_EQ(platform::iniGet("OPTIONS", "YAVLINK", ""), "USB");
  TargetSetup* setup = targetSetup(k);
  ASSERT_NE(setup, nullptr);
  ConnectionSettings s = setup->connectionSettings();
  s.link = "LPT";
  s.resetOnConnect = false;
  setup->setConnectionSettings(s);
  ASSERT_TRUE(k.target->reconnect());
  EXPECT_EQ(platform::iniGet("OPTIONS", "YAVLINK", ""), "LPT");
  EXPECT_EQ(platform::iniGet("OPTIONS", "RESETONCONNECT", ""), "NO");
}

}  // namespace
}  // namespace yav::test
