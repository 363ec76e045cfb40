#include "qt/update_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/browser_dialogs.h"
#include "qt/view_window.h"
#include "ui/update_command.h"

namespace yav {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QPushButton* button(QWidget* parent, QHBoxLayout* row, const char* text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(text);
  row->addWidget(b);
  return b;
}

}  // namespace

UpdateDialog::UpdateDialog(ViewServices& s, Kind kind, std::string_view target, std::string_view value, QWidget* parent)
    : QDialog(parent) {
  setObjectName(kind == Kind::Register ? "WINREGUPDATE" : "WINCVARUPDATE");
  setWindowTitle("Update");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(qs(target), this));
  edit_ = new QLineEdit(qs(value), this);
  edit_->selectAll();
  layout->addWidget(edit_);
  auto* row = new QHBoxLayout;
  QPushButton* ok = button(this, row, "&Ok");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(button(this, row, "&Cancel"), &QPushButton::clicked, this, &QDialog::reject);
  if (kind == Kind::Register) {
    connect(button(this, row, "&Symbol"), &QPushButton::clicked, this, [this, &s] {
      if (const std::string v = selectSymbolValue(s, this); !v.empty()) setValue(v);
    });
    connect(button(this, row, "&C Function"), &QPushButton::clicked, this, [this, &s] {
      if (const std::string v = selectFunctionAddress(s, this); !v.empty()) setValue(v);
    });
  }
  layout->addLayout(row);
}

std::string UpdateDialog::value() const { return edit_->text().toStdString(); }
void UpdateDialog::setValue(std::string_view v) { edit_->setText(qs(v)); }

std::string askUpdate(ViewServices& s, UpdateDialog::Kind kind, std::string_view target, std::string_view value,
                      QWidget* parent) {
  UpdateDialog d(s, kind, target, value, parent);
  if (s.execDialog(d) != QDialog::Accepted) return {};
  const std::string line = kind == UpdateDialog::Kind::Register ? registerUpdateCommand(target, d.value())
                                                                 : updateCommandLine(target, d.value());
  if (line.empty()) s.beep();
  return line;
}

}  // namespace yav
