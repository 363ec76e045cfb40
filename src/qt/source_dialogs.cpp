#include "qt/source_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace yav {

SearchDialog::SearchDialog(const std::string& text, bool down, QWidget* parent) : QDialog(parent) {
  setObjectName("SEARCH_DLG");
  setWindowTitle("Search");
  auto* layout = new QVBoxLayout(this);
  text_ = new QLineEdit(QString::fromStdString(text), this);
  text_->setObjectName("text");
  layout->addWidget(text_);
  auto* directions = new QHBoxLayout;
  auto* up = new QRadioButton("&Up", this);
  up->setObjectName("up");
  down_ = new QRadioButton("&Down", this);
  down_->setObjectName("down");
  (down ? down_ : up)->setChecked(true);
  directions->addWidget(up);
  directions->addWidget(down_);
  layout->addLayout(directions);
  auto* buttons = new QHBoxLayout;
  auto* find = new QPushButton("&Find", this);
  find->setObjectName("find");
  auto* next = new QPushButton("Find &Next", this);
  next->setObjectName("findNext");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  buttons->addWidget(find);
  buttons->addWidget(next);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(find, &QPushButton::clicked, this, &QDialog::accept);
  connect(next, &QPushButton::clicked, this, [this] { done(kFindNext); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string SearchDialog::text() const { return text_->text().toStdString(); }
bool SearchDialog::down() const { return down_->isChecked(); }

UpdateDialog::UpdateDialog(const std::string& expression, QWidget* parent) : QDialog(parent), expression_(expression) {
  setObjectName("WINCVARUPDATE");
  setWindowTitle(QString::fromStdString("Update " + expression));
  auto* layout = new QFormLayout(this);
  value_ = new QLineEdit(this);
  value_->setObjectName("value");
  layout->addRow(QString::fromStdString(expression + " ="), value_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string UpdateDialog::commandLine() const {
  const std::string value = value_->text().trimmed().toStdString();
  return value.empty() ? std::string() : "update " + expression_ + " = " + value;
}

}  // namespace yav
