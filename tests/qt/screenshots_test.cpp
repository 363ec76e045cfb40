// Pictures of a real debugging session for the documentation: the demo stopped in main with a
// breakpoint further down, and the source, disassembly, registers, memory, locals and monitor
// windows open. Runs only when YAV_SCREENSHOT_DIR names the folder to write to (`make screenshots`
// runs it under Xvfb).
#include <QAbstractButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdlib>

#include "frame_fixture.h"

namespace yav::test {
namespace {

class ScreenshotTest : public FrameTest {
 protected:
  void place(const char* host, int x, int y, int w, int h) {
    for (QMdiSubWindow* s : frame().mdiArea()->subWindowList())
      if (s->objectName() == host) s->setGeometry(x, y, w, h);
  }
};

TEST_F(ScreenshotTest, DebuggingSession) {
  const char* dir = std::getenv("YAV_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "YAV_SCREENSHOT_DIR not set";
  frame().resize(1400, 900);
  if (!loadDemo()) GTEST_SKIP() << "demo program not built (sdcc missing)";
  frame().createMainSource();
  run("break main.c:30");
  run("go main.c:29");
  run("monit count");
  run("monit shapes[1]");
  for (uint16_t id : {320, 310, 335, 340}) frame().command(id);
  onDialog = [](QDialog& d) {
    if (auto* e = d.findChild<QLineEdit*>("Address")) e->setText("data:table");
    return static_cast<int>(QDialog::Accepted);
  };
  frame().command(360);
  settle();
  frame().command(193);  // free arrangement: the windows stay where they are put
  place("YAVCHOST", 0, 0, 700, 430);
  place("ASMHOST", 700, 0, 430, 430);
  place("REGHOST", 1130, 0, 250, 250);
  place("CMDHOST", 1130, 250, 250, 180);
  place("MEMHOST", 0, 430, 560, 260);
  place("YAVVHOST", 560, 430, 330, 260);
  place("MONHOST", 890, 430, 490, 260);
  settle();
  QTest::qWait(300);
  ASSERT_TRUE(frame().grab().save(QString::fromUtf8(dir) + "/session.png"));
}

}  // namespace
}  // namespace yav::test
