// The key-binding dialog "KEYBIND" (Setup / "Key &Binding", 1310): widgets over the model of
// ui/keybind_dialog. Function keys pressed while the dialog has the focus select that key.
#pragma once
#include <QDialog>
#include <array>
#include <functional>

#include "ui/keybind_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace yav {

// 0..11 for Qt's F1..F12, -1 for any other key.
int functionKeyIndex(int qtKey);

// The command a key press sends through the binding table (Shift and Ctrl columns); 0 when
// the key is not a function key or the combination is unbound.
int32_t boundCommandForKey(const KeyBindings& table, int qtKey, Qt::KeyboardModifiers modifiers);

class KeyBindDialog : public QDialog {
  Q_OBJECT
 public:
  // Edits `table` in place. `lookup` gives the frame's current menu texts; after the dialog
  // ends the frame applies model().menuChanges() to its menu.
  KeyBindDialog(KeyBindings& table, MenuTextLookup lookup, QWidget* parent = nullptr);

  KeyBindModel& model() { return model_; }

  // Shows "No Key Selected" and the like; by default a message box titled "Error".
  void setReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

  // The platform's cancel key and the window's close box: the changes stay, the menu texts
  // are left as they are.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool takeFunctionKey(QEvent* event);
  void report(const std::string& message);
  void showModel();
  void closeKeeping();
  void cancelRestoring();

  KeyBindModel model_;
  std::function<void(const QString&)> report_;
  std::array<QPushButton*, kFunctionKeyCount> keys_{};
  QCheckBox* shift_ = nullptr;
  QCheckBox* ctrl_ = nullptr;
  QLineEdit* keyText_ = nullptr;
  QComboBox* binding_ = nullptr;
};

}  // namespace yav
