// The key-binding dialog "KEYBIND" without its window: which key and modifiers are selected,
// what the "Key:" field and the "Binding:" list show, and what Set, Clear, Close, Cancel and
// the cancel key do to the binding table and to the menu texts.
#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/bindable_commands.h"
#include "ui/key_bindings.h"
#include "ui/menu_key_texts.h"

namespace yav {

inline constexpr std::string_view kNoKeySelected = "No Key Selected";

class KeyBindModel {
 public:
  // Works on the frame's live table; a copy is kept as the previous table for Cancel and for
  // the menu texts. `lookup` gives the current menu texts.
  KeyBindModel(KeyBindings& table, MenuTextLookup lookup);

  std::span<const BindableCommand> commands() const { return bindableCommands(); }
  const KeyBindings& previous() const { return previous_; }

  std::optional<int> selectedKey() const { return key_; }  // 0..11 for F1..F12
  bool shift() const { return shift_; }
  bool ctrl() const { return ctrl_; }
  // The "Key:" field: the key text of the selected combination, empty without a key.
  std::string keyFieldText() const;
  // The "Binding:" list's selection, an index into commands(); nullopt shows nothing.
  std::optional<size_t> listSelection() const { return list_; }

  // A click on "F1".."F12" or the function key pressed in the dialog: selects the key and shows
  // the command bound to the combination.
  void selectKey(int key);
  void setShift(bool on);
  void setCtrl(bool on);

  // The user picks a command in the list. Without a selected key the pick is undone and the
  // text to report is returned ("No Key Selected"); otherwise empty.
  std::string chooseCommand(std::optional<size_t> index);

  // "Set": binds the list's command to the selected combination; the item of the command it
  // replaces loses this key text at once. "Clear": unbinds the combination. Both return the
  // text to report ("No Key Selected" without a key), else empty.
  std::string set();
  std::string clear();

  // "&Close": keeps the table, the menu texts follow it. "&Cancel": the previous table comes
  // back. The platform's cancel key (Escape): keeps the table, the menu texts stay as they are.
  void close();
  void cancel();
  void escape() {}

  // The menu texts to change, in order, collected since the dialog opened.
  const std::vector<MenuTextChange>& menuChanges() const { return menuChanges_; }

 private:
  void showBinding();
  int column() const { return modifierColumn(shift_, ctrl_); }
  void addChanges(std::vector<MenuTextChange> changes);

  KeyBindings& table_;
  KeyBindings previous_;
  MenuTextLookup lookup_;
  std::optional<int> key_;
  bool shift_ = false, ctrl_ = false;
  std::optional<size_t> list_;
  std::vector<MenuTextChange> menuChanges_;
};

}  // namespace yav
