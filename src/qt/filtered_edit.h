// A one-line edit that takes only the characters of its kind ("HEXEDIT", "NUMEDIT" ...).
#pragma once
#include <QLineEdit>

#include "ui/edit_filters.h"

namespace yav {

class FilteredEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit FilteredEdit(EditKind kind, QWidget* parent = nullptr);
  EditKind kind() const { return kind_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // Inserts the accepted characters of `text`; beeps once when any was refused.
  void insertFiltered(const QString& text);

  EditKind kind_;
};

}  // namespace yav
