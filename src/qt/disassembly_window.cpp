#include "qt/disassembly_window.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "engine/code_view.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "model/target_code.h"
#include "qt/code_rows_canvas.h"
#include "qt/memory_dialogs.h"
#include "qt/memory_window.h"
#include "ui/memory_dumps.h"

namespace yav {

namespace {

struct PopupItem {
  const char* text;
  int offset;  // from the popup's base; -1 separator
};

// "ASMPOPUP" and "LBLPOPUP" share their items; the label popup has no "&Update as...".
struct PopupGroup {
  const char* title;  // submenu, or null for a plain item
  PopupItem items[3];
  int count;
  bool update;  // the "&Update as..." group
};
const PopupGroup kOperandItems[] = {
    {nullptr, {{"Address &of", kAddressOf}}, 1, false},
    {"&Evaluate as...", {{"&Byte", kEvaluateByte}, {"&Word", kEvaluateWord}, {"&Long", kEvaluateLong}}, 3, false},
    {"&Update as...", {{"&Byte", kUpdateByte}, {"&Word", kUpdateWord}, {"&Long", kUpdateLong}}, 3, true},
    {"&Monitor as...", {{"&Byte", kMonitorByte}, {"&Word", kMonitorWord}, {"&Long", kMonitorLong}}, 3, false},
    {nullptr, {{"Show &Code", kShowCode}}, 1, false},
    {nullptr, {{"Show &Data", kShowData}}, 1, false},
    {nullptr, {{"Set &Breakpoint", kSetBreakpoint}}, 1, false},
    {nullptr, {{"Set &Watchpoint", kSetWatchpoint}}, 1, false},
};

QAction* item(QMenu& menu, const char* text, uint16_t id) {
  QAction* a = menu.addAction(text);
  a->setObjectName(QString::number(id));
  a->setData(id);
  return a;
}

}  // namespace

DisassemblyWindow::DisassemblyWindow(ViewServices& services, QWidget* parent) : ViewWindow(services, parent) {
  setObjectName("ASMWIN");
  setWindowTitle("Disassembly");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  menu_ = new QMenuBar(this);
  menu_->setObjectName("GENERIC_MENU3");
  QAction* dumpAction = menu_->addAction("Dump");
  dumpAction->setObjectName(QString::number(kCmdDisassemblyDump));
  connect(dumpAction, &QAction::triggered, this, [this] { windowCommand(kCmdDisassemblyDump); });
  layout->setMenuBar(menu_);
  canvas_ = new CodeRowsCanvas(services_, "Assembler_Font", this);
  canvas_->onClick = [this](const CodeRowsCanvas::Click& c) {
    clicked(c.row, c.column, c.right, c.doubleClick, c.modifiers, c.globalPos);
  };
  canvas_->onResize = [this] { canvas_->show(model_.paint(services_.kernel(), canvas_->rowCapacity())); };
  canvas_->onScroll = [this](int lines) {
    model_.scroll(services_.kernel(), lines);
    canvas_->show(model_.paint(services_.kernel(), canvas_->rowCapacity()));
  };
  layout->addWidget(canvas_);
  resize(520, 300);
}

void DisassemblyWindow::refresh(uint32_t) {
  Kernel& k = services_.kernel();
  model_.followPc(k, canvas_->rowCapacity());
  canvas_->show(model_.paint(k, canvas_->rowCapacity()));
}

void DisassemblyWindow::showAddress(uint32_t address) {
  model_.setStart(address);
  canvas_->show(model_.paint(services_.kernel(), canvas_->rowCapacity()));
}

const CodePaint& DisassemblyWindow::shown() const { return canvas_->shown(); }

bool DisassemblyWindow::windowCommand(uint16_t id) {
  if (id != kCmdDisassemblyDump) return false;
  dump();
  return true;
}

void DisassemblyWindow::dump() {
  Kernel& k = services_.kernel();
  const std::vector<CodeRow>& rows = shown().rows;
  const uint32_t from = rows.empty() ? model_.start() : rows.front().address;
  const uint32_t to = rows.empty() ? from : rows.back().address + static_cast<uint32_t>(rows.back().length) - 1;
  uint32_t a = 0, b = 0;
  if (!askDumpRange(services_, true, from, to, a, b)) return;
  const std::string path = services_.saveFileName("Memory Code Dump", "Dump Files(*.mem)", "mem");
  if (path.empty()) return;
  TargetMemory* memory = dumpMemory(k);
  if (!memory) return;
  const TargetCodeReader reader(memory);
  writeDumpFile(k, path, codeDumpText(reader, &programLabels(k), a, b));
}

void DisassemblyWindow::clicked(int rowIndex, int column, bool right, bool doubleClick, Qt::KeyboardModifiers mods,
                                QPoint at) {
  const std::vector<CodeRow>& rows = shown().rows;
  if (rowIndex < 0 || rowIndex >= static_cast<int>(rows.size())) return;
  const CodeRow row = rows[static_cast<size_t>(rowIndex)];
  if (!right && !doubleClick) return;
  if (right && !onAddressField(column)) {
    if (const std::optional<OperandSymbol> s = operandSymbolAt(services_.kernel(), row, column)) operandPopup(*s, at);
    return;
  }
  const CodeClick c = doubleClick ? doubleClickRow(row, column, canvas_->wHeld)
                                  : rightClickRow(row, column, mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier),
                                                  canvas_->wHeld);
  switch (c.kind) {
    case CodeClick::Kind::None: break;
    case CodeClick::Kind::Command: services_.runCommandLine(c.command); break;
    case CodeClick::Kind::BreakpointPopup: breakpointPopup(row, at); break;
    case CodeClick::Kind::EditEvent:
      if (editEvent) editEvent(c.event);
      else services_.beep();
      break;
  }
}

