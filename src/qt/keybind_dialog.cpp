#include "qt/keybind_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace yav {

int functionKeyIndex(int qtKey) {
  return qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12 ? qtKey - Qt::Key_F1 : -1;
}

int32_t boundCommandForKey(const KeyBindings& table, int qtKey, Qt::KeyboardModifiers modifiers) {
  const int key = functionKeyIndex(qtKey);
  if (key < 0) return 0;
  return boundCommand(table, key, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
}

namespace {

QPushButton* button(const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setAutoDefault(false);
  b->setObjectName(QString(text).remove('&'));
  return b;
}

}  // namespace

KeyBindDialog::KeyBindDialog(KeyBindings& table, MenuTextLookup lookup, QWidget* parent)
    : QDialog(parent), model_(table, std::move(lookup)) {
  setObjectName("KEYBIND");
  setWindowTitle("Key Binding");

  auto* group = new QGroupBox("Key Selection", this);
  group->setObjectName("Key Selection");
  auto* grid = new QGridLayout(group);
  for (int key = 0; key < kFunctionKeyCount; ++key) {
    keys_[static_cast<size_t>(key)] = button(QString("F%1").arg(key + 1), group);
    keys_[static_cast<size_t>(key)]->setCheckable(true);  // the selected key stays pressed
    grid->addWidget(keys_[static_cast<size_t>(key)], key / 6, key % 6);
    connect(keys_[static_cast<size_t>(key)], &QPushButton::clicked, this, [this, key] {
      model_.selectKey(key);
      showModel();
    });
  }

  shift_ = new QCheckBox("Shift", this);
  shift_->setObjectName("Shift");
  ctrl_ = new QCheckBox("Ctrl", this);
  ctrl_->setObjectName("Ctrl");
  connect(shift_, &QCheckBox::toggled, this, [this](bool on) {
    model_.setShift(on);
    showModel();
  });
  connect(ctrl_, &QCheckBox::toggled, this, [this](bool on) {
    model_.setCtrl(on);
    showModel();
  });

  keyText_ = new QLineEdit(this);
  keyText_->setObjectName("Key");
  keyText_->setReadOnly(true);
  binding_ = new QComboBox(this);
  binding_->setObjectName("Binding");
  for (const BindableCommand& c : model_.commands()) binding_->addItem(QString::fromUtf8(c.description.data(), static_cast<int>(c.description.size())));
  connect(binding_, &QComboBox::activated, this, [this](int index) {
    report(model_.chooseCommand(index >= 0 ? std::optional<size_t>(static_cast<size_t>(index)) : std::nullopt));
    showModel();
  });

  QPushButton* set = button("Set", this);
  QPushButton* clear = button("Clear", this);
  QPushButton* close = button("&Close", this);
  QPushButton* cancel = button("&Cancel", this);
  connect(set, &QPushButton::clicked, this, [this] {
    report(model_.set());
    showModel();
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    report(model_.clear());
    showModel();
  });
  connect(close, &QPushButton::clicked, this, &KeyBindDialog::closeKeeping);
  connect(cancel, &QPushButton::clicked, this, &KeyBindDialog::cancelRestoring);

  auto* modifiers = new QHBoxLayout;
  modifiers->addWidget(shift_);
  modifiers->addWidget(ctrl_);
  modifiers->addStretch();
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel("Key:", this), 0, 0);
  fields->addWidget(keyText_, 0, 1);
  fields->addWidget(new QLabel("Binding:", this), 1, 0);
  fields->addWidget(binding_, 1, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {set, clear, close, cancel}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(modifiers);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  // Function keys select a key whichever control has the focus.
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  showModel();
}

void KeyBindDialog::report(const std::string& message) {
  if (message.empty()) return;
  const QString text = QString::fromStdString(message);
  if (report_) report_(text);
  else QMessageBox::warning(this, "Error", text);
}

void KeyBindDialog::showModel() {
  keyText_->setText(QString::fromStdString(model_.keyFieldText()));
  const auto selection = model_.listSelection();
  binding_->setCurrentIndex(selection ? static_cast<int>(*selection) : -1);
  for (int key = 0; key < kFunctionKeyCount; ++key) keys_[static_cast<size_t>(key)]->setChecked(model_.selectedKey() == key);
}

bool KeyBindDialog::takeFunctionKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  const int key = functionKeyIndex(static_cast<QKeyEvent*>(event)->key());
  if (key < 0) return false;
  event->accept();
  if (event->type() == QEvent::KeyPress) {
    model_.selectKey(key);
    showModel();
  }
  return true;
}

bool KeyBindDialog::eventFilter(QObject* watched, QEvent* event) {
  if (takeFunctionKey(event)) return true;
  return QDialog::eventFilter(watched, event);
}

void KeyBindDialog::keyPressEvent(QKeyEvent* event) {
  if (!takeFunctionKey(event)) QDialog::keyPressEvent(event);
}

void KeyBindDialog::closeKeeping() {
  model_.close();
  accept();
}

void KeyBindDialog::cancelRestoring() {
  model_.cancel();
  QDialog::reject();
}

void KeyBindDialog::reject() {
  model_.escape();
  QDialog::reject();
}

}  // namespace yav
