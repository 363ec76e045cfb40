// The update dialogs: a new value for a register ("WINREGUPDATE", with "&Symbol" and
// "&C Function" to take the value of a symbol or the address of a function) or for a variable
// ("WINCVARUPDATE"). The caller turns the value into an `update` command line.
#pragma once
#include <QDialog>
#include <string>
#include <string_view>

class QLineEdit;

namespace yav {

class ViewServices;

class UpdateDialog : public QDialog {
 public:
  enum class Kind { Register, Variable };
  UpdateDialog(ViewServices& s, Kind kind, std::string_view target, std::string_view value, QWidget* parent = nullptr);
  std::string value() const;
  void setValue(std::string_view v);

 private:
  QLineEdit* edit_;
};

// Runs the dialog for `target` ("a", or a variable expression) and returns the command line the
// answer makes; empty when cancelled or when the value is refused (the frame beeps).
std::string askUpdate(ViewServices& s, UpdateDialog::Kind kind, std::string_view target, std::string_view value,
                      QWidget* parent);

}  // namespace yav
