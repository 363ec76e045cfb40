// The "KEYBIND" dialog drawn over its logic, and the colour and font conversions of the
// settings file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "platform/ini.h"
#include "qt/keybind_dialog.h"
#include "qt/preferences.h"
#include "ui/colour_settings.h"
#include "ui/frame_menu.h"

namespace yav {
namespace {

class KeyBindDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table = defaultKeyBindings();
    table.at(4, 0) = 201;  // F5: go
    dialog = std::make_unique<KeyBindDialog>(table, menuTableLookup(mainMenu()));
    dialog->setReporter([this](const QString& text) { reports.push_back(text.toStdString()); });
    dialog->show();
  }
  template <typename W>
  W* child(const char* name) {
    W* w = dialog->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QPushButton* button(const char* name) { return child<QPushButton>(name); }
  QString keyField() { return child<QLineEdit>("Key")->text(); }
  void choose(std::string_view description) {
    QComboBox* list = child<QComboBox>("Binding");
    const int index = list->findText(QString::fromUtf8(description.data(), static_cast<int>(description.size())));
    ASSERT_GE(index, 0) << description;
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  KeyBindings table;
  std::unique_ptr<KeyBindDialog> dialog;
  std::vector<std::string> reports;
};

TEST_F(KeyBindDialogTest, ControlsOfTheDialog) {
  EXPECT_EQ(dialog->objectName(), "KEYBIND");
  EXPECT_EQ(child<QGroupBox>("Key Selection")->title(), "Key Selection");
  for (int n = 1; n <= 12; ++n) EXPECT_NE(dialog->findChild<QPushButton*>(QString("F%1").arg(n)), nullptr) << n;
  EXPECT_EQ(child<QCheckBox>("Shift")->text(), "Shift");
  EXPECT_EQ(child<QCheckBox>("Ctrl")->text(), "Ctrl");
  EXPECT_EQ(button("Set")->text(), "Set");
  EXPECT_EQ(button("Clear")->text(), "Clear");
  EXPECT_EQ(button("Close")->text(), "&Close");
  EXPECT_EQ(button("Cancel")->text(), "&Cancel");
  QComboBox* list = child<QComboBox>("Binding");
  EXPECT_EQ(list->itemText(0), "Application Map");
  EXPECT_EQ(list->currentIndex(), -1);
}

TEST_F(KeyBindDialogTest, BindCtrlF5ToGoAndClose) {
  QTest::mouseClick(button("Clear"), Qt::LeftButton);
  EXPECT_EQ(reports, std::vector<std::string>{"No Key Selected"});

  QTest::mouseClick(button("F5"), Qt::LeftButton);
  EXPECT_EQ(keyField(), "<F5>");
  EXPECT_EQ(child<QComboBox>("Binding")->currentText(), "Go. Resume Execution");
  child<QCheckBox>("Ctrl")->setChecked(true);
  EXPECT_EQ(keyField(), "<Ctrl><F5>");
  EXPECT_EQ(child<QComboBox>("Binding")->currentIndex(), -1);
  choose("Step one C Instruction");
  QTest::mouseClick(button("Set"), Qt::LeftButton);
  QTest::mouseClick(button("Close"), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(boundCommandForKey(table, Qt::Key_F5, Qt::ControlModifier), 203);
  EXPECT_EQ(boundCommandForKey(table, Qt::Key_F5, Qt::NoModifier), 201);
  EXPECT_EQ(boundCommandForKey(table, Qt::Key_F5, Qt::ShiftModifier), 0);
  EXPECT_EQ(boundCommandForKey(table, Qt::Key_A, Qt::NoModifier), 0);
  ASSERT_EQ(dialog->model().menuChanges().size(), 1u);
  EXPECT_EQ(dialog->model().menuChanges()[0].text, "&Step\t<Ctrl><F5>");
}

TEST_F(KeyBindDialogTest, FunctionKeyPressedInTheDialogSelectsIt) {
  QComboBox* list = child<QComboBox>("Binding");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_F1);
  EXPECT_EQ(keyField(), "<F1>");
  EXPECT_EQ(list->currentText(), "Help on YAV Usage");
  QTest::keyClick(child<QCheckBox>("Shift"), Qt::Key_F10);
  EXPECT_EQ(keyField(), "<F10>");
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(KeyBindDialogTest, PickingWithoutAKeyIsReported) {
  choose("Exit Yav");
  EXPECT_EQ(reports, std::vector<std::string>{"No Key Selected"});
  EXPECT_EQ(child<QComboBox>("Binding")->currentIndex(), -1);
}

TEST_F(KeyBindDialogTest, CancelRestoresAndEscapeKeeps) {
  const KeyBindings before = table;
  QTest::mouseClick(button("F5"), Qt::LeftButton);
  QTest::mouseClick(button("Clear"), Qt::LeftButton);
  QTest::mouseClick(button("F2"), Qt::LeftButton);
  choose("Exit Yav");
  QTest::mouseClick(button("Set"), Qt::LeftButton);
  EXPECT_EQ(table.at(1, 0), 117);
  QTest::mouseClick(button("Cancel"), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(table, before);

  KeyBindDialog again(table, menuTableLookup(mainMenu()));
  again.show();
  QTest::mouseClick(again.findChild<QPushButton*>("F5"), Qt::LeftButton);
  QTest::mouseClick(again.findChild<QPushButton*>("Clear"), Qt::LeftButton);
  QTest::keyClick(&again, Qt::Key_Escape);
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(table.at(4, 0), 0);  // kept
  EXPECT_TRUE(again.model().menuChanges().empty());
}

TEST(Preferences, ColoursAndFontsFromTheSettingsFile) {
  const auto ini = std::filesystem::temp_directory_path() / ("yav-prefs-" + std::to_string(::getpid()) + ".ini");
  std::filesystem::remove(ini);
  ::setenv("YAV_INI", ini.c_str(), 1);
  ColourSet colours = defaultColours();
  colours[*colourIndex("BkptOff")] = rgbFromColour(QColor(255, 0, 0));
  ASSERT_TRUE(writeColours(colours));
  EXPECT_EQ(platform::iniGet("Colors", "BkptOff", "").substr(0, 4), "0xff");
  EXPECT_EQ(colourFromRgb(readColours()[*colourIndex("BkptOff")]), QColor(255, 0, 0));
  EXPECT_EQ(colourFromRgb(0x004080), QColor(0x80, 0x40, 0x00));  // brown: red 0x80, green 0x40

  // The frame's preferences by key, as views ask for them.
  ASSERT_TRUE(platform::iniSet("OPTIONS", "NEWFONTS", "YES"));
  ASSERT_TRUE(platform::iniSet("Fonts", "Source_Font", "-20,0,0,0,700,0,0,0,0,0,0,0,49,Monospace"));
  const Preferences prefs = Preferences::read();
  EXPECT_EQ(prefs.colour("BkptOff"), QColor(255, 0, 0));
  EXPECT_EQ(prefs.colour("Source"), QColor(0, 0, 255));  // default 0xff0000: blue
  EXPECT_EQ(prefs.font("Source_Font").pixelSize(), 20);
  EXPECT_EQ(prefs.font("Source_Font").weight(), QFont::Bold);
  EXPECT_EQ(prefs.font("Stack_Font").pixelSize(), 13);  // absent: the built-in font
  std::filesystem::remove(ini);
}

TEST(Preferences, FontDescriptionsAndQtFonts) {
  FontSpec spec = defaultFontSpec();
  spec.weight = 700;
  spec.italic = 1;
  const QFont font = fontFromSpec(spec);
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic());
  const FontSpec back = specFromFont(font);
  EXPECT_EQ(back.height, -13);
  EXPECT_EQ(back.weight, 700);
  EXPECT_EQ(back.italic, 1);
  EXPECT_FALSE(back.faceName.empty());
  EXPECT_EQ(fontFromSpec(back).pixelSize(), 13);

  FontSpec damaged = spec;
  damaged.height = -2000000000;
  damaged.weight = 5000;
  EXPECT_LE(fontFromSpec(damaged).pixelSize(), 500);
}

}  // namespace
}  // namespace yav
