// Function-key bindings: the table in the settings file, the lookup of a key, the key texts in
// the menu and the key-binding dialog's logic.
#include <gtest/gtest.h>

#include <map>

#include "platform/ini.h"
#include "settings_file_fixture.h"
#include "ui/bindable_commands.h"
#include "ui/frame_menu.h"
#include "ui/keybind_dialog.h"
#include "ui/key_bindings.h"
#include "ui/menu_key_texts.h"

namespace yav {
namespace {

using test::SettingsFileTest;

constexpr int F1 = 0, F3 = 2, F5 = 4, F7 = 6, F10 = 9, F12 = 11;

TEST(KeyBindings, LookupByKeyAndModifiers) {
  KeyBindings b = defaultKeyBindings();
  EXPECT_EQ(boundCommand(b, F1, false, false), 13001);
  EXPECT_EQ(boundCommand(b, F1, true, false), 0);
  b.at(F5, modifierColumn(false, true)) = 201;  // Ctrl+F5: go
  b.at(F5, modifierColumn(true, true)) = 203;   // Ctrl+Shift+F5: step
  b.at(F10, modifierColumn(true, false)) = 204;
  EXPECT_EQ(boundCommand(b, F5, false, true), 201);
  EXPECT_EQ(boundCommand(b, F5, false, false), 0);
  EXPECT_EQ(boundCommand(b, F5, true, false), 0);
  EXPECT_EQ(boundCommand(b, F5, true, true), 203);
  EXPECT_EQ(boundCommand(b, F10, true, false), 204);
  EXPECT_EQ(boundCommand(b, 12, false, false), 0);
  EXPECT_EQ(boundCommand(b, -1, false, false), 0);
}

TEST(KeyBindings, KeyTextsModifiersFirst) {
  EXPECT_EQ(keyText(F5, 0), "<F5>");
  EXPECT_EQ(keyText(F12, 1), "<Shift><F12>");
  EXPECT_EQ(keyText(F1, 2), "<Ctrl><F1>");
  EXPECT_EQ(keyText(F5, 3), "<Shift><Ctrl><F5>");

  KeyBindings b{};
  EXPECT_EQ(keyTextOfCommand(b, 201), "");
  b.at(F5, 1) = 201;  // Shift+F5
  b.at(F5, 2) = 201;  // Ctrl+F5: searched before Shift within a row
  EXPECT_EQ(keyTextOfCommand(b, 201), "<Ctrl><F5>");
  b.at(F3, 3) = 201;  // an earlier row wins whatever its column
  EXPECT_EQ(keyTextOfCommand(b, 201), "<Shift><Ctrl><F3>");
  EXPECT_EQ(keyTextOfCommand(b, 0), "");
}

TEST_F(SettingsFileTest, BindingTableReadAndWritten) {
  ASSERT_TRUE(platform::iniSet("KeyBindings", "<F5>", "201,0,0,0"));
  ASSERT_TRUE(platform::iniSet("KeyBindings", "<F7>", "0,0,203,0"));
  ASSERT_TRUE(platform::iniSet("KeyBindings", "<F3>", "1,2,oops,4"));
  KeyBindings b = defaultKeyBindings();
  b.at(F3, 0) = 205;
  b.at(F12, 0) = 117;
  readKeyBindings(b);
  EXPECT_EQ(boundCommand(b, F5, false, false), 201);
  EXPECT_EQ(boundCommand(b, F7, false, true), 203);
  EXPECT_EQ(boundCommand(b, F7, false, false), 0);
  EXPECT_EQ(b.at(F1, 0), 13001);  // missing keys leave their rows
  EXPECT_EQ(b.at(F12, 0), 117);
  EXPECT_EQ(b.at(F3, 0), 205);    // so does an unreadable one

  ASSERT_TRUE(writeKeyBindings(b));
  const std::string text = fileText();
  for (const char* line : {"<F1>=13001,0,0,0", "<F5>=201,0,0,0", "<F7>=0,0,203,0", "<F12>=117,0,0,0", "<F10>=0,0,0,0"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  KeyBindings back{};
  readKeyBindings(back);
  EXPECT_EQ(back, b);
}

TEST(BindableCommands, ListedInTheDialogsOrder) {
  const auto list = bindableCommands();
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front().id, 130);
  EXPECT_EQ(list.front().description, "Application Map");
  EXPECT_EQ(list[11].description, "Change Color for Currrent C Instruction");
  EXPECT_EQ(list[11].id, 411);
  EXPECT_EQ(list[28].description, "Display Source for Seclected File");
  EXPECT_EQ(list.back().id, 206);
  EXPECT_EQ(list.back().description, "Step Until a Condition is Met");
  EXPECT_EQ(bindableIndex(360), 4u);  // "Browse Memory (Code or Data)" before "Create Memory Window"
  EXPECT_EQ(bindableIndex(13005), std::nullopt);
}

TEST(MenuKeyTexts, CutAtTheMarkerAndAppendTheKey) {
  EXPECT_EQ(menuTextWithKey("&Go", "<F5>"), "&Go\t<F5>");
  EXPECT_EQ(menuTextWithKey("On &Yav \t<F1>", ""), "On &Yav ");
  EXPECT_EQ(menuTextWithKey("On &Yav \t<F1>", "<Ctrl><F2>"), "On &Yav \t<Ctrl><F2>");
}

TEST(MenuKeyTexts, ChangesFromOneTableToTheNext) {
  const MenuTextLookup lookup = menuTableLookup(mainMenu());
  // F5 with 201, 0, 0, 0 in the settings: the Debug menu shows "&Go" and "<F5>"; help keeps F1.
  KeyBindings loaded = defaultKeyBindings();
  loaded.at(F5, 0) = 201;
  auto changes = startMenuKeyTexts(loaded, lookup);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].id, 201);
  EXPECT_EQ(changes[0].text, "&Go\t<F5>");

