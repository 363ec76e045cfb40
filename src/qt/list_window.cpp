#include "qt/list_window.h"

namespace yav {

ListWindow::ListWindow(ViewServices& s, uint16_t id, QWidget* parent)
    : ViewWindow(s, parent), kind_(*listKind(id)) {
  setObjectName(QString::fromUtf8(kind_.contentClass.data(), static_cast<int>(kind_.contentClass.size())));
  setWindowTitle(QString::fromUtf8(kind_.title.data(), static_cast<int>(kind_.title.size())));
  QMenuBar* menu = kind_.menu.empty() ? nullptr
                                      : viewMenuBar(this, kind_.menu, {{kCmdWindowSave, "Save"}, {kCmdWindowPrint, "Print"}});
  lines_ = layOutLineView(this, s.font("Browser_Font"), menu, [this](int line) { openLine(line); });
  show();
}

void ListWindow::show() {
  content_ = listContent(services_.kernel(), kind_.id);
  lines_->setLines(content_.lines);
}

void ListWindow::refresh(uint32_t viewBits) {
  // The events list follows every change of the events; the program's lists change at a load,
  // which refreshes everything.
  if (kind_.id == kCmdEventsList ? viewBits != 0 : viewBits == kViewAll) show();
}

bool ListWindow::windowCommand(uint16_t id) {
  if (kind_.menu.empty()) return false;
  switch (id) {
    case kCmdWindowSave:
      saveViewText(services_, kind_.saveTitle, kind_.saveFilter, kind_.saveExtension, content_.text());
      return true;
    case kCmdWindowPrint:
      printViewText(services_, kind_.printTitle, listPrintContent(services_.kernel(), kind_.id).text());
      return true;
  }
  return false;
}

void ListWindow::openLine(int line) {
  if (line < 0 || static_cast<size_t>(line) >= content_.places.size()) return;
  const SourcePlace& p = content_.places[static_cast<size_t>(line)];
  if (!p.file.empty()) services_.showSource(p.file, p.line);
}

ViewWindow* createListWindow(ViewServices& s, uint16_t id) {
  return listKind(id) ? new ListWindow(s, id) : nullptr;
}

}  // namespace yav
