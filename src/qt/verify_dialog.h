// The "Verify FLASH" dialog ("VERIFY"): widgets over the verify logic of ui/verify_dialog.
// Each control carries its id as object name.
#pragma once
#include <QDialog>
#include <QWidget>
#include <cstdint>

#include "engine/kernel.h"
#include "ui/verify_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace yav {

class FilteredEdit;

// The progress area (20213): a red bar as wide as the share of the file read so far.
class VerifyProgressArea : public QWidget {
  Q_OBJECT
 public:
  explicit VerifyProgressArea(QWidget* parent = nullptr);
  void setProgress(uint64_t read, uint64_t total);
  // Width of the bar in pixels for the area's current width.
  int barWidth() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  uint64_t read_ = 0, total_ = 0;
};

class VerifyDialog : public QDialog {
  Q_OBJECT
 public:
  VerifyDialog(Kernel& k, QWidget* parent = nullptr);

  // The controls' values as the verify logic takes them.
  VerifyDialogState state() const;
  bool comparing() const { return comparing_; }

  // "&Verify": runs the comparison; the dialog closes unless an entry needs correcting.
  void verify();
  // "&Cancel" and Escape: during a comparison a stop request, else the dialog closes.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void showRange(bool select);
  void browse();

  Kernel& k_;
  bool comparing_ = false;
  QLineEdit* file_ = nullptr;
  VerifyProgressArea* progress_ = nullptr;
  QLineEdit* bytes_ = nullptr;
  QRadioButton* all_ = nullptr;
  QRadioButton* select_ = nullptr;
  QLabel* fromLabel_ = nullptr;
  FilteredEdit* from_ = nullptr;
  QLabel* toLabel_ = nullptr;
  FilteredEdit* to_ = nullptr;
  QPushButton* verifyButton_ = nullptr;
};

// Opens the dialog modally over `parent` (Target menu "&Verify").
void runVerifyFlashDialog(Kernel& k, QWidget* parent);

}  // namespace yav
