// The Target menu's dialogs drawn over their logic: Setup, Advanced Setup and Verify FLASH,
// against the simulated cable and chip libraries of the build tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/ini.h"
#include "engine/kernel_eval.h"
#include "target/chip_target.h"
#include "platform/program_dir.h"
#include "qt/filtered_edit.h"
#include "qt/target_setup_dialog.h"
#include "qt/verify_dialog.h"
#include "support/fake_ui_port.h"
#include "target/connection.h"
#include "engine/kernel_eval.h"
#include "target/chip_target.h"
#include "target/target_access.h"

namespace yav::test {
namespace {

constexpr const char* kSimVariables[] = {
    "YAVSIM_NO_CABLE",       "YAVSIM_CABLE_ERROR",  "YAVSIM_LINK_LOST_AFTER", "YAVSIM_FAIL_EMLOAD",
    "YAVSIM_REFUSE_PUTREGS", "YAVSIM_NO_BACKGROUND", "YAVSIM_USB_DEVICES",     "YAVSIM_LPT_PORTS",
};

// A test front-end whose pump runs the Qt event queue, as the frame's does, so that button
// clicks queued during a long operation arrive while it runs.
class PumpingUiPort : public FakeUiPort {
 public:
  PumpResult pumpEvents() override {
    QCoreApplication::processEvents();
    return FakeUiPort::pumpEvents();
  }
};

class TargetDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : kSimVariables) ::unsetenv(v);
    dir_ = std::filesystem::temp_directory_path() /
           ("yav-qtdlg-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ::setenv("YAV_INI", (dir_ / "YAVKT55R.INI").c_str(), 1);
    ASSERT_TRUE(platform::iniSet("OPTIONS", "RESETONCONNECT", "NO"));
    target::targetState(k).libraryFolder = platform::programFolder();
  }
  void TearDown() override {
    for (const char* v : kSimVariables) ::unsetenv(v);
    std::filesystem::remove_all(dir_);
  }
  void connect() {
    ASSERT_TRUE(target::connectTarget(k)) << (ui.boxes.empty() ? "" : ui.boxes.back());
    refreshRegisters(k);
  }
  std::string file(const std::string& name, const std::string& text) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path) << text;
    return path;
  }
  std::string lastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back(); }
  // A left click near the start of the widget, where check boxes and radio buttons have
  // their indicator.
  static void click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
  }
  template <typename W = QWidget>
  static W* control(QWidget* dialog, int id) {
    return dialog->findChild<W*>(QString::number(id));
  }

  PumpingUiPort ui;
  Kernel k{ui};
  std::filesystem::path dir_;
};

// S1 record of `data` at `address`, checksum included.
std::string s1(uint16_t address, const std::vector<uint8_t>& data) {
  char buf[8];
  std::string r = "S1";
  unsigned sum = static_cast<unsigned>(data.size() + 3) + (address >> 8) + (address & 0xFF);
  std::snprintf(buf, sizeof buf, "%02X%04X", static_cast<unsigned>(data.size() + 3), address);
  r += buf;
  for (uint8_t b : data) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    r += buf;
    sum += b;
  }
  std::snprintf(buf, sizeof buf, "%02X", ~sum & 0xFF);
  return r + buf + "\n";
}

// ---- Verify FLASH ---------------------------------------------------------------------------