  // F1 rebound: help loses its key text, step gains it.
  KeyBindings rebound = defaultKeyBindings();
  rebound.at(F1, 0) = 203;
  changes = startMenuKeyTexts(rebound, lookup);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].id, 13001);
  EXPECT_EQ(changes[0].text, "On &Yav ");
  EXPECT_EQ(changes[1].id, 203);
  EXPECT_EQ(changes[1].text, "&Step\t<F1>");

  // Clearing a combination leaves the item without a key text; an id no item carries is skipped.
  KeyBindings cleared = loaded;
  cleared.at(F5, 0) = 0;
  cleared.at(F7, 0) = 382;
  changes = menuKeyTextChanges(loaded, cleared, lookup);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].id, 201);
  EXPECT_EQ(changes[0].text, "&Go");
  EXPECT_EQ(changes[0].keyText, "");

  // A command bound twice keeps showing its remaining key when one is cleared.
  KeyBindings twice = loaded;
  twice.at(F7, 2) = 201;
  KeyBindings oneLeft = twice;
  oneLeft.at(F5, 0) = 0;
  changes = menuKeyTextChanges(twice, oneLeft, lookup);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].text, "&Go\t<Ctrl><F7>");
}

size_t listIndexOf(uint16_t id) { return *bindableIndex(id); }

TEST(KeyBindDialog, SelectSetClearAndClose) {
  KeyBindings table = defaultKeyBindings();
  table.at(F5, 0) = 201;
  KeyBindModel dlg(table, menuTableLookup(mainMenu()));
  EXPECT_EQ(dlg.keyFieldText(), "");
  EXPECT_EQ(dlg.listSelection(), std::nullopt);

  // Without a key: Clear, Set and picking a command report it and change nothing.
  EXPECT_EQ(dlg.clear(), "No Key Selected");
  EXPECT_EQ(dlg.chooseCommand(listIndexOf(203)), "No Key Selected");
  EXPECT_EQ(dlg.listSelection(), std::nullopt);
  EXPECT_EQ(dlg.set(), "No Key Selected");
  EXPECT_EQ(table.at(F5, 0), 201);

  dlg.selectKey(F5);
  EXPECT_EQ(dlg.keyFieldText(), "<F5>");
  EXPECT_EQ(dlg.listSelection(), listIndexOf(201));
  dlg.setCtrl(true);
  EXPECT_EQ(dlg.keyFieldText(), "<Ctrl><F5>");
  EXPECT_EQ(dlg.listSelection(), std::nullopt);
  EXPECT_EQ(dlg.chooseCommand(listIndexOf(205)), "");
  EXPECT_EQ(dlg.set(), "");
  EXPECT_EQ(boundCommand(table, F5, false, true), 205);
  dlg.setShift(true);
  EXPECT_EQ(dlg.keyFieldText(), "<Shift><Ctrl><F5>");
  dlg.setShift(false);
  EXPECT_EQ(dlg.listSelection(), listIndexOf(205));

  // Plain F5 cleared: go is unbound.
  dlg.setCtrl(false);
  EXPECT_EQ(dlg.clear(), "");
  EXPECT_EQ(table.at(F5, 0), 0);
  EXPECT_EQ(dlg.listSelection(), std::nullopt);
  EXPECT_TRUE(dlg.menuChanges().empty());

  dlg.close();
  const auto& changes = dlg.menuChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].id, 201);
  EXPECT_EQ(changes[0].text, "&Go");
  EXPECT_EQ(changes[1].id, 205);
  EXPECT_EQ(changes[1].text, "Step O&ver\t<Ctrl><F5>");
}

TEST(KeyBindDialog, SetOverABindingTakesTheOldKeyTextAtOnce) {
  KeyBindings table = defaultKeyBindings();
  table.at(F5, 0) = 201;
  KeyBindModel dlg(table, menuTableLookup(mainMenu()));
  dlg.selectKey(F5);
  dlg.chooseCommand(listIndexOf(203));
  dlg.set();
  ASSERT_EQ(dlg.menuChanges().size(), 1u);
  EXPECT_EQ(dlg.menuChanges()[0].id, 201);
  EXPECT_EQ(dlg.menuChanges()[0].text, "&Go");
  dlg.escape();  // the cancel key keeps the binding and leaves the other texts
  EXPECT_EQ(table.at(F5, 0), 203);
  EXPECT_EQ(dlg.menuChanges().size(), 1u);
}

TEST(KeyBindDialog, CancelRestoresEveryBinding) {
  KeyBindings table = defaultKeyBindings();
  table.at(F5, 0) = 201;
  const KeyBindings before = table;
  KeyBindModel dlg(table, menuTableLookup(mainMenu()));
  dlg.selectKey(F5);
  dlg.chooseCommand(listIndexOf(203));
  dlg.set();
  dlg.selectKey(F1);
  dlg.clear();
  dlg.selectKey(F12);
  dlg.setShift(true);
  dlg.chooseCommand(listIndexOf(117));
  dlg.set();
  EXPECT_NE(table, before);
  dlg.cancel();
  EXPECT_EQ(table, before);
  EXPECT_EQ(dlg.previous(), before);
  // The texts end as the restored table shows them: go with F5 again, help with F1.
  std::map<uint16_t, std::string> last;
  for (const MenuTextChange& c : dlg.menuChanges()) last[c.id] = c.text;
  EXPECT_EQ(last[201], "&Go\t<F5>");
  EXPECT_EQ(last[203], "&Step");
  EXPECT_EQ(last[13001], "On &Yav \t<F1>");
  EXPECT_EQ(last[117], "E&xit");
}

}  // namespace
}  // namespace yav
