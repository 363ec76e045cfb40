#include "qt/frame_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "qt/command_edit.h"
#include "qt/qt_ui_port.h"
#include "qt/status_bar.h"

namespace yav {
namespace {

// One application for the whole run, ended before the process exits.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[9] = "qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class FrameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<QtSession>();
    frame().resize(1024, 700);
    frame().show();
    frame().showCommandWindow(true);
    frame().startupDone();
  }
  FrameWindow& frame() { return *session->frame; }
  QPlainTextEdit* edit() { return frame().findChild<QPlainTextEdit*>("WINCMD"); }
  void type(const char* line) {
    QTest::keyClicks(edit(), line);
    QTest::keyClick(edit(), Qt::Key_Return);
  }
  std::unique_ptr<QtSession> session;
};

TEST_F(FrameWindowTest, FrameNamesAndTopLevelMenus) {
  EXPECT_EQ(frame().objectName(), "YAV");
  EXPECT_EQ(frame().windowTitle(), "Yav");
  ASSERT_NE(frame().mdiArea(), nullptr);
  const QList<QAction*> tops = frame().menuBar()->actions();
  const char* expected[] = {"&File",   "&Events", "&Browse",  "&Debug",      "Setu&p",
                            "&Target", "S&how",   "&Windows", "E&xtensions", "&Help"};
  ASSERT_EQ(tops.size(), static_cast<qsizetype>(std::size(expected)));
  for (int i = 0; i < tops.size(); ++i) EXPECT_EQ(tops[i]->text(), expected[i]);
  EXPECT_FALSE(tops[2]->isEnabled());  // Browse waits for its windows
}

TEST_F(FrameWindowTest, MenuItemsCarryIdsTextsAndStates) {
  struct Case {
    uint16_t id;
    const char* text;
    bool enabled, checked;
  };
  const Case cases[] = {
      {101, "&Load  (Code and Symbols)", false, false},
      {117, "E&xit", true, false},
      {201, "&Go", true, false},
      {211, "Step Instr. Interrupts &Masked", true, false},  // enabled once start-up is done
      {300, "&Command", true, true},
      {190, "&Cascade", true, true},
      {634, "&Standard", false, true},
      {13001, "On &Yav \t<F1>", true, false},
  };
  for (const Case& c : cases) {
    QAction* a = frame().action(c.id);
    ASSERT_NE(a, nullptr) << c.id;
    EXPECT_EQ(a->text(), c.text) << c.id;
    EXPECT_EQ(a->data().toInt(), c.id);
    EXPECT_EQ(a->isEnabled(), c.enabled) << c.id;
    EXPECT_EQ(a->isChecked(), c.checked) << c.id;
  }
}

TEST_F(FrameWindowTest, CommandWindowWidgets) {
  auto* host = frame().findChild<QMdiSubWindow*>("CMDHOST");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->windowTitle(), "Command");
  EXPECT_NE(host->findChild<QWidget*>("MAINCMD"), nullptr);
  ASSERT_NE(edit(), nullptr);
  EXPECT_EQ(edit()->toPlainText(), "Yav>");
  EXPECT_EQ(edit()->textCursor().position(), 4);
}

TEST_F(FrameWindowTest, TypedCommandsShowTheirOutput) {
  type("internals");
  type("status");
  EXPECT_EQ(edit()->toPlainText(), "Yav>internals\nYav>status\nSTOPPED\nYav>");
  EXPECT_EQ(edit()->textCursor().position(), edit()->toPlainText().size());
  // History: Up shows the last line typed.
  QTest::keyClick(edit(), Qt::Key_Up);
  EXPECT_TRUE(edit()->toPlainText().endsWith("\nYav>status"));
}

TEST_F(FrameWindowTest, BackspaceAtThePromptKeepsIt) {
  QTest::keyClick(edit(), Qt::Key_Backspace);
  QTest::keyClick(edit(), Qt::Key_Left);
  QTest::keyClick(edit(), Qt::Key_Home);
  EXPECT_EQ(edit()->toPlainText(), "Yav>");
  EXPECT_EQ(edit()->textCursor().position(), 4);
}

TEST_F(FrameWindowTest, ShowCommandTogglesTheWindowAndItsCheckMark) {
  frame().command(300);
  EXPECT_FALSE(frame().commandWindowShown());
  EXPECT_FALSE(frame().action(300)->isChecked());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frame().findChild<QMdiSubWindow*>("CMDHOST"), nullptr);
  // Output while closed is lost.
  session->port.output("lost\n");
  frame().command(300);
  EXPECT_TRUE(frame().action(300)->isChecked());
  EXPECT_EQ(edit()->toPlainText(), "Yav>");
}

TEST_F(FrameWindowTest, StatusFieldsAndGauge) {
  session->port.LeftStatus("Loading");
  session->port.RightStatus("QE128");
  session->port.WinStatGauge(true, 10);
  session->port.WinStatGaugeAdd(4);
  FrameStatusBar* bar = frame().frameStatusBar();
  EXPECT_EQ(bar->field(0), "Loading");
  EXPECT_EQ(bar->field(2), "QE128");
  EXPECT_TRUE(bar->gaugeOn());
  EXPECT_EQ(bar->gaugeDone(), 4u);
  session->port.WinStatGauge(false, 0);
  EXPECT_FALSE(bar->gaugeOn());
}

TEST_F(FrameWindowTest, QuitClosesTheFrame) {
  ASSERT_TRUE(frame().isVisible());
  type("quit");
  QTRY_VERIFY_WITH_TIMEOUT(!frame().isVisible(), 2000);
}

// Saves a picture of the frame for review when YAV_FRAME_SCREENSHOT names the file.
TEST_F(FrameWindowTest, Screenshot) {
  const char* path = std::getenv("YAV_FRAME_SCREENSHOT");
  if (!path) GTEST_SKIP() << "YAV_FRAME_SCREENSHOT not set";
  session->port.LeftStatus("Command");
  type("internals");
  type("status");
  type("rem typed in the command window");
  QTest::keyClicks(edit(), "sta");
  QTest::qWait(200);
  ASSERT_TRUE(frame().grab().save(path));
}

}  // namespace
}  // namespace yav
