#include "qt/memory_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/errors.h"
#include "model/format.h"
#include "ui/memory_data_rows.h"

namespace yav {

namespace {

struct Choice {
  const char* text;  // the button's label
  const char* name;  // its object name
  int id;
};

const Choice kSizes[] = {{"Byte", "Byte", 1}, {"Word", "Word", 2}, {"Long", "Long", 4}};
const Choice kBases[] = {{"Binary", "Binary", 0}, {"Octal", "Octal", 1}, {"Decimal", "Decimal", 2},
                         {"Hexadecimal", "Hexadecimal", 3}};
const Choice kAscii[] = {{"On", "AsciiOn", 1}, {"Off", "AsciiOff", 0}};
const Choice kTypes[] = {{"Code", "Code", 0}, {"Data", "Data", 1}};
const Choice kSpaces[] = {{"Code Space", "CodeSpace", 1}, {"Data Space", "DataSpace", 0}};
const Choice kFillSizes[] = {{"&Byte", "Byte", 1}, {"&Word", "Word", 2}, {"&Long", "Long", 4}};

// A titled group of radio buttons, one checked.
template <size_t N>
QButtonGroup* radioGroup(QWidget* owner, QLayout* into, const char* title, const Choice (&choices)[N], int checked) {
  auto* box = new QGroupBox(title, owner);
  box->setObjectName(title);
  auto* row = new QHBoxLayout(box);
  auto* group = new QButtonGroup(owner);
  for (const Choice& c : choices) {
    auto* b = new QRadioButton(c.text, box);
    b->setObjectName(c.name);
    b->setChecked(c.id == checked);
    group->addButton(b, c.id);
    row->addWidget(b);
  }
  into->addWidget(box);
  return group;
}

QDialogButtonBox* okCancel(QDialog* d, QLayout* into) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
  into->addWidget(buttons);
  return buttons;
}

QLineEdit* field(QWidget* owner, QFormLayout* form, const char* label, const char* name, const std::string& text) {
  auto* edit = new QLineEdit(QString::fromStdString(text), owner);
  edit->setObjectName(name);
  form->addRow(label, edit);
  return edit;
}

std::string hex(uint32_t v) { return fmtstr("0x%hl", v); }

}  // namespace

MemoryConfigDialog::MemoryConfigDialog(const MemoryConfig& start, Use use, QWidget* parent)
    : QDialog(parent), fixedKind_(use == Use::CodeWindow ? MemKind::Code : MemKind::Data) {
  setObjectName(use == Use::NewWindow ? "YAVMEM_CONF" : use == Use::DataWindow ? "YAVDATA_CONF" : "YAVASMDATA_CONF");
  setWindowTitle("Memory Window Configuration");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  address_ = field(this, form, "Address", "Address", start.address);
  if (use == Use::NewWindow) type_ = radioGroup(this, layout, "Type", kTypes, start.kind == MemKind::Code ? 0 : 1);
  space_ = radioGroup(this, layout, "Space", kSpaces, start.codeSpace ? 1 : 0);
  if (use != Use::CodeWindow) {
    size_ = radioGroup(this, layout, "Size", kSizes, start.size);
    base_ = radioGroup(this, layout, "Format", kBases, static_cast<int>(start.base));
    ascii_ = radioGroup(this, layout, "Ascii", kAscii, start.characters ? 1 : 0);
  } else {
    size_ = base_ = ascii_ = nullptr;
  }
  okCancel(this, layout);
}

MemoryConfig MemoryConfigDialog::config() const {
  MemoryConfig c;
  c.address = address_->text().toStdString();
  c.kind = type_ ? (type_->checkedId() == 0 ? MemKind::Code : MemKind::Data) : fixedKind_;
  c.codeSpace = space_->checkedId() == 1;
  if (size_) {
    c.size = size_->checkedId() > 0 ? size_->checkedId() : 1;
    c.base = base_->checkedId() >= 0 ? static_cast<MemBase>(base_->checkedId()) : MemBase::Hex;
    c.characters = ascii_->checkedId() != 0;
  }
  return c;
}

