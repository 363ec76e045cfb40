#include <cstdlib>

#include "target/connection.h"
#include "target/chip_target.h"
#include "target/link_loader.h"
#include "target/target_access.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

using namespace yav::target;

TEST_F(TargetTest, StartupConnectsSelectsTheChipAndRunsTheFilesInOrder) {
  const std::string resetFile = file("reset.cfg", "rem reset\n");
  const std::string initFile = file("init.cfg", "rem init\n");
  setting("TARGET", "RESETINITS", resetFile);
  setting("TARGET", "INITS", initFile);
  ASSERT_TRUE(connectTarget(k));
  EXPECT_TRUE(target::targetState(k).connected);
  EXPECT_TRUE(target::targetState(k).portOpen);
  EXPECT_EQ(target::targetState(k).chipName, "QE128");
  EXPECT_EQ(target::targetState(k).menuTitle, "&Target (QE128)");
  EXPECT_EQ(target::targetState(k).fatalExitCode, 0);
  EXPECT_TRUE(ui.boxes.empty()) << ui.boxes.front();
  EXPECT_EQ(ui.status[0], " Command ");
  // Reset on connect (with its file) comes before the init file.
  const size_t reset = ui.out.find("\n Reset File: " + resetFile + "\n ============\n\n");
  const size_t init = ui.out.find("\n Init. File: " + initFile + "\n ===========\n\n");
  ASSERT_NE(reset, std::string::npos) << ui.out;
  ASSERT_NE(init, std::string::npos) << ui.out;
  EXPECT_LT(reset, init);
  // The connection settings were saved.
  EXPECT_EQ(platform::iniGet("options", "yavlink", ""), "USB");
  EXPECT_EQ(platform::iniGet("OPTIONS", "RESETONCONNECT", ""), "YES");
  EXPECT_EQ(platform::iniGet("TARGET", "CHIP", ""), "QE128");
  EXPECT_NE(k.target->memory(), nullptr);
  shutdownTarget(k);
  EXPECT_FALSE(target::targetState(k).connected);
  EXPECT_FALSE(target::targetState(k).cableLoaded);
}

TEST_F(TargetTest, DiscoveryFindsTheSimulatedChips) {
  ASSERT_EQ(discoverChipLibraries(k), 1);
  const auto& chips = target::targetState(k).chipLibraries[0].chips;
  for (const char* name : {"QE128", "GENERIC"})
    EXPECT_NE(std::find(chips.begin(), chips.end(), name), chips.end()) << name;
  EXPECT_GE(chips.size(), 3u);
}

TEST(ChipBlock, ParsesNamesUpToTheEmptyOneAndWithinTheLength) {
  const char block[] = "QE128\0QG8\0\0JUNK";
  EXPECT_EQ(parseChipBlock(block, sizeof block), (std::vector<std::string>{"QE128", "QG8"}));
  EXPECT_EQ(parseChipBlock(block, 8), (std::vector<std::string>{"QE128", "QG"}));
  EXPECT_TRUE(parseChipBlock(nullptr, 10).empty());
  EXPECT_TRUE(parseChipBlock(block, -1).empty());
}

struct FaultCase {
  const char* name;
  const char* variable;  // environment fault, or nullptr
  const char* value;
  bool answer;           // reply to questions
  bool connects;
  const char* report;    // a message box must contain this
  int exitCode;
};

TEST_F(TargetTest, EachInjectedFaultIsReportedAndTheKernelKeepsRunning) {
  const FaultCase cases[] = {
      {"no cable", "YAVSIM_NO_CABLE", "1", true, false,
       "Error: Cannot Connect on Port: LPT1 Check Cable and Power Connections ", 1},
      {"cable error", "YAVSIM_CABLE_ERROR", "1", true, false,
       "Error: Cannot Connect on Port: USB1 Check Cable and Power Connections ", 1},
      {"link lost, no reset", "YAVSIM_LINK_LOST_AFTER", "0", false, false, "Error: Can't Find Target Speed ", 1},
      {"link lost, reset", "YAVSIM_LINK_LOST_AFTER", "0", true, true, "Info: CYCLE POWER ", 0},
      {"silent target", "YAVSIM_NO_BACKGROUND", "1", true, false, "Error: Can't Abort Target ", 1},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ini_);  // a failed connection may have saved another link kind
    ::setenv(c.variable, c.value, 1);
    FakeUiPort port;
    port.answer = c.answer;
    {
      Kernel kernel(port);
      target::targetState(kernel).libraryFolder = target::targetState(k).libraryFolder;
      EXPECT_EQ(connectTarget(kernel), c.connects);
      bool reported = false;
      for (const std::string& b : port.boxes) reported = reported || b.find(c.report) != std::string::npos;
      EXPECT_TRUE(reported) << (port.boxes.empty() ? std::string("no box") : port.boxes.back());
      EXPECT_EQ(target::targetState(kernel).fatalExitCode, c.exitCode);
      if (!c.connects) {
        EXPECT_TRUE(port.boxes.back().find("Unable to establish connection") != std::string::npos) << port.boxes.back();
        RegisterBlock regs;
        EXPECT_FALSE(readRegisters(kernel, regs));
        EXPECT_NE(port.boxes.back().find("No target connected"), std::string::npos);
      }
    }
    ::unsetenv(c.variable);
  }
}