uint16_t DisassemblyWindow::popup(QMenu& menu, QPoint at) {
  if (onPopup) {
    if (const uint16_t id = onPopup(menu)) return id;
  }
  QAction* chosen = menu.exec(at);
  return chosen ? static_cast<uint16_t>(chosen->data().toUInt()) : 0;
}

void DisassemblyWindow::breakpointPopup(const CodeRow& row, QPoint at) {
  QMenu menu(this);
  menu.setObjectName("RBKPTPOPUP");
  item(menu, "&On/Off", kBkptOnOff);
  item(menu, "&Delete", kBkptDelete);
  item(menu, "&Edit", kBkptEdit);
  const uint16_t id = popup(menu, at);
  if (id == kBkptEdit) {
    if (editEvent) editEvent(row.eventNumber);
    else services_.beep();
  } else if (id != 0) {
    services_.runCommandLine(breakpointItemCommand(id, row.eventNumber, row.event == EventMark::Active));
  }
}

void DisassemblyWindow::operandPopup(const OperandSymbol& symbol, QPoint at) {
  QMenu menu(this);
  menu.setObjectName(symbol.popupName());
  menu.setTitle(symbol.codeLabel ? "Label Variable" : "Assembler Variable");
  const uint16_t base = symbol.popupBase();
  for (const PopupGroup& g : kOperandItems) {
    if (g.update && symbol.codeLabel) continue;
    QMenu* into = &menu;
    if (g.title) {
      into = menu.addMenu(g.title);
      into->setObjectName(g.title);
    }
    for (int i = 0; i < g.count; ++i) item(*into, g.items[i].text, static_cast<uint16_t>(base + g.items[i].offset));
  }
  const uint16_t id = popup(menu, at);
  if (id < base) return;
  const auto offset = static_cast<uint16_t>(id - base);
  if (offset == kShowCode || offset == kShowData) {
    showMemory(symbol, offset == kShowCode);
    return;
  }
  const std::string line = operandItemCommand(symbol, offset);
  if (!line.empty()) services_.runCommandLine(line);
}

void DisassemblyWindow::showMemory(const OperandSymbol& symbol, bool code) {
  MemoryWindowSpec spec;
  spec.kind = code ? MemKind::Code : MemKind::Data;
  spec.codeSpace = code;
  spec.address = symbol.address;
  if (openMemory) {
    openMemory(spec);
    return;
  }
  QMdiArea* mdi = nullptr;
  for (QWidget* w = parentWidget(); w && !mdi; w = w->parentWidget()) mdi = qobject_cast<QMdiArea*>(w);
  openMemoryWindow(services_, mdi, spec);
}

ViewWindow* createDisassemblyWindow(ViewServices& services) { return new DisassemblyWindow(services); }

}  // namespace yav
