// The Setup ("CONNECT") and Advanced Setup ("ADVANCED") dialogs: widgets over the dialog
// logic of ui/target_setup_dialog. Each control carries its id as object name.
#pragma once
#include <QDialog>

#include "engine/kernel.h"
#include "ui/target_setup_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace yav {

class FilteredEdit;

class SetupDialog : public QDialog {
  Q_OBJECT
 public:
  // Opening the dialog tells the chip library (emsetup 1).
  SetupDialog(Kernel& k, QWidget* parent = nullptr);

  const SetupDialogState& state() const { return state_; }

  // "&Ok": takes the controls' values; closes with 1 unless the logic keeps the dialog open.
  void ok();
  // "&Cancel", Escape and the window's close button: the chip library is told; closes with 0.
  void reject() override;

 private:
  void chipChanged(int index);
  void advanced();
  void browse(QLineEdit* edit);
  void takeControls();

  Kernel& k_;
  SetupDialogState state_;
  QComboBox* port_ = nullptr;
  QComboBox* chip_ = nullptr;
  QCheckBox* resetOnConnect_ = nullptr;
  QLineEdit* initFile_ = nullptr;
  QLineEdit* resetFile_ = nullptr;
};

class AdvancedSetupDialog : public QDialog {
  Q_OBJECT
 public:
  AdvancedSetupDialog(Kernel& k, QWidget* parent = nullptr);

  const AdvancedDialogState& state() const { return state_; }

  // "&Ok": stays open with an empty width, else stores and writes the values and closes.
  void ok();
  // "&Defaults": the default values into the controls.
  void defaults();

 private:
  void toggled(int control, bool checked);
  void showState();

  Kernel& k_;
  AdvancedDialogState state_;
  FilteredEdit* width_ = nullptr;
  QCheckBox* useSync_ = nullptr;
  QCheckBox* setClksw_ = nullptr;
  QCheckBox* clearClksw_ = nullptr;
};

// Runs the Setup dialog modally over `parent`; true when closed with "&Ok". What the frame
// installs as the target layer's Setup dialog.
bool runSetupDialog(Kernel& k, QWidget* parent);

}  // namespace yav
