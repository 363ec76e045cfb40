#include "qt/target_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/filtered_edit.h"

namespace yav {

namespace {

QString qstr(const std::string& s) { return QString::fromStdString(s); }

template <typename W>
W* named(W* w, int id) {
  w->setObjectName(QString::number(id));
  return w;
}

QPushButton* button(QWidget* parent, const char* text, int id) {
  auto* b = named(new QPushButton(QString::fromLatin1(text), parent), id);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

SetupDialog::SetupDialog(Kernel& k, QWidget* parent) : QDialog(parent), k_(k) {
  setObjectName("CONNECT");
  setWindowTitle("Setup");
  state_ = openSetupDialog(k_);

  port_ = named(new QComboBox(this), kSetupPort);
  for (const std::string& p : state_.ports) port_->addItem(qstr(p));
  port_->setCurrentIndex(state_.portIndex);
  chip_ = named(new QComboBox(this), kSetupChip);
  for (const std::string& c : state_.chips) chip_->addItem(qstr(c));
  chip_->setCurrentIndex(state_.chipIndex);
  connect(chip_, &QComboBox::currentIndexChanged, this, &SetupDialog::chipChanged);

  resetOnConnect_ = named(new QCheckBox("&Reset On Connection", this), kSetupResetOnConnect);
  resetOnConnect_->setChecked(state_.resetOnConnect);
  auto* dllVersion = named(new QLabel(qstr(state_.dllVersion), this), kSetupDllVersion);
  auto* cableVersion = named(new QLabel(qstr(state_.cableVersion), this), kSetupCableVersion);
  initFile_ = named(new QLineEdit(qstr(state_.initFile), this), kSetupInitFile);
  resetFile_ = named(new QLineEdit(qstr(state_.resetFile), this), kSetupResetFile);
  for (QLineEdit* e : {initFile_, resetFile_}) e->setMaxLength(static_cast<int>(kSetupFileLimit));
  QPushButton* initBrowse = button(this, "Browse", kSetupInitBrowse);
  QPushButton* resetBrowse = button(this, "Browse", kSetupResetBrowse);
  connect(initBrowse, &QPushButton::clicked, this, [this] { browse(initFile_); });
  connect(resetBrowse, &QPushButton::clicked, this, [this] { browse(resetFile_); });

  QPushButton* okButton = button(this, "&Ok", kSetupOk);
  okButton->setDefault(true);
  QPushButton* advancedButton = button(this, "&Advanced", kSetupAdvanced);
  QPushButton* cancelButton = button(this, "&Cancel", kSetupCancel);
  connect(okButton, &QPushButton::clicked, this, &SetupDialog::ok);
  connect(advancedButton, &QPushButton::clicked, this, &SetupDialog::advanced);
  connect(cancelButton, &QPushButton::clicked, this, &SetupDialog::reject);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Port", this), 0, 0);
  grid->addWidget(port_, 0, 1);
  grid->addWidget(new QLabel("DLL Version", this), 0, 2);
  grid->addWidget(dllVersion, 0, 3);
  grid->addWidget(new QLabel("Target", this), 1, 0);
  grid->addWidget(chip_, 1, 1);
  grid->addWidget(new QLabel("Cable Version", this), 1, 2);
  grid->addWidget(cableVersion, 1, 3);
  grid->addWidget(resetOnConnect_, 2, 0, 1, 4);
  grid->addWidget(new QLabel("Init Commands", this), 3, 0);
  grid->addWidget(initFile_, 3, 1, 1, 2);
  grid->addWidget(initBrowse, 3, 3);
  grid->addWidget(new QLabel("Reset Commands", this), 4, 0);
  grid->addWidget(resetFile_, 4, 1, 1, 2);
  grid->addWidget(resetBrowse, 4, 3);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {okButton, advancedButton, cancelButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void SetupDialog::chipChanged(int index) {
  setupChipChanged(k_, state_, index);
  if (chip_->currentIndex() != state_.chipIndex) {  // the chip could not be selected
    const QSignalBlocker block(chip_);
    chip_->setCurrentIndex(state_.chipIndex);
  }
}

void SetupDialog::takeControls() {
  state_.portIndex = port_->currentIndex();
  state_.resetOnConnect = resetOnConnect_->isChecked();
  state_.initFile = initFile_->text().toStdString();
  state_.resetFile = resetFile_->text().toStdString();
}

void SetupDialog::ok() {
  takeControls();
  if (setupOk(k_, state_)) done(1);
}

void SetupDialog::reject() {
  setupCancel(k_);
  done(0);
}

void SetupDialog::advanced() {
  AdvancedSetupDialog dialog(k_, this);
  dialog.exec();
}

void SetupDialog::browse(QLineEdit* edit) {
  const QString dir = edit->text().isEmpty() ? QString() : QFileInfo(edit->text()).absolutePath();
  const QString file = QFileDialog::getOpenFileName(this, kBrowseTitle, dir, kBrowseFilter);
  if (!file.isEmpty()) edit->setText(file);
}

AdvancedSetupDialog::AdvancedSetupDialog(Kernel& k, QWidget* parent) : QDialog(parent), k_(k) {
  setObjectName("ADVANCED");
  setWindowTitle("Advanced Setup");
  state_ = openAdvancedDialog(k_);

  auto* help = named(new QLabel(kAdvancedHelpText, this), kAdvancedHelp);
  help->setWordWrap(true);
  width_ = named(new FilteredEdit(EditKind::Number, this), kAdvancedSyncWidth);
  useSync_ = named(
      new QCheckBox("Use Sync while stepping and to read the status register (Slows down Communication)", this),
      kAdvancedUseSync);
  setClksw_ = named(new QCheckBox("Set CLKSW bit on reset to boost up the connecion speed", this), kAdvancedSetClksw);
  clearClksw_ = named(new QCheckBox("Clear CLKSW bit on reset", this), kAdvancedClearClksw);
  connect(useSync_, &QCheckBox::clicked, this, [this](bool on) { toggled(kAdvancedUseSync, on); });
  connect(setClksw_, &QCheckBox::clicked, this, [this](bool on) { toggled(kAdvancedSetClksw, on); });
  connect(clearClksw_, &QCheckBox::clicked, this, [this](bool on) { toggled(kAdvancedClearClksw, on); });

  QPushButton* okButton = button(this, "&Ok", kAdvancedOk);
  okButton->setDefault(true);
  QPushButton* defaultsButton = button(this, "&Defaults", kAdvancedDefaults);
  QPushButton* cancelButton = button(this, "&Cancel", kAdvancedCancel);
  connect(okButton, &QPushButton::clicked, this, &AdvancedSetupDialog::ok);
  connect(defaultsButton, &QPushButton::clicked, this, &AdvancedSetupDialog::defaults);
  connect(cancelButton, &QPushButton::clicked, this, &AdvancedSetupDialog::reject);

  auto* widthRow = new QHBoxLayout;
  widthRow->addWidget(width_);
  widthRow->addWidget(new QLabel("msec", this));
  widthRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {okButton, defaultsButton, cancelButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(help);
  layout->addLayout(widthRow);
  for (QCheckBox* c : {useSync_, setClksw_, clearClksw_}) layout->addWidget(c);
  layout->addLayout(buttons);
  showState();
}

void AdvancedSetupDialog::showState() {
  width_->setText(qstr(state_.syncWidth));
  useSync_->setChecked(state_.useSync);
  setClksw_->setChecked(state_.setClockSwitch);
  clearClksw_->setChecked(state_.clearClockSwitch);
}

void AdvancedSetupDialog::toggled(int control, bool checked) {
  state_.syncWidth = width_->text().toStdString();
  advancedToggle(state_, control, checked);
  showState();
}

void AdvancedSetupDialog::defaults() {
  advancedDefaults(state_);
  showState();
}

void AdvancedSetupDialog::ok() {
  state_.syncWidth = width_->text().toStdString();
  if (advancedOk(k_, state_)) accept();
}

bool runSetupDialog(Kernel& k, QWidget* parent) {
  SetupDialog dialog(k, parent);
  return dialog.exec() == 1;
}

}  // namespace yav