TEST_F(TargetDialogsTest, VerifyDialogControlsAtStart) {
  ASSERT_TRUE(platform::iniSet("FLASH", "FILE", "/some/where/prog.s19"));
  VerifyDialog d(k);
  EXPECT_EQ(d.objectName(), "VERIFY");
  EXPECT_EQ(d.windowTitle(), "Verify FLASH");
  struct Text {
    int id;
    const char* text;
  };
  const Text labels[] = {{20210, "&File:"}, {20208, "F&rom:"}, {20206, "&To:"}};
  for (const Text& t : labels) {
    auto* w = control<QLabel>(&d, t.id);
    ASSERT_NE(w, nullptr) << t.id;
    EXPECT_EQ(w->text(), t.text) << t.id;
  }
  const Text buttons[] = {{20212, "&Browse"}, {20204, "&All"}, {20205, "&Select"}, {20202, "&Verify"},
                          {20201, "&Cancel"}};
  for (const Text& t : buttons) {
    auto* w = control<QAbstractButton>(&d, t.id);
    ASSERT_NE(w, nullptr) << t.id;
    EXPECT_EQ(w->text(), t.text) << t.id;
  }
  EXPECT_EQ(control<QGroupBox>(&d, 20203)->title(), "Verify");
  EXPECT_EQ(control<QLineEdit>(&d, 20211)->text(), "/some/where/prog.s19");
  EXPECT_TRUE(control<QPushButton>(&d, 20202)->isDefault());
  EXPECT_TRUE(control<QRadioButton>(&d, 20204)->isChecked());
  EXPECT_FALSE(control(&d, 20213)->isEnabled());
  EXPECT_TRUE(control<QLineEdit>(&d, 100)->isReadOnly());
  EXPECT_EQ(control<FilteredEdit>(&d, 20209)->kind(), EditKind::Hex);
  EXPECT_EQ(control<FilteredEdit>(&d, 20207)->kind(), EditKind::Hex);
}

TEST_F(TargetDialogsTest, SelectShowsTheRangeAndAllHidesIt) {
  VerifyDialog d(k);
  d.show();
  const int range[] = {20206, 20207, 20208, 20209};
  for (int id : range) EXPECT_FALSE(control(&d, id)->isVisible()) << id;
  click(control(&d, 20205));
  for (int id : range) EXPECT_TRUE(control(&d, id)->isVisible()) << id;
  EXPECT_TRUE(d.state().select);
  click(control(&d, 20204));
  for (int id : range) EXPECT_FALSE(control(&d, id)->isVisible()) << id;
  EXPECT_FALSE(d.state().select);
}

TEST_F(TargetDialogsTest, VerifyComparesTheFileWithTheTargetAndCloses) {
  connect();
  std::vector<uint8_t> bytes(48);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0x30 + i);
  ASSERT_TRUE(target::writeMemory(k, 0x0200, bytes.data(), static_cast<int>(bytes.size())));
  const std::string path =
      file("ok.s19", "S0030000FC\n" + s1(0x0200, {bytes.begin(), bytes.begin() + 32}) +
                         s1(0x0220, {bytes.begin() + 32, bytes.end()}) + "S9030000FC\n");
  VerifyDialog d(k);
  d.show();
  control<QLineEdit>(&d, 20211)->setText(QString::fromStdString(path));
  click(control(&d, 20202));
  EXPECT_EQ(lastBox(), "Info: Verify Successfull");
  EXPECT_EQ(d.result(), 1);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(control<QLineEdit>(&d, 100)->text(), "48");
  auto* area = control<VerifyProgressArea>(&d, 20213);
  EXPECT_EQ(area->barWidth(), area->width());  // the whole file was read
  EXPECT_EQ(ui.status[0], " Command ");
}

TEST_F(TargetDialogsTest, VerifyReportsTheFirstDifferenceInTheSelectedRange) {
  connect();
  const std::vector<uint8_t> bytes(32, 0x11);
  ASSERT_TRUE(target::writeMemory(k, 0x0300, bytes.data(), 32));
  std::vector<uint8_t> changed = bytes;
  changed[2] = 0x22;   // before the range
  changed[20] = 0x33;  // inside it
  const std::string path = file("sel.s19", s1(0x0300, changed));
  struct Case {
    const char* from;
    const char* to;
    const char* box;
  };
  const Case cases[] = {
      {"0x310", "0x31f", "Error: Error at: 0x314 Target:0x11 File:0x33 "},
      {"0x315", "0x31f", "Info: Verify Successfull"},
  };
  for (const Case& c : cases) {
    VerifyDialog d(k);
    d.show();
    control<QLineEdit>(&d, 20211)->setText(QString::fromStdString(path));
    click(control(&d, 20205));
    QTest::keyClicks(control(&d, 20209), c.from);
    QTest::keyClicks(control(&d, 20207), c.to);
    click(control(&d, 20202));
    EXPECT_EQ(lastBox(), c.box) << c.from;
  }
}

