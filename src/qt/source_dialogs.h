// The source views' dialogs: the search dialog "SEARCH_DLG" and the variable update dialog
// "WINCVARUPDATE". Controls carry object names so tests can fill them.
#pragma once
#include <QDialog>
#include <string>

class QLineEdit;
class QRadioButton;

namespace yav {

// Text, direction Up or Down, "&Find" (store and close), "Find &Next" (store and search).
class SearchDialog : public QDialog {
  Q_OBJECT
 public:
  // Result code of "Find &Next"; "&Find" gives Accepted.
  static constexpr int kFindNext = 2;

  SearchDialog(const std::string& text, bool down, QWidget* parent = nullptr);
  std::string text() const;
  bool down() const;

 private:
  QLineEdit* text_ = nullptr;
  QRadioButton* down_ = nullptr;
};

// Asks for the new value of an expression; its `update` command line once accepted.
class UpdateDialog : public QDialog {
  Q_OBJECT
 public:
  UpdateDialog(const std::string& expression, QWidget* parent = nullptr);
  // "update EXPRESSION = VALUE", empty when no value was given.
  std::string commandLine() const;

 private:
  std::string expression_;
  QLineEdit* value_ = nullptr;
};

}  // namespace yav
