#include "qt/browser_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/kernel.h"
#include "qt/view_window.h"
#include "ui/browser_lists.h"

namespace yav {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// "Ok" and "Cancel" below the dialog's controls.
QDialogButtonBox* okCancel(QDialog* d) {
  auto* box = new QDialogButtonBox(d);
  box->addButton("Ok", QDialogButtonBox::AcceptRole)->setObjectName("Ok");
  box->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("Cancel");
  QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
  return box;
}

void selectText(QListWidget* list, std::string_view text) {
  const auto found = list->findItems(qs(text), Qt::MatchExactly);
  if (!found.isEmpty()) list->setCurrentItem(found.front());
}

std::string currentText(const QListWidget* list) {
  const QListWidgetItem* it = list->currentItem();
  return it ? it->text().toStdString() : std::string();
}

const SymbolTables& tables(ViewServices& s) { return s.kernel().prog.program->tables; }

}  // namespace

PickDialog::PickDialog(std::string_view objectName, std::string_view title, std::string_view label,
                       std::vector<std::string> names, std::vector<std::string> values, QWidget* parent)
    : QDialog(parent), names_(std::move(names)), values_(std::move(values)) {
  setObjectName(qs(objectName));
  setWindowTitle(qs(title));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(qs(label), this);
  list_ = new QListWidget(this);
  caption->setBuddy(list_);
  for (const std::string& n : names_) list_->addItem(QString::fromStdString(n));
  layout->addWidget(caption);
  layout->addWidget(list_);
  if (!values_.empty()) {
    layout->addWidget(new QLabel("Value ", this));
    value_ = new QLineEdit(this);
    value_->setReadOnly(true);
    layout->addWidget(value_);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { showValue(); });
  }
  layout->addWidget(okCancel(this));
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::string PickDialog::chosen() const { return currentText(list_); }

void PickDialog::choose(std::string_view name) { selectText(list_, name); }

void PickDialog::addDefault(std::string name) {
  auto* box = findChild<QDialogButtonBox*>();
  QPushButton* b = box->addButton("Default", QDialogButtonBox::ResetRole);
  b->setObjectName("Default");
  connect(b, &QPushButton::clicked, this, [this, name] { choose(name); });
}

void PickDialog::showValue() {
  const int row = list_->currentRow();
  value_->setText(row >= 0 && static_cast<size_t>(row) < values_.size() ? QString::fromStdString(values_[row]) : QString());
}

FunctionBrowserDialog::FunctionBrowserDialog(ViewServices& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("FUNCBROWSER");
  setWindowTitle("Function Browser");
  auto* layout = new QVBoxLayout(this);
  functions_ = new QListWidget(this);
  files_ = new QComboBox(this);
  for (const std::string& f : browserFiles(tables(s), true)) files_->addItem(QString::fromStdString(f));
  layout->addWidget(new QLabel("Function ", this));
  layout->addWidget(functions_);
  layout->addWidget(new QLabel("File ", this));
  layout->addWidget(files_);
  layout->addWidget(okCancel(this));
  connect(files_, &QComboBox::currentTextChanged, this, [this] { fillFunctions(); });
  connect(functions_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  chooseFile(kAllFiles);
  fillFunctions();
}

void FunctionBrowserDialog::fillFunctions() {
  functions_->clear();
  for (const std::string& f : browserFunctions(tables(s_), file())) functions_->addItem(QString::fromStdString(f));
}

void FunctionBrowserDialog::chooseFile(std::string_view file) {
  const int i = files_->findText(qs(file));
  if (i >= 0) files_->setCurrentIndex(i);
}

void FunctionBrowserDialog::chooseFunction(std::string_view function) { selectText(functions_, function); }
std::string FunctionBrowserDialog::function() const { return currentText(functions_); }
std::string FunctionBrowserDialog::file() const { return files_->currentText().toStdString(); }

bool runBrowserDialog(ViewServices& s, uint16_t id) {
  switch (id) {
    case kCmdFileBrowser: runFileBrowser(s); return true;
    case kCmdFunctionBrowser: runFunctionBrowser(s); return true;
    case kCmdAnySource: runAnySource(s); return true;
    case kCmdSymbolBrowser: runSymbolBrowser(s); return true;
  }
  return false;
}

void runFileBrowser(ViewServices& s) {
  PickDialog d("FILEBROWSER", "File Browser", "&File ", browserFiles(tables(s), false));
  const std::string current = currentSourceFile(s.kernel());
  d.addDefault(current);
  d.choose(current);
  if (s.execDialog(d) != QDialog::Accepted) return;
  if (const std::string file = d.chosen(); !file.empty()) s.showSource(file, 0);
}

void runFunctionBrowser(ViewServices& s) {
  FunctionBrowserDialog d(s);
  if (s.execDialog(d) != QDialog::Accepted) return;
  const SourcePlace p = browsedFunctionPlace(tables(s), d.function(), d.file());
  if (!p.file.empty()) s.showSource(p.file, p.line);
}

void runAnySource(ViewServices& s) {
  const std::string path = s.openFileName(kAnySourceTitle, kAnySourceFilter);
  if (!path.empty()) s.showSource(path, 0);
}

// The symbol browser in either use: browsing (its value shown) or choosing a value.
std::string runSymbolDialog(ViewServices& s, std::string_view objectName, QWidget* parent) {
  std::vector<std::string> names, values;
  for (const BrowsedSymbol& b : browserSymbols(s.kernel().prog.program->labels)) {
    names.push_back(b.name);
    values.push_back(b.value);
  }
  PickDialog d(objectName, "Symbol Browser", "&Symbol ", names, values, parent);
  if (s.execDialog(d) != QDialog::Accepted) return {};
  const int row = d.list()->currentRow();
  return row >= 0 ? values[static_cast<size_t>(row)] : std::string();
}

void runSymbolBrowser(ViewServices& s) { runSymbolDialog(s, "SYMBBROWSER", nullptr); }

std::string selectSymbolValue(ViewServices& s, QWidget* parent) { return runSymbolDialog(s, "SYMBSELECT", parent); }

std::string selectFunctionAddress(ViewServices& s, QWidget* parent) {
  PickDialog d("FUNCSELECT", "Function Browser", "Function ", browserFunctions(tables(s), kAllFiles), {}, parent);
  if (s.execDialog(d) != QDialog::Accepted) return {};
  return functionAddressText(tables(s), d.chosen()).value_or(std::string());
}

}  // namespace yav
