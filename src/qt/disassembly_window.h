// The "Disassembly" window ("ASMHOST" / "ASMWIN"): the instructions around the program
// counter, followed at every stop. Its menu "GENERIC_MENU3" holds "Dump" (122), the code dump.
// Mouse: the address field sets or handles breakpoints, a symbol in the operand field opens
// its popup ("ASMPOPUP" for data, "LBLPOPUP" for code labels).
#pragma once
#include <functional>

#include "qt/view_window.h"
#include "ui/code_view_actions.h"
#include "ui/disassembly_view.h"

class QMenu;
class QMenuBar;

namespace yav {

class CodeRowsCanvas;
struct MemoryWindowSpec;

inline constexpr uint16_t kCmdShowDisassembly = 320, kCmdDisassemblyDump = 122;

class DisassemblyWindow : public ViewWindow {
 public:
  explicit DisassemblyWindow(ViewServices& services, QWidget* parent = nullptr);

  // Follows the PC: the rows stay while the PC is on one of them, else start at it.
  void refresh(uint32_t viewBits) override;
  // 122 "Dump": the range dialog, the save dialog, then the code dump.
  bool windowCommand(uint16_t id) override;

  // Shows the instructions from `address` (command "Address &of" of the source view).
  void showAddress(uint32_t address);

  const CodePaint& shown() const;
  CodeRowsCanvas* canvas() const { return canvas_; }
  QMenuBar* menu() const { return menu_; }

  // The event editor of an event (Shift+Ctrl right click, "&Edit"); the frame sets it. Without
  // one the view beeps.
  std::function<void(int)> editEvent;
  // Opens a memory window for "Show &Code" / "Show &Data"; the frame may set it, otherwise the
  // window is opened in the MDI area this view lives in.
  std::function<void(const MemoryWindowSpec&)> openMemory;
  // A popup is about to open (tests answer it instead of the real menu): the popup's name and
  // its actions; return the chosen id, or 0 to run the real menu.
  std::function<uint16_t(const QMenu&)> onPopup;

 private:
  void clicked(int row, int column, bool right, bool doubleClick, Qt::KeyboardModifiers mods, QPoint at);
  uint16_t popup(QMenu& menu, QPoint at);
  void breakpointPopup(const CodeRow& row, QPoint at);
  void operandPopup(const OperandSymbol& symbol, QPoint at);
  void showMemory(const OperandSymbol& symbol, bool code);
  void dump();

  DisassemblyModel model_;
  QMenuBar* menu_ = nullptr;
  CodeRowsCanvas* canvas_ = nullptr;
};

// The frame's row for the Show command 320.
ViewWindow* createDisassemblyWindow(ViewServices& services);

}  // namespace yav