TEST_F(TargetTest, LostLinkAsksBeforeTheRegisterRead) {
  ::setenv("YAVSIM_LINK_LOST_AFTER", "0", 1);
  ui.answer = true;
  ASSERT_TRUE(connectTarget(k));
  EXPECT_NE(ui.questions.at(0).find("BDM connection lost \n Do you want to reset the Chip ? "), std::string::npos);
}

TEST_F(TargetTest, MissingLibrariesEndABatchRunWithTheirCodes) {
  {
    target::targetState(k).libraryFolder = dir_.string();  // no KT55RDLLS here
    EXPECT_FALSE(connectTarget(k));
    EXPECT_TRUE(boxSaid("Error: NO TARGET DLLs available"));
    EXPECT_EQ(target::targetState(k).fatalExitCode, 100);
  }
  // A cable library that is missing, or that lacks the entry points (even when a library it
  // depends on has them).
  for (std::string cable : {dir_.string() + "/UNIT_hcs08z.so", platform::programFolder() + "/KT55RDLLS/yavsim_hcs08.so"}) {
    SCOPED_TRACE(cable);
    FakeUiPort port;
    Kernel kernel(port);
    target::targetState(kernel).libraryFolder = platform::programFolder();
    target::targetState(kernel).cableLibraryPath = cable;
    EXPECT_FALSE(connectTarget(kernel));
    ASSERT_FALSE(port.boxes.empty());
    EXPECT_EQ(port.boxes.back(), "Error: UNIT_hcs08z.DLL Missing or Obsolete");
    EXPECT_EQ(port.status[0], " Command ");
    EXPECT_EQ(target::targetState(kernel).fatalExitCode, 1000);
  }
}

struct PortCase {
  const char* name;
  const char* link;
  const char* port;
  const char* usbDevices;
  const char* report;  // nullptr: no report
  const char* savedLink;
  const char* savedPort;
};

TEST_F(TargetTest, PortChoiceFollowsTheSettingsAndTheCablesPresent) {
  const PortCase cases[] = {
      {"usb in range", "USB", "1", "1", nullptr, "USB", "1"},
      {"usb number too big", "USB", "3", "2", "Error: USB port number too big, (0x3) defaulting to 1", "USB", "1"},
      {"no usb cable", "USB", "1", "0", nullptr, "LPT", "1"},
      {"lpt number too big", "LPT", "2", "1", "Error: LPT port number too big (0x2) defaulting to 1", "LPT", "1"},
  };
  for (const PortCase& c : cases) {
    SCOPED_TRACE(c.name);
    setting("OPTIONS", "YAVLINK", c.link);
    setting("OPTIONS", "YAVPORT", c.port);
    ::setenv("YAVSIM_USB_DEVICES", c.usbDevices, 1);
    FakeUiPort port;
    {
      Kernel kernel(port);
      target::targetState(kernel).libraryFolder = target::targetState(k).libraryFolder;
      EXPECT_TRUE(connectTarget(kernel));
    }
    if (c.report) {
      ASSERT_FALSE(port.boxes.empty());
      EXPECT_EQ(port.boxes.front(), c.report);
    } else {
      EXPECT_TRUE(port.boxes.empty());
    }
    EXPECT_EQ(platform::iniGet("OPTIONS", "YAVLINK", ""), c.savedLink);
    EXPECT_EQ(platform::iniGet("OPTIONS", "YAVPORT", ""), c.savedPort);
  }
}

TEST_F(TargetTest, SettingsAreReadAsTheirFirstLetterSays) {
  setting("OPTIONS", "RESETONCONNECT", "no");
  setting("OPTIONS", "SYNCLEN", "x12");
  setting("OPTIONS", "SETCLKSW", "Yes");
  setting("OPTIONS", "USESYNC", "yes");  // only 'Y' counts
  readConnectionSettings(k);
  EXPECT_FALSE(target::targetState(k).settings.resetOnConnect);
  EXPECT_EQ(target::targetState(k).settings.syncLength, 10);
  EXPECT_TRUE(target::targetState(k).settings.setClockSwitch);
  EXPECT_FALSE(target::targetState(k).settings.useSync);
  setting("OPTIONS", "RESETONCONNECT", "maybe");
  readConnectionSettings(k);
  EXPECT_TRUE(target::targetState(k).settings.resetOnConnect);
}

TEST_F(TargetTest, UnknownChipLeavesTheDebuggerWithoutTarget) {
  setting("TARGET", "CHIP", "NOSUCHCHIP");
  EXPECT_FALSE(connectTarget(k));
  EXPECT_TRUE(boxSaid("Unable to establish connection"));
  EXPECT_EQ(target::targetState(k).currentChipLibrary, -1);
}

TEST_F(TargetTest, ReconnectionStoresTheSpeedFound) {
  ASSERT_TRUE(connectTarget(k));
  EXPECT_EQ(reconnectTarget(k), 1);
  EXPECT_FALSE(platform::iniGet("TARGET", "BGNDSPEED", "").empty());
  EXPECT_TRUE(target::targetState(k).connected);
}

TEST_F(TargetTest, SelectingAnotherChipKeepsTheLibraryCurrent) {
  ASSERT_TRUE(connectTarget(k));
  EXPECT_TRUE(selectChip(k, "GENERIC"));
  EXPECT_EQ(target::targetState(k).chipName, "GENERIC");
  EXPECT_EQ(platform::iniGet("TARGET", "CHIP", ""), "GENERIC");
  EXPECT_FALSE(selectChip(k, "NOSUCHCHIP"));
  EXPECT_EQ(target::targetState(k).chipName, "GENERIC");
}

}  // namespace
}  // namespace yav::test
