#include "ui/code_view_actions.h"

#include <cctype>

#include "engine/events.h"
#include "model/format.h"
#include "model/loader.h"

namespace yav {

namespace {

constexpr uint8_t kCodeLabelKind = 5;
constexpr const char* kSizedPointer[] = {"*(unsigned char *)", "*(unsigned int *)", "*(unsigned long *)"};
constexpr char kSizeLetter[] = {'B', 'W', 'L'};

bool symbolCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.';
}

std::string eventCommand(const CodeRow& row, bool wHeld) {
  return fmtstr("%p @0x%hl", wHeld ? "watch" : "break", row.address);
}

}  // namespace

bool onAddressField(int column) { return column >= 0 && column < CodeRow::kAddressColumns; }

CodeClick doubleClickRow(const CodeRow& row, int column, bool wHeld) {
  if (!onAddressField(column) || row.event != EventMark::None) return {};
  return {CodeClick::Kind::Command, eventCommand(row, wHeld), 0};
}

CodeClick rightClickRow(const CodeRow& row, int column, bool shift, bool ctrl, bool wHeld) {
  if (!onAddressField(column)) return {};
  if (row.event == EventMark::None) return {CodeClick::Kind::Command, eventCommand(row, wHeld), 0};
  const bool active = row.event == EventMark::Active;
  if (shift && ctrl) return {CodeClick::Kind::EditEvent, {}, row.eventNumber};
  if (shift) return {CodeClick::Kind::Command, breakpointItemCommand(kBkptOnOff, row.eventNumber, active), row.eventNumber};
  if (ctrl) return {CodeClick::Kind::Command, breakpointItemCommand(kBkptDelete, row.eventNumber, active), row.eventNumber};
  return {CodeClick::Kind::BreakpointPopup, {}, row.eventNumber};
}

std::string breakpointItemCommand(uint16_t id, int event, bool active) {
  if (id == kBkptOnOff) return fmtstr("%p %i", active ? "break /s" : "break /a", event);
  if (id == kBkptDelete) return fmtstr("del /e %i", event);
  return {};
}

std::optional<OperandSymbol> operandSymbolAt(Kernel& k, const CodeRow& row, int column) {
  const int operandStart = CodeRow::kTextColumn + static_cast<int>(row.mnemonic.size());
  const std::string& s = row.operand;
  const int at = column - operandStart;
  if (at < 0 || at >= static_cast<int>(s.size()) || !symbolCharacter(s[static_cast<size_t>(at)])) return std::nullopt;
  size_t first = static_cast<size_t>(at), last = first;
  while (first > 0 && symbolCharacter(s[first - 1])) --first;
  while (last + 1 < s.size() && symbolCharacter(s[last + 1])) ++last;
  OperandSymbol sym;
  sym.name = s.substr(first, last - first + 1);
  const Program& program = *k.prog.program;
  const LabelEntry* label = program.labels.rensym(sym.name);
  if (!label || label->isDebuggerVariable()) return std::nullopt;
  sym.address = label->value;
  sym.codeLabel = label->kind == kCodeLabelKind || program.tables.functionAt(label->value) != nullptr;
  return sym;
}

std::string operandItemCommand(const OperandSymbol& symbol, uint16_t item) {
  const std::string& n = symbol.name;
  switch (item) {
    case kAddressOf: return "eval /x " + n;
    case kEvaluateByte:
    case kEvaluateWord:
    case kEvaluateLong: return std::string("eval /F:") + kSizeLetter[item - kEvaluateByte] + " " + n;
    case kUpdateByte:
    case kUpdateWord:
    case kUpdateLong:
      if (symbol.codeLabel) return {};
      return "update " + std::string(kSizedPointer[item - kUpdateByte]) + n + " ?";
    case kMonitorByte:
    case kMonitorWord:
    case kMonitorLong: return "monit " + std::string(kSizedPointer[item - kMonitorByte]) + n;
    case kSetBreakpoint: return symbol.codeLabel ? "break " + n : "dbreak " + std::string(kSizedPointer[0]) + n;
    case kSetWatchpoint: return symbol.codeLabel ? "watch " + n : "dwatch " + std::string(kSizedPointer[0]) + n;
    default: return {};
  }
}

}  // namespace yav
