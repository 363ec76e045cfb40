#include "qt/registers_window.h"

#include "engine/kernel_eval.h"
#include "qt/update_dialog.h"
#include "ui/list_windows.h"

namespace yav {

RegistersWindow::RegistersWindow(ViewServices& s, QWidget* parent) : ViewWindow(s, parent) {
  setObjectName("REGWIN");
  setWindowTitle("Registers");
  lines_ = layOutLineView(
      this, s.font("Register_Font"),
      viewMenuBar(this, "GENERIC_MENU1",
                  {{kCmdWindowRefresh, "Refresh"}, {kCmdWindowSave, "Save"}, {kCmdWindowPrint, "Print"}}),
      [this](int line) { updateLine(line); });
  Kernel& k = s.kernel();
  if (!k.exec.running) refreshRegisters(k);
  show();
}

void RegistersWindow::show() {
  model_.show(services_.kernel().regs.file);
  lines_->setLines(model_.lines());
  for (size_t i = 0; i < model_.lines().size(); ++i) lines_->setMarked(static_cast<int>(i), model_.changed(i));
}

void RegistersWindow::refresh(uint32_t viewBits) {
  if (viewBits & kViewRegisters) show();
}

bool RegistersWindow::windowCommand(uint16_t id) {
  switch (id) {
    case kCmdWindowRefresh:
      if (services_.kernel().exec.running || !refreshRegisters(services_.kernel())) {
        services_.beep();
        return true;
      }
      show();
      return true;
    case kCmdWindowSave:
      saveViewText(services_, "Save Registers", kRegisterFileFilter, kRegisterFileExtension, model_.saveText());
      return true;
    case kCmdWindowPrint: printViewText(services_, "Registers", model_.saveText()); return true;
  }
  return false;
}

void RegistersWindow::updateLine(int line) {
  if (line < 0) return;
  const char* name = RegistersModel::registerOfLine(static_cast<size_t>(line));
  if (!name) {
    services_.beep();
    return;
  }
  const std::string command =
      askUpdate(services_, UpdateDialog::Kind::Register, name, model_.valueText(static_cast<size_t>(line)), this);
  if (command.empty()) return;
  services_.runCommandLine(command);
  show();
}

ViewWindow* createRegistersWindow(ViewServices& s) { return new RegistersWindow(s); }

}  // namespace yav
