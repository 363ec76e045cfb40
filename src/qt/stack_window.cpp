#include "qt/stack_window.h"

#include "ui/list_windows.h"

namespace yav {

StackWindow::StackWindow(ViewServices& s, QWidget* parent) : ViewWindow(s, parent) {
  setObjectName("STACKWIN");
  setWindowTitle("Stack");
  lines_ = layOutLineView(this, s.font("Stack_Font"),
                          viewMenuBar(this, "GENERIC_MENU2", {{kCmdWindowSave, "Save"}, {kCmdWindowPrint, "Print"}}),
                          [this](int line) { openFrame(line); });
  show();
}

void StackWindow::show() {
  model_.refresh(services_.kernel());
  lines_->setLines(model_.lines());
  for (size_t i = 0; i < model_.lines().size(); ++i) lines_->setMarked(static_cast<int>(i), i == model_.selected());
}

void StackWindow::refresh(uint32_t viewBits) {
  if (viewBits & (kViewStack | kViewSource)) show();
}

bool StackWindow::windowCommand(uint16_t id) {
  switch (id) {
    case kCmdWindowSave:
      saveViewText(services_, kStackSaveTitle, kStackFileFilter, kStackFileExtension, model_.saveText());
      return true;
    case kCmdWindowPrint: printViewText(services_, "Stack Layout", model_.saveText()); return true;
  }
  return false;
}

void StackWindow::openFrame(int line) {
  if (line < 0) return;
  const SourcePlace p = model_.place(static_cast<size_t>(line));
  if (p.file.empty()) {
    services_.beep();
    return;
  }
  services_.showSource(p.file, p.line);
}

ViewWindow* createStackWindow(ViewServices& s) { return new StackWindow(s); }

}  // namespace yav
