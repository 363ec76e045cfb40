// What mouse actions on a code view's rows ask for: breakpoints on the address field, the
// breakpoint popup, and the operand popups of a symbol, each as a command line.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/kernel.h"
#include "ui/memory_code_rows.h"

namespace yav {

// Popup ids of a line's breakpoint ("RBKPTPOPUP").
inline constexpr uint16_t kBkptOnOff = 801, kBkptDelete = 802, kBkptEdit = 803;

// Operand popups: "ASMPOPUP" ("Assembler Variable") for a symbol of data, "LBLPOPUP" ("Label
// Variable", the same items from 960 on, without "&Update as...") for a code label.
inline constexpr uint16_t kAsmPopupBase = 920, kLabelPopupBase = 960;
enum OperandItem : uint16_t {
  kAddressOf = 0,
  kEvaluateByte = 1, kEvaluateWord = 2, kEvaluateLong = 3,
  kUpdateByte = 4, kUpdateWord = 5, kUpdateLong = 6,
  kMonitorByte = 7, kMonitorWord = 8, kMonitorLong = 9,
  kShowCode = 10, kShowData = 11,
  kSetBreakpoint = 12, kSetWatchpoint = 13,
};

struct CodeClick {
  enum class Kind {
    None,             // nothing to do
    Command,          // run `command`
    BreakpointPopup,  // open "RBKPTPOPUP" for `event`
    EditEvent,        // the event editor of `event`
  };
  Kind kind = Kind::None;
  std::string command;
  int event = 0;
};

// True when `column` of a row's text lies on its address field.
bool onAddressField(int column);

// Double click on a row: on the address field of an instruction without an event,
// "break @0x..." (or "watch @0x..." while W is held).
CodeClick doubleClickRow(const CodeRow& row, int column, bool wHeld);
// Right click: without an event the same command at once; with one, Shift switches it on or off,
// Ctrl deletes it, both edit it, and no modifier opens the breakpoint popup.
CodeClick rightClickRow(const CodeRow& row, int column, bool shift, bool ctrl, bool wHeld);
// The breakpoint popup's items for event `event` (active or not): 801 "break /s n" or
// "break /a n", 802 "del /e n"; 803 has no command line (the event editor).
std::string breakpointItemCommand(uint16_t id, int event, bool active);

// A symbol picked in the operand field.
struct OperandSymbol {
  std::string name;
  uint32_t address = 0;
  bool codeLabel = false;  // a label in code: "LBLPOPUP", else "ASMPOPUP"
  uint16_t popupBase() const { return codeLabel ? kLabelPopupBase : kAsmPopupBase; }
  const char* popupName() const { return codeLabel ? "LBLPOPUP" : "ASMPOPUP"; }
};

// The symbol under `column` of the row's operand (a run of letters, digits, '_', '$', '.'
// that names a label of the program). Nothing elsewhere.
std::optional<OperandSymbol> operandSymbolAt(Kernel& k, const CodeRow& row, int column);

// The command line of an operand popup item (offset from the popup's base). Evaluation and
// monitoring take the size as a byte, word or long qualifier:
//   Address of         eval /x NAME
//   Evaluate as        eval /F:B NAME, /F:W, /F:L
//   Update as          update *(unsigned char *)NAME ?  (unsigned int, unsigned long): asks for the value
//   Monitor as         monit *(unsigned char *)NAME     (unsigned int, unsigned long)
//   Set Breakpoint     code label: break NAME; data: dbreak *(unsigned char *)NAME
//   Set Watchpoint     code label: watch NAME; data: dwatch *(unsigned char *)NAME
// Show Code and Show Data open memory windows and have no command line (empty).
std::string operandItemCommand(const OperandSymbol& symbol, uint16_t item);

}  // namespace yav
