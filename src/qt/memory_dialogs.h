// The memory windows' dialogs: configuration of a new window ("YAVMEM_CONF") or of an open one
// ("YAVDATA_CONF", "YAVASMDATA_CONF"), the data format ("YAVDATA_FMT"), the fill
// ("YAVDATA_FILL") and the range of a dump ("YAVMEM_CDUMP", "YAVMEM_DDUMP"). Each control
// carries a name tests can find.
#pragma once
#include <QDialog>
#include <string>

#include "engine/kernel.h"
#include "qt/view_window.h"
#include "ui/memory_fill.h"
#include "ui/memory_window_spec.h"

class QButtonGroup;
class QLineEdit;
class QCheckBox;

namespace yav {

// "Address" (the expression), "Type" ("Code"/"Data", new windows only), "Code Space"/"Data
// Space", "Size", "Format" and "Ascii". The size, format and ascii groups show for data.
class MemoryConfigDialog : public QDialog {
 public:
  enum class Use { NewWindow, DataWindow, CodeWindow };
  MemoryConfigDialog(const MemoryConfig& start, Use use, QWidget* parent = nullptr);
  MemoryConfig config() const;

 private:
  QLineEdit* address_;
  QButtonGroup* type_ = nullptr;
  QButtonGroup* space_;
  QButtonGroup* size_;
  QButtonGroup* base_;
  QButtonGroup* ascii_;
  MemKind fixedKind_;
};

// "Size", "Format" and "Ascii" of a data window.
class DataFormatDialog : public QDialog {
 public:
  DataFormatDialog(const DataLayout& start, QWidget* parent = nullptr);
  DataLayout layout() const;

 private:
  DataLayout start_;
  QButtonGroup* size_;
  QButtonGroup* base_;
  QButtonGroup* ascii_;
};

// "Memory Fill": "&Size" ("&Byte", "&Word", "&Long"), "&With", "&From", "&To", "&Random",
// "&Verify".
class FillDialog : public QDialog {
 public:
  FillDialog(uint32_t from, QWidget* parent = nullptr);
  FillDialogFields fields() const;

 private:
  QButtonGroup* size_;
  QLineEdit* with_;
  QLineEdit* from_;
  QLineEdit* to_;
  QCheckBox* random_;
  QCheckBox* verify_;
};

// The range of a dump: "&From" and "&To"; titled "Memory Code Dump" or "Memory Data Dump".
class DumpRangeDialog : public QDialog {
 public:
  DumpRangeDialog(bool code, uint32_t from, uint32_t to, QWidget* parent = nullptr);
  std::string fromText() const;
  std::string toText() const;

 private:
  QLineEdit* from_;
  QLineEdit* to_;
};

// Runs the range dialog of a dump starting with [from, to]; false when cancelled or when an
// address is wrong ("Wrong Start Address", "Wrong End Address", reported).
bool askDumpRange(ViewServices& services, bool code, uint32_t from, uint32_t to, uint32_t& outFrom, uint32_t& outTo);

// The memory a dump reads; null (reported) while the target runs or without a target.
TargetMemory* dumpMemory(Kernel& k);

}  // namespace yav
