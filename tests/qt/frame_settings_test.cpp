// What the frame keeps in the settings file: key bindings and their menu texts, the integer format,
// recent files in the File menu, the configuration save and the layout keys written at close.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "frame_fixture.h"
#include "ui/command_window.h"

namespace yav::test {
namespace {

class FrameSettingsTest : public FrameTest {
 protected:
  std::string commandText() const { return session->cmd->text(); }
  QMenu* fileMenu() { return frame().menuBar()->actions().front()->menu(); }
};

TEST_F(FrameSettingsTest, BoundFunctionKeysShowInTheMenuAndSendTheirCommand) {
  platform::iniSet("KeyBindings", "<F5>", "0,0,201,0");  // Ctrl+F5: Go
  platform::iniSet("KeyBindings", "<F9>", "300,0,0,0");  // F9: toggle the command window
  frame().loadKeyBindings();
  QApplication::instance()->installEventFilter(&frame());
  EXPECT_EQ(frame().action(201)->text(), "&Go\t<Ctrl><F5>");
  EXPECT_EQ(frame().action(300)->text(), "&Command\t<F9>");
  ASSERT_TRUE(frame().commandWindowShown());
  QTest::keyClick(frame().commandEdit(), Qt::Key_F9);
  EXPECT_FALSE(frame().commandWindowShown());
  QTest::keyClick(&frame(), Qt::Key_F5);  // plain F5 is unbound: nothing happens
  QTest::keyClick(&frame(), Qt::Key_F9);
  EXPECT_TRUE(frame().commandWindowShown());
  QApplication::instance()->removeEventFilter(&frame());
}

TEST_F(FrameSettingsTest, DefaultIntFormatIsWrittenAndPrintsIntegers) {
  frame().command(462);
  EXPECT_EQ(platform::iniGet("Options", "DefIntFormat", ""), "Hexadecimal");
  EXPECT_TRUE(frame().action(462)->isChecked());
  EXPECT_FALSE(frame().action(460)->isChecked());
  run("eval 26");
  EXPECT_NE(commandText().find("0x1a"), std::string::npos) << commandText();
}

TEST_F(FrameSettingsTest, LoadedFilesAppearInTheFileMenuWhileItIsOpen) {
  if (!loadDemo()) GTEST_SKIP() << "demo program not built (sdcc missing)";
  const std::string demo = (demo_ / "demo.s08").string();
  frame().onFileDialog = [&](std::string_view) { return demo; };
  frame().command(101);
  const int before = static_cast<int>(fileMenu()->actions().size());
  QMetaObject::invokeMethod(fileMenu(), "aboutToShow");
  const QList<QAction*> items = fileMenu()->actions();
  ASSERT_EQ(items.size(), before + 2);  // a separator and the one file
  EXPECT_EQ(items.back()->text().toStdString(), "&1 " + demo);
  EXPECT_EQ(items.back()->data().toInt(), 180);
  QMetaObject::invokeMethod(fileMenu(), "aboutToHide");
  settle();
  EXPECT_EQ(fileMenu()->actions().size(), before);
}

TEST_F(FrameSettingsTest, ConfigurationSaveAndCloseWriteTheirKeys) {
  frame().command(111);
  EXPECT_EQ(platform::iniGet("Colors", "BkptOn", "").substr(0, 4), "0xff");
  EXPECT_EQ(platform::iniGet("Options", "LOAD_SYMB_ONLY", ""), "NO");
  EXPECT_FALSE(platform::iniGet("Fonts", "Source_Font", "").empty());
  EXPECT_FALSE(platform::iniGet("YavWindow", "Right", "").empty());
  frame().command(191);
  frame().close();
  EXPECT_EQ(platform::iniGet("LayOut", "Command", ""), "YES");
  EXPECT_EQ(platform::iniGet("LayOut", "Registers", ""), "NO");
  EXPECT_EQ(platform::iniGet("Options", "Tile", ""), "HORIZONTAL");
}

}  // namespace
}  // namespace yav::test
