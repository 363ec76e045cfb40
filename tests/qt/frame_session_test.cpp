// Session and layout files through the frame: the windows it reports and puts back.
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <fstream>
#include <sstream>

#include "frame_fixture.h"
#include "qt/memory_window.h"

namespace yav::test {
namespace {

class FrameSessionTest : public FrameTest {
 protected:
  QMdiSubWindow* host(const char* name) {
    for (QMdiSubWindow* w : frame().mdiArea()->subWindowList())
      if (w->objectName() == name) return w;
    return nullptr;
  }
  std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(FrameSessionTest, ASavedSessionPutsEveryWindowBackWhereItWas) {
  if (!loadDemo()) GTEST_SKIP() << "demo program not built (sdcc missing)";
  frame().createMainSource();
  frame().command(310);
  onDialog = [](QDialog& d) {
    if (auto* e = d.findChild<QLineEdit*>("Address")) e->setText("data:table");
    return static_cast<int>(QDialog::Accepted);
  };
  frame().command(360);
  settle();
  frame().command(193);  // free: nothing is rearranged
  ASSERT_NE(host("REGHOST"), nullptr);
  ASSERT_NE(host("MEMHOST"), nullptr);
  host("REGHOST")->setGeometry(400, 20, 220, 180);
  host("MEMHOST")->setGeometry(30, 300, 500, 200);
  host("YAVCHOST")->setGeometry(0, 0, 380, 280);
  const std::string file = (dir_ / "all.ssn").string();
  run("session /s " + file);
  const std::string text = fileText(file);
  EXPECT_NE(text.find("Registers=YES,399,19,620,200"), std::string::npos) << text;
  EXPECT_NE(text.find("Stack=NO"), std::string::npos) << text;
  EXPECT_NE(text.find("\n1=D,"), std::string::npos) << text;

  // Move and close things, then load the session: everything comes back, memory windows once.
  host("REGHOST")->setGeometry(10, 10, 300, 300);
  host("MEMHOST")->close();
  frame().command(330);  // a stack window the session did not have
  settle();
  run("session /l " + file);
  run("session /l " + file);
  settle();
  ASSERT_NE(host("REGHOST"), nullptr);
  EXPECT_EQ(host("REGHOST")->geometry(), QRect(400, 20, 220, 180));
  EXPECT_EQ(host("YAVCHOST")->geometry(), QRect(0, 0, 380, 280));
  EXPECT_EQ(memoryWindows(frame().mdiArea()).size(), 1u);
  ASSERT_NE(host("MEMHOST"), nullptr);
  EXPECT_EQ(host("MEMHOST")->geometry(), QRect(30, 300, 500, 200));
  EXPECT_EQ(host("STACKHOST"), nullptr);
  EXPECT_EQ(frame().arrangement(), 193);
}

}  // namespace
}  // namespace yav::test