TEST_F(TargetDialogsTest, IncompleteEntriesKeepTheDialogOpen) {
  struct Case {
    bool select;
    const char* from;
    const char* to;
    const char* file;
    const char* box;
  };
  const Case cases[] = {
      {true, "0x100", "", "x.s19", "Error: Missing From/to Addresses"},
      {true, "", "0x200", "x.s19", "Error: Missing From/to Addresses"},
      {false, "", "", "", "Error: Missing File Name"},
      {true, "0x100", "0x200", "  ", "Error: Missing File Name"},
  };
  for (const Case& c : cases) {
    VerifyDialog d(k);
    d.show();
    control<QLineEdit>(&d, 20211)->setText(c.file);
    if (c.select) click(control(&d, 20205));
    control<QLineEdit>(&d, 20209)->setText(c.from);
    control<QLineEdit>(&d, 20207)->setText(c.to);
    click(control(&d, 20202));
    EXPECT_EQ(lastBox(), c.box) << c.from << "|" << c.to << "|" << c.file;
    EXPECT_TRUE(d.isVisible());
  }
}

TEST_F(TargetDialogsTest, CancelDuringTheComparisonStopsIt) {
  connect();
  std::string text;
  for (uint16_t a = 0x0200; a < 0x0400; a += 16) text += s1(a, std::vector<uint8_t>(16, 0));
  const std::string path = file("long.s19", text);
  VerifyDialog d(k);
  d.show();
  control<QLineEdit>(&d, 20211)->setText(QString::fromStdString(path));
  bool comparingAtCancel = false;
  QTimer::singleShot(0, &d, [&] {
    comparingAtCancel = d.comparing();
    click(control(&d, 20201));
  });
  click(control(&d, 20202));
  EXPECT_TRUE(comparingAtCancel);
  EXPECT_EQ(lastBox(), "Info: Verify Cancelled");
  EXPECT_FALSE(d.isVisible());
  // Cancel outside a comparison only closes the dialog.
  VerifyDialog again(k);
  again.show();
  k.exec.stopreq = false;
  click(control(&again, 20201));
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(again.result(), 0);
  EXPECT_FALSE(k.exec.stopreq);
}

TEST_F(TargetDialogsTest, HexEditsTakeOnlyHexadecimalText) {
  VerifyDialog d(k);
  d.show();
  click(control(&d, 20205));
  QTest::keyClicks(control(&d, 20209), "0x8g0Z1?f");
  EXPECT_EQ(control<QLineEdit>(&d, 20209)->text(), "0x801f");
  QTest::keyClicks(control(&d, 100), "12");
  EXPECT_EQ(control<QLineEdit>(&d, 100)->text(), "");
}

// ---- Setup ----------------------------------------------------------------------------------

TEST_F(TargetDialogsTest, SetupDialogShowsPortsChipsVersionsAndSettings) {
  ::setenv("YAVSIM_USB_DEVICES", "2", 1);
  ::setenv("YAVSIM_LPT_PORTS", "1", 1);
  ASSERT_TRUE(platform::iniSet("TARGET", "INITS", "init.cfg"));
  connect();
  SetupDialog d(k);
  EXPECT_EQ(d.objectName(), "CONNECT");
  EXPECT_EQ(d.windowTitle(), "Setup");
  auto* port = control<QComboBox>(&d, 203);
  ASSERT_NE(port, nullptr);
  QStringList ports;
  for (int i = 0; i < port->count(); ++i) ports << port->itemText(i);
  EXPECT_EQ(ports, QStringList({"LPT1", "USB1", "USB2"}));
  EXPECT_EQ(port->currentText(), "USB1");
  auto* chip = control<QComboBox>(&d, 209);
  QStringList chips;
  for (int i = 0; i < chip->count(); ++i) chips << chip->itemText(i);
  EXPECT_EQ(chips, QStringList({"QE128", "QG8", "GENERIC"}));
  EXPECT_EQ(chip->currentText(), "QE128");
  EXPECT_EQ(control<QLabel>(&d, 217)->text(), QString::fromStdString(versionText(target::targetState(k).cable.get_dll_version())));
  EXPECT_FALSE(control<QLabel>(&d, 216)->text().isEmpty());
  EXPECT_FALSE(control<QCheckBox>(&d, 210)->isChecked());  // RESETONCONNECT "NO"
  EXPECT_EQ(control<QCheckBox>(&d, 210)->text(), "&Reset On Connection");
  EXPECT_EQ(control<QLineEdit>(&d, 205)->text(), "init.cfg");
  EXPECT_EQ(control<QLineEdit>(&d, 207)->text(), "");
  struct Text {
    int id;
    const char* text;
  };
  const Text buttons[] = {{200, "&Ok"}, {204, "&Advanced"}, {201, "&Cancel"}, {206, "Browse"}, {208, "Browse"}};
  for (const Text& t : buttons) {
    auto* b = control<QPushButton>(&d, t.id);
    ASSERT_NE(b, nullptr) << t.id;
    EXPECT_EQ(b->text(), t.text) << t.id;
  }
}

