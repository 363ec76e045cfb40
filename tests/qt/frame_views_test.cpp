// The frame as the home of the views and of its editor dialogs, on the demo.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "frame_fixture.h"
#include "ui/command_window.h"

namespace yav::test {
namespace {

// A view that only counts its refreshes.
class CountingView : public ViewWindow {
 public:
  using ViewWindow::ViewWindow;
  void refresh(uint32_t bits) override {
    ++refreshes;
    lastBits = bits;
  }
  int refreshes = 0;
  uint32_t lastBits = 0;
};

class FrameViewsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (!loadDemo()) GTEST_SKIP() << "demo program not built (sdcc missing)";
  }
  std::string commandText() const { return session->cmd->text(); }
  // Fills the named line edits of a dialog and presses its OK button.
  static int fillAndOk(QDialog& d, const std::vector<std::pair<const char*, const char*>>& fields) {
    for (auto [name, value] : fields) {
      auto* e = d.findChild<QLineEdit*>(name);
      if (!e) return QDialog::Rejected;
      e->setText(value);
    }
    d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return d.result();
  }
};

TEST_F(FrameViewsTest, ACountedStepRefreshesEveryViewOnceAtItsEnd) {
  auto* view = new CountingView(frame());
  frame().hostView(view, "TESTHOST", "Test");
  run("go main.c:24");
  settle();
  view->refreshes = 0;
  run("step 3");
  settle();
  EXPECT_EQ(view->refreshes, 1);
  EXPECT_EQ(view->lastBits & kViewSource, kViewSource);
}

TEST_F(FrameViewsTest, GoEditorRunsToThePlaceItWasGiven) {
  onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "GOEDIT");
    EXPECT_EQ(d.windowTitle(), "Go Editor");
    return fillAndOk(d, {{"function", "main"}, {"line", "28"}});
  };
  frame().command(202);
  EXPECT_NE(commandText().find("main.c:28"), std::string::npos);
}

TEST_F(FrameViewsTest, AnIncompleteEntryIsReportedAndTheDialogStaysOpen) {
  int attempts = 0;
  onDialog = [&](QDialog& d) {
    ++attempts;
    int r = fillAndOk(d, {{"file", "main.c"}});  // a file without a line
    EXPECT_TRUE(d.isVisible());
    d.reject();
    return r == QDialog::Accepted ? r : QDialog::Rejected;
  };
  frame().command(206);
  EXPECT_EQ(attempts, 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Error: Missing Specification");
}

}  // namespace
}  // namespace yav::test

namespace yav::test {
namespace {

TEST_F(FrameViewsTest, AMonitorOpensTheMonitorWindowAndNoWindowOfItsOwn) {
  run("go shapes.c:36");
  settle();
  ASSERT_EQ(frame().view(340), nullptr);
  run("monit shapes[1]");
  settle();
  EXPECT_NE(frame().view(340), nullptr);
  run("si");
  run("si");
  settle();
  EXPECT_TRUE(frame().findChildren<QWidget*>("STRUCTWIN").isEmpty());
  // The command window still shows the monitor after each command, as the console does.
  EXPECT_NE(commandText().find("    shapes[1] = "), std::string::npos);
}

}  // namespace
}  // namespace yav::test

namespace yav::test {
namespace {

TEST_F(FrameViewsTest, WhileTheTargetRunsGoStepAndExitAreRefusedAndStopWorks) {
  run("del *");
  const std::string before = commandText();
  // The frame's state while the run loop has the target running.
  kernel().exec.busy = true;
  frame().command(201);  // Go
  frame().command(203);  // Step
  frame().command(117);  // Exit
  EXPECT_EQ(commandText(), before);  // nothing ran
  EXPECT_TRUE(frame().isVisible());
  EXPECT_FALSE(kernel().exec.stopreq);
  frame().command(1);  // Stop
  EXPECT_TRUE(kernel().exec.stopreq);
  kernel().exec.stopreq = false;
  kernel().exec.busy = false;
  frame().command(117);
  EXPECT_FALSE(frame().isVisible());
}

}  // namespace
}  // namespace yav::test