DataFormatDialog::DataFormatDialog(const DataLayout& start, QWidget* parent) : QDialog(parent), start_(start) {
  setObjectName("YAVDATA_FMT");
  setWindowTitle("Format");
  auto* layout = new QVBoxLayout(this);
  size_ = radioGroup(this, layout, "Size", kSizes, start.size);
  base_ = radioGroup(this, layout, "Format", kBases, static_cast<int>(start.base));
  ascii_ = radioGroup(this, layout, "Ascii", kAscii, start.characters ? 1 : 0);
  okCancel(this, layout);
}

DataLayout DataFormatDialog::layout() const {
  DataLayout l = start_;
  if (size_->checkedId() > 0) l.size = size_->checkedId();
  if (base_->checkedId() >= 0) l.base = static_cast<MemBase>(base_->checkedId());
  l.characters = ascii_->checkedId() != 0;
  return l;
}

FillDialog::FillDialog(uint32_t from, QWidget* parent) : QDialog(parent) {
  setObjectName("YAVDATA_FILL");
  setWindowTitle("Memory Fill");
  auto* layout = new QVBoxLayout(this);
  size_ = radioGroup(this, layout, "&Size", kFillSizes, 1);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  with_ = field(this, form, "&With", "With", "0");
  from_ = field(this, form, "&From", "From", hex(from));
  to_ = field(this, form, "&To", "To", hex(from + 0xF));
  random_ = new QCheckBox("&Random", this);
  random_->setObjectName("Random");
  verify_ = new QCheckBox("&Verify", this);
  verify_->setObjectName("Verify");
  layout->addWidget(random_);
  layout->addWidget(verify_);
  okCancel(this, layout);
}

FillDialogFields FillDialog::fields() const {
  FillDialogFields f;
  f.size = size_->checkedId() > 0 ? size_->checkedId() : 1;
  f.with = with_->text().toStdString();
  f.from = from_->text().toStdString();
  f.to = to_->text().toStdString();
  f.random = random_->isChecked();
  f.verify = verify_->isChecked();
  return f;
}

DumpRangeDialog::DumpRangeDialog(bool code, uint32_t from, uint32_t to, QWidget* parent) : QDialog(parent) {
  setObjectName(code ? "YAVMEM_CDUMP" : "YAVMEM_DDUMP");
  setWindowTitle(code ? "Memory Code Dump" : "Memory Data Dump");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  from_ = field(this, form, "&From", "From", hex(from));
  to_ = field(this, form, "&To", "To", hex(to));
  okCancel(this, layout);
}

std::string DumpRangeDialog::fromText() const { return from_->text().toStdString(); }
std::string DumpRangeDialog::toText() const { return to_->text().toStdString(); }

bool askDumpRange(ViewServices& services, bool code, uint32_t from, uint32_t to, uint32_t& outFrom, uint32_t& outTo) {
  DumpRangeDialog d(code, from, to);
  if (services.execDialog(d) != QDialog::Accepted) return false;
  Kernel& k = services.kernel();
  bool space = false;
  if (!evaluateAddress(k, stripSpacePrefix(d.fromText(), space), outFrom)) {
    errmsg(k, {"Wrong Start Address", "\n"});
    return false;
  }
  if (!evaluateAddress(k, stripSpacePrefix(d.toText(), space), outTo) || outTo < outFrom) {
    errmsg(k, {"Wrong End Address", "\n"});
    return false;
  }
  return true;
}

TargetMemory* dumpMemory(Kernel& k) {
  if (k.exec.running) {
    errmsg(k, {kCantReadWhileRunning, "\n"});
    return nullptr;
  }
  TargetMemory* m = targetMemory(k);
  if (!m) errmsg(k, {"No target connected", "\n"});
  return m;
}

}  // namespace yav