TEST_F(TargetDialogsTest, SetupOkTakesTheControlsAndCancelLeavesTheSettings) {
  connect();
  {
    SetupDialog d(k);
    d.show();
    control<QComboBox>(&d, 203)->setCurrentText("LPT1");
    click(control(&d, 210));  // on
    control<QLineEdit>(&d, 207)->setText("reset.cfg");
    click(control(&d, 201));
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(target::targetState(k).settings.link, "USB");
    EXPECT_FALSE(target::targetState(k).settings.resetOnConnect);
  }
  SetupDialog d(k);
  d.show();
  control<QComboBox>(&d, 203)->setCurrentText("LPT1");
  click(control(&d, 210));
  control<QLineEdit>(&d, 207)->setText("reset.cfg");
  click(control(&d, 200));
  EXPECT_EQ(d.result(), 1);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(target::targetState(k).settings.link, "LPT");
  EXPECT_EQ(target::targetState(k).settings.port, "1");
  EXPECT_TRUE(target::targetState(k).settings.resetOnConnect);
  EXPECT_EQ(target::targetState(k).settings.resetFile, "reset.cfg");
}

TEST_F(TargetDialogsTest, PickingAChipSelectsItAtOnce) {
  connect();
  SetupDialog d(k);
  control<QComboBox>(&d, 209)->setCurrentText("GENERIC");
  EXPECT_EQ(target::targetState(k).chipName, "GENERIC");
  EXPECT_EQ(ui.menuTitle, "&Target (GENERIC)");
  EXPECT_EQ(platform::iniGet("TARGET", "CHIP", ""), "GENERIC");
}

TEST_F(TargetDialogsTest, SetupOkWithoutAChipStaysOpen) {
  // No libraries: nothing is listed and nothing can be selected.
  target::targetState(k).libraryFolder = dir_.string();
  SetupDialog d(k);
  d.show();
  EXPECT_EQ(control<QComboBox>(&d, 209)->count(), 0);
  EXPECT_EQ(control<QLabel>(&d, 217)->text(), " ??.??");
  click(control(&d, 200));
  EXPECT_TRUE(d.isVisible());
}

TEST_F(TargetDialogsTest, AdvancedButtonOpensTheAdvancedDialog) {
  SetupDialog d(k);
  d.show();
  QString seen;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == &d) return;
    poll.stop();
    seen = w->objectName() + "/" + w->windowTitle();
    control<QPushButton>(w, 201)->click();
  });
  poll.start();
  click(control(&d, 204));
  EXPECT_EQ(seen, "ADVANCED/Advanced Setup");
  EXPECT_TRUE(d.isVisible());  // the Setup dialog stays
}

// ---- Advanced Setup -------------------------------------------------------------------------

