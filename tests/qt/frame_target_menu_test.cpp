// The frame's Target menu: which items work, its title naming the chip, and the dialogs its
// items open, with the frame's own front-end and the simulated target of the build tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/ini.h"
#include "target/chip_target.h"
#include "platform/program_dir.h"
#include "qt/frame_window.h"
#include "qt/qt_ui_port.h"
#include "target/connection.h"
#include "ui/frame_commands.h"

namespace yav {
namespace {

class FrameTargetMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : {"YAVSIM_NO_CABLE", "YAVSIM_CABLE_ERROR", "YAVSIM_NO_BACKGROUND"}) ::unsetenv(v);
    dir_ = std::filesystem::temp_directory_path() /
           ("yav-qtmenu-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ::setenv("YAV_INI", (dir_ / "YAVKT55R.INI").c_str(), 1);
    ASSERT_TRUE(platform::iniSet("OPTIONS", "RESETONCONNECT", "NO"));
    session = std::make_unique<QtSession>();
    target::targetState(session->kernel).libraryFolder = platform::programFolder();
    frame().resize(1024, 700);
    frame().show();
    frame().startupDone();
    // Message boxes are modal: record and close each one so that no test can hang on it.
    boxCloser_.setInterval(10);
    QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back(box->text().toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    boxCloser_.start();
  }
  void TearDown() override {
    boxCloser_.stop();
    target::shutdownTarget(session->kernel);
    session.reset();
    std::filesystem::remove_all(dir_);
  }
  FrameWindow& frame() { return *session->frame; }
  Kernel& k() { return session->kernel; }
  // Runs `act` on the modal dialog that the next command opens (once it is up).
  void onModalDialog(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(&frame());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w || qobject_cast<QMessageBox*>(w)) return;
      poll->stop();
      poll->deleteLater();
      act(w);
    });
    poll->start();
  }

  std::unique_ptr<QtSession> session;
  std::vector<std::string> boxes;
  std::filesystem::path dir_;
  QTimer boxCloser_;
};

TEST_F(FrameTargetMenuTest, WorkingTargetItemsAreEnabled) {
  struct Case {
    uint16_t id;
    bool enabled;
  };
  const Case cases[] = {{20000, true},  {20002, true},  {20010, true},  {20012, true}, {20053, true},
                        {20013, false}, {20103, false}, {20105, false}, {1360, false}, {209, true}};
  for (const Case& c : cases) {
    QAction* a = frame().action(c.id);
    ASSERT_NE(a, nullptr) << c.id;
    EXPECT_EQ(a->isEnabled(), c.enabled) << c.id;
  }
}

TEST_F(FrameTargetMenuTest, MenuTitleFollowsTheSelectedChip) {
  ASSERT_NE(frame().targetMenu(), nullptr);
  EXPECT_EQ(frame().targetMenu()->title(), "&Target");
  ASSERT_TRUE(platform::iniSet("TARGET", "CHIP", "QG8"));
  ASSERT_TRUE(target::connectTarget(k()));
  EXPECT_EQ(frame().targetMenu()->title(), "&Target (QG8)");
}

TEST_F(FrameTargetMenuTest, ConnectRunsTheSetupDialogUntilCancelled) {
  ASSERT_TRUE(target::connectTarget(k()));
  QString seen;
  onModalDialog([&](QWidget* w) {
    seen = w->objectName() + "/" + w->windowTitle();
    w->findChild<QPushButton*>("201")->click();
  });
  frame().action(20000)->trigger();
  EXPECT_EQ(seen, "CONNECT/Setup");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FrameTargetMenuTest, ConnectWithOkReconnects) {
  ASSERT_TRUE(target::connectTarget(k()));
  target::targetState(k()).connected = false;
  onModalDialog([](QWidget* w) { w->findChild<QPushButton*>("200")->click(); });
  frame().action(20000)->trigger();
  EXPECT_TRUE(target::targetState(k()).connected);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(FrameTargetMenuTest, VerifyItemOpensTheVerifyDialog) {
  QString seen;
  onModalDialog([&](QWidget* w) {
    seen = w->objectName() + "/" + w->windowTitle();
    w->findChild<QPushButton*>("20201")->click();
  });
  frame().action(20053)->trigger();
  EXPECT_EQ(seen, "VERIFY/Verify FLASH");
}

TEST_F(FrameTargetMenuTest, StartArrangementChecksItsItem) {
  for (uint16_t mode : {kCmdTileHorizontal, kCmdTileVertical, kCmdFree, kCmdCascade}) {
    frame().applyStartArrangement(mode);
    EXPECT_EQ(frame().arrangement(), mode);
    for (uint16_t m : {kCmdCascade, kCmdTileHorizontal, kCmdTileVertical, kCmdFree})
      EXPECT_EQ(frame().action(m)->isChecked(), m == mode) << mode << " " << m;
  }
}

}  // namespace
}  // namespace yav
