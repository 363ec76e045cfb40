#include "qt/editor_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <functional>
#include <map>

#include "engine/kernel.h"
#include "engine/ui_port.h"
#include "qt/view_window.h"
#include "ui/editor_lines.h"

namespace yav {

namespace {

// A dialog of named text fields and check boxes whose OK runs a builder; an error keeps it open.
class EditorDialog : public QDialog {
 public:
  EditorDialog(ViewServices& services, const char* name, const char* title) : services_(services) {
    setObjectName(name);
    setWindowTitle(title);
    form_ = new QFormLayout(this);
  }
  void field(const char* label, const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    form_->addRow(label, e);
    edits_[name] = e;
  }
  void check(const char* label, const char* name) {
    auto* c = new QCheckBox(label, this);
    c->setObjectName(name);
    form_->addRow(c);
    checks_[name] = c;
  }
  void access() {
    access_ = new QComboBox(this);
    access_->setObjectName("access");
    access_->addItems({"Any Access", "Read", "Write"});
    form_->addRow("Access:", access_);
  }
  std::string text(const char* name) const {
    auto it = edits_.find(name);
    return it == edits_.end() ? std::string() : it->second->text().trimmed().toStdString();
  }
  bool checked(const char* name) const {
    auto it = checks_.find(name);
    return it != checks_.end() && it->second->isChecked();
  }
  char accessLetter() const { return access_ ? "ARW"[access_->currentIndex()] : 'A'; }
  RunEditorFields runFields() const {
    return {text("function"), text("file"), text("line"), text("address"), text("count"), checked("assembler")};
  }

  std::string run(std::function<EditorLine()> build) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form_->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, build] {
      const EditorLine l = build();
      if (!l.error.empty()) return services_.kernel().ui->messageBox("Error", l.error, MsgIcon::Error);
      line_ = l.line;
      accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return services_.execDialog(*this) == QDialog::Accepted ? line_ : std::string();
  }

 private:
  ViewServices& services_;
  QFormLayout* form_;
  std::map<std::string, QLineEdit*> edits_;
  std::map<std::string, QCheckBox*> checks_;
  QComboBox* access_ = nullptr;
  std::string line_;
};

void placeFields(EditorDialog& d, bool withLine, bool withAddress) {
  d.field("Function:", "function");
  d.field("File:", "file");
  if (withLine) d.field("Line:", "line");
  if (withAddress) d.field("Address:", "address");
}

}  // namespace

std::string runEditorDialog(ViewServices& services, uint16_t id) {
  switch (id) {
    case 202: {
      EditorDialog d(services, "GOEDIT", "Go Editor");
      placeFields(d, true, true);
      return d.run([&] { return goEditorLine(d.runFields()); });
    }
    case 212: {
      EditorDialog d(services, "GOEDIT", "Go Editor");
      d.field("Function:", "function");
      return d.run([&] { return goToFunctionLine(d.runFields()); });
    }
    case 206: {
      EditorDialog d(services, "STEPEDIT", "Step Editor");
      placeFields(d, true, false);
      d.field("Count:", "count");
      d.check("Assembler Level", "assembler");
      return d.run([&] { return stepEditorLine(d.runFields()); });
    }
    case 213: {
      EditorDialog d(services, "STEPTOFN", "Step Editor");
      placeFields(d, false, false);
      d.check("Assembler Level", "assembler");
      return d.run([&] { return stepToFunctionLine(d.runFields()); });
    }
    case 805: {
      EditorDialog d(services, "BKPTEDIT", "Code Event");
      placeFields(d, true, true);
      d.field("Count:", "count");
      d.field("Commands:", "actions");
      d.check("Watchpoint", "watch");
      d.check("Suspended", "suspended");
      return d.run([&] {
        return codeEventLine({d.runFields(), d.text("count"), d.text("actions"), d.checked("watch"), d.checked("suspended")});
      });
    }
    case 806: {
      EditorDialog d(services, "BKPTDEDIT", "Data Event");
      d.field("Expression:", "expression");
      d.access();
      d.field("Count:", "count");
      d.field("Commands:", "actions");
      d.check("Watchpoint", "watch");
      return d.run([&] {
        return dataEventLine({d.text("expression"), d.text("count"), d.text("actions"), d.accessLetter(), d.checked("watch")});
      });
    }
    default:
      return {};
  }
}

}  // namespace yav