TEST_F(TargetDialogsTest, AdvancedDialogControlsAndTheClockSwitchPair) {
  target::targetState(k).settings.setClockSwitch = true;
  target::targetState(k).settings.clearClockSwitch = true;  // both on: the set box wins
  target::targetState(k).settings.syncLength = 25;
  AdvancedSetupDialog d(k);
  d.show();
  EXPECT_EQ(d.objectName(), "ADVANCED");
  EXPECT_EQ(d.windowTitle(), "Advanced Setup");
  EXPECT_EQ(control<QLabel>(&d, 215)->text(),
            "The Sync Pulse width is the length of the SYNC command used by the cable to request a sync answer "
            "from the target. Default is 10 msec.");
  struct Text {
    int id;
    const char* text;
  };
  const Text buttons[] = {
      {212, "Use Sync while stepping and to read the status register (Slows down Communication)"},
      {218, "Set CLKSW bit on reset to boost up the connecion speed"},
      {210, "Clear CLKSW bit on reset"},
      {200, "&Ok"},
      {214, "&Defaults"},
      {201, "&Cancel"},
  };
  for (const Text& t : buttons) {
    auto* b = control<QAbstractButton>(&d, t.id);
    ASSERT_NE(b, nullptr) << t.id;
    EXPECT_EQ(b->text(), t.text) << t.id;
  }
  auto* set = control<QCheckBox>(&d, 218);
  auto* clear = control<QCheckBox>(&d, 210);
  EXPECT_EQ(control<QLineEdit>(&d, 211)->text(), "25");
  EXPECT_TRUE(set->isChecked());
  EXPECT_FALSE(clear->isChecked());
  click(clear);
  EXPECT_TRUE(clear->isChecked());
  EXPECT_FALSE(set->isChecked());
  click(set);
  EXPECT_TRUE(set->isChecked());
  EXPECT_FALSE(clear->isChecked());
  click(set);  // unchecking leaves both off
  EXPECT_FALSE(set->isChecked());
  EXPECT_FALSE(clear->isChecked());
}

TEST_F(TargetDialogsTest, AdvancedDefaultsAndOk) {
  AdvancedSetupDialog d(k);
  d.show();
  auto* width = control<QLineEdit>(&d, 211);
  click(control(&d, 212));  // use sync on
  width->clear();
  click(control(&d, 200));
  EXPECT_TRUE(d.isVisible());  // an empty width keeps the dialog open
  click(control(&d, 214));
  EXPECT_EQ(width->text(), "10");
  EXPECT_FALSE(control<QCheckBox>(&d, 212)->isChecked());
  EXPECT_TRUE(control<QCheckBox>(&d, 218)->isChecked());
  EXPECT_FALSE(control<QCheckBox>(&d, 210)->isChecked());
  width->clear();
  QTest::keyClicks(width, "1a5");  // digits only
  click(control(&d, 200));
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(target::targetState(k).settings.syncLength, 15);
  EXPECT_EQ(platform::iniGet("OPTIONS", "SYNCLEN", ""), "15");
  EXPECT_EQ(platform::iniGet("OPTIONS", "USESYNC", ""), "NO");
  EXPECT_EQ(platform::iniGet("OPTIONS", "SETCLKSW", ""), "YES");
  EXPECT_EQ(platform::iniGet("OPTIONS", "CLRCLKSW", ""), "NO");
}

// Pictures of the three dialogs for review: YAV_DIALOG_SCREENSHOTS names a folder.
TEST_F(TargetDialogsTest, Screenshots) {
  const char* folder = std::getenv("YAV_DIALOG_SCREENSHOTS");
  if (!folder) GTEST_SKIP() << "YAV_DIALOG_SCREENSHOTS not set";
  connect();
  const std::string out(folder);
  SetupDialog setup(k);
  setup.show();
  AdvancedSetupDialog advanced(k);
  advanced.show();
  VerifyDialog verify(k);
  verify.show();
  click(control(&verify, 20205));
  control<QLineEdit>(&verify, 20211)->setText("/home/user/demo/demo.s19");
  control<VerifyProgressArea>(&verify, 20213)->setEnabled(true);
  control<VerifyProgressArea>(&verify, 20213)->setProgress(40, 100);
  control<QLineEdit>(&verify, 100)->setText("1234");
  QTest::qWait(100);
  EXPECT_TRUE(setup.grab().save(QString::fromStdString(out + "/setup.png")));
  EXPECT_TRUE(advanced.grab().save(QString::fromStdString(out + "/advanced.png")));
  EXPECT_TRUE(verify.grab().save(QString::fromStdString(out + "/verify.png")));
}

}  // namespace
}  // namespace yav::test
