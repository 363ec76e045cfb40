#include "ui/target_setup_dialog.h"
#include "target/chip_target.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/fake_ui_port.h"

namespace yav::test {
namespace {

// A cable and chip library made of plain functions, so the dialog logic runs without a target.
uint8_t gStatus = 0x80;
int gEmsetupResult = 1;
std::vector<int> gEmsetupCalls;
int lptCount() { return 2; }
int usbCount() { return 1; }
uint16_t dllVersion() { return 205; }
uint16_t cableVersion() { return 1012; }
uint8_t status() { return gStatus; }
int emsetup(int op, void*, void*) {
  gEmsetupCalls.push_back(op);
  return gEmsetupResult;
}

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("YAV_INI", (std::filesystem::temp_directory_path() / ("yav-setup-" + std::to_string(::getpid()) + ".ini")).c_str(), 1);
    gStatus = 0x80;
    gEmsetupResult = 1;
    gEmsetupCalls.clear();
    auto& t = target::targetState(k);
    t.cableLoaded = true;
    t.cable.query_number_of_parallel_ports = lptCount;
    t.cable.query_number_of_usb_devices = usbCount;
    t.cable.get_dll_version = dllVersion;
    t.cable.get_cable_version = cableVersion;
    t.cable.read_status = status;
    t.chip.emsetup = emsetup;
    t.chipLibraries = {{"/a.so", {"QE128", "QG8"}}, {"/b.so", {"GENERIC"}}};
    t.currentChipLibrary = 0;
    t.chipName = "QG8";
    t.settings.link = "USB";
    t.settings.port = "1";
  }
  FakeUiPort ui;
  Kernel k{ui};
};

TEST(VersionText, UsesTheTwoDigitFieldOfThePattern) {
  EXPECT_EQ(versionText(205), "2. 5");
  EXPECT_EQ(versionText(1012), "10.12");
  EXPECT_EQ(versionText(0), "0. 0");
}

TEST_F(SetupDialogTest, StartListsPortsChipsAndVersions) {
  SetupDialogState d = openSetupDialog(k);
  EXPECT_EQ(d.ports, (std::vector<std::string>{"LPT1", "LPT2", "USB1"}));
  EXPECT_EQ(d.portIndex, 2);
  EXPECT_EQ(d.chips, (std::vector<std::string>{"QE128", "QG8", "GENERIC"}));
  EXPECT_EQ(d.chipIndex, 1);
  EXPECT_EQ(d.dllVersion, "2. 5");
  EXPECT_EQ(d.cableVersion, "10.12");
  EXPECT_EQ(gEmsetupCalls, std::vector<int>{1});
}

TEST_F(SetupDialogTest, CableVersionNeedsAnEnabledControllerWithoutErrorBits) {
  for (uint8_t s : {0x00, 0x81, 0x84, 0xFF}) {
    gStatus = s;
    EXPECT_EQ(openSetupDialog(k).cableVersion, " ??.??") << int(s);
  }
}

TEST_F(SetupDialogTest, OkTakesThePortAndFilesOrStaysOpen) {
  SetupDialogState d = openSetupDialog(k);
  d.portIndex = 1;
  d.resetOnConnect = false;
  d.initFile = std::string(200, 'i');
  gEmsetupResult = 0;
  EXPECT_FALSE(setupOk(k, d));  // the chip library keeps the dialog open
  EXPECT_EQ(target::targetState(k).settings.link, "USB");
  gEmsetupResult = 1;
  ASSERT_TRUE(setupOk(k, d));
  EXPECT_EQ(target::targetState(k).settings.link, "LPT");
  EXPECT_EQ(target::targetState(k).settings.port, "2");
  EXPECT_FALSE(target::targetState(k).settings.resetOnConnect);
  EXPECT_EQ(target::targetState(k).settings.initFile.size(), kSetupFileLimit);
  target::targetState(k).currentChipLibrary = -1;
  EXPECT_FALSE(setupOk(k, d));  // no chip selected: OK does nothing
}

TEST_F(SetupDialogTest, CancelTellsTheChipLibrary) {
  openSetupDialog(k);
  setupCancel(k);
  EXPECT_EQ(gEmsetupCalls, (std::vector<int>{1, 3}));
}

TEST_F(SetupDialogTest, AdvancedClockSwitchBoxesExcludeEachOther) {
  target::targetState(k).settings.setClockSwitch = true;
  target::targetState(k).settings.clearClockSwitch = true;
  AdvancedDialogState d = openAdvancedDialog(k);
  EXPECT_TRUE(d.setClockSwitch);
  EXPECT_FALSE(d.clearClockSwitch);  // the set box wins
  advancedToggle(d, kAdvancedClearClksw, true);
  EXPECT_FALSE(d.setClockSwitch);
  EXPECT_TRUE(d.clearClockSwitch);
  advancedDefaults(d);
  EXPECT_EQ(d.syncWidth, "10");
  EXPECT_TRUE(d.setClockSwitch);
  EXPECT_FALSE(d.clearClockSwitch || d.useSync);
  d.syncWidth.clear();
  EXPECT_FALSE(advancedOk(k, d));
  d.syncWidth = "25";
  ASSERT_TRUE(advancedOk(k, d));
  EXPECT_EQ(target::targetState(k).settings.syncLength, 25);
}

}  // namespace
}  // namespace yav::test
