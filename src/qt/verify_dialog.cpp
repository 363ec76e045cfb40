#include "qt/verify_dialog.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/filtered_edit.h"

namespace yav {

namespace {

enum VerifyControl : int {
  kBytes = 100, kCancel = 20201, kVerify = 20202, kGroup = 20203, kAll = 20204, kSelect = 20205,
  kToLabel = 20206, kTo = 20207, kFromLabel = 20208, kFrom = 20209, kFileLabel = 20210, kFile = 20211,
  kBrowse = 20212, kProgress = 20213,
};

template <typename W>
W* named(W* w, int id) {
  w->setObjectName(QString::number(id));
  return w;
}

}  // namespace

VerifyProgressArea::VerifyProgressArea(QWidget* parent) : QWidget(parent) {
  setMinimumSize(200, 16);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void VerifyProgressArea::setProgress(uint64_t read, uint64_t total) {
  read_ = read;
  total_ = total;
  update();
}

int VerifyProgressArea::barWidth() const {
  if (total_ == 0) return 0;
  const uint64_t done = std::min(read_, total_);
  return static_cast<int>(static_cast<uint64_t>(width()) * done / total_);
}

void VerifyProgressArea::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base));
  if (const int w = barWidth(); w > 0) p.fillRect(QRect(0, 0, w, height()), Qt::red);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

VerifyDialog::VerifyDialog(Kernel& k, QWidget* parent) : QDialog(parent), k_(k) {
  setObjectName("VERIFY");
  setWindowTitle("Verify FLASH");
  const VerifyDialogState start = openVerifyDialog();

  auto* fileLabel = named(new QLabel("&File:", this), kFileLabel);
  file_ = named(new QLineEdit(QString::fromStdString(start.file), this), kFile);
  fileLabel->setBuddy(file_);
  auto* browseButton = named(new QPushButton("&Browse", this), kBrowse);
  browseButton->setAutoDefault(false);
  connect(browseButton, &QPushButton::clicked, this, &VerifyDialog::browse);

  progress_ = named(new VerifyProgressArea(this), kProgress);
  progress_->setEnabled(false);
  bytes_ = named(new FilteredEdit(EditKind::ReadOnly, this), kBytes);
  bytes_->setMaximumWidth(100);

  auto* group = named(new QGroupBox("Verify", this), kGroup);
  all_ = named(new QRadioButton("&All", group), kAll);
  select_ = named(new QRadioButton("&Select", group), kSelect);
  all_->setChecked(!start.select);
  select_->setChecked(start.select);
  fromLabel_ = named(new QLabel("F&rom:", group), kFromLabel);
  from_ = named(new FilteredEdit(EditKind::Hex, group), kFrom);
  from_->setText(QString::fromStdString(start.fromText));
  fromLabel_->setBuddy(from_);
  toLabel_ = named(new QLabel("&To:", group), kToLabel);
  to_ = named(new FilteredEdit(EditKind::Hex, group), kTo);
  to_->setText(QString::fromStdString(start.toText));
  toLabel_->setBuddy(to_);
  connect(select_, &QRadioButton::toggled, this, &VerifyDialog::showRange);

  verifyButton_ = named(new QPushButton("&Verify", this), kVerify);
  verifyButton_->setDefault(true);
  auto* cancelButton = named(new QPushButton("&Cancel", this), kCancel);
  cancelButton->setAutoDefault(false);
  connect(verifyButton_, &QPushButton::clicked, this, &VerifyDialog::verify);
  connect(cancelButton, &QPushButton::clicked, this, &VerifyDialog::reject);

  auto* groupLayout = new QGridLayout(group);
  groupLayout->addWidget(all_, 0, 0);
  groupLayout->addWidget(select_, 1, 0);
  groupLayout->addWidget(fromLabel_, 0, 1);
  groupLayout->addWidget(from_, 0, 2);
  groupLayout->addWidget(toLabel_, 1, 1);
  groupLayout->addWidget(to_, 1, 2);
  groupLayout->setColumnStretch(2, 1);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browseButton);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progress_, 1);
  progressRow->addWidget(new QLabel("Bytes:", this));
  progressRow->addWidget(bytes_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(verifyButton_);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fileRow);
  layout->addLayout(progressRow);
  layout->addWidget(group);
  layout->addLayout(buttons);
  showRange(start.select);
}

void VerifyDialog::showRange(bool select) {
  for (QWidget* w : std::initializer_list<QWidget*>{fromLabel_, from_, toLabel_, to_}) w->setVisible(select);
}

VerifyDialogState VerifyDialog::state() const {
  VerifyDialogState s;
  s.file = file_->text().toStdString();
  s.select = select_->isChecked();
  s.fromText = from_->text().toStdString();
  s.toText = to_->text().toStdString();
  return s;
}

void VerifyDialog::verify() {
  if (comparing_) return;
  const VerifyDialogState s = state();
  VerifyProgress report;
  report.fileRead = [this](uint64_t read, uint64_t total) { progress_->setProgress(read, total); };
  report.bytesCompared = [this](uint32_t bytes) { bytes_->setText(QString::number(bytes)); };
  comparing_ = true;
  verifyButton_->setEnabled(false);
  progress_->setEnabled(true);
  const bool finished = runVerifyDialog(k_, s, report);
  comparing_ = false;
  verifyButton_->setEnabled(true);
  progress_->setEnabled(false);
  if (finished) done(1);
}

void VerifyDialog::reject() {
  if (comparing_) {
    k_.exec.stopreq = true;
    return;
  }
  QDialog::reject();
}

void VerifyDialog::closeEvent(QCloseEvent* e) {
  if (comparing_) {  // the comparison is still on the stack: stop it, close afterwards
    k_.exec.stopreq = true;
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void VerifyDialog::browse() {
  const QString dir = file_->text().isEmpty() ? QString() : QFileInfo(file_->text()).absolutePath();
  const QString file = QFileDialog::getOpenFileName(this, "Select File", dir, "S-RECORD Files(*.s19)");
  if (!file.isEmpty()) file_->setText(file);
}

void runVerifyFlashDialog(Kernel& k, QWidget* parent) {
  VerifyDialog dialog(k, parent);
  dialog.exec();
}

}  // namespace yav
