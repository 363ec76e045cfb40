#include "ui/source_popup.h"

#include <cstdio>
#include <memory>

#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "model/value.h"

namespace yav {

namespace {

constexpr SourcePopupItem kLinePopup[] = {
    {popup::SetBreakpoint, "&Set Breakpoint"},
    {0, {}},
    {popup::OnOff, "&On/Off"},
    {popup::Delete, "&Delete"},
    {popup::Edit, "&Edit"},
    {0, {}},
    {popup::AddressOf, "Address &of"},
};

constexpr SourcePopupItem kVariablePopup[] = {
    {popup::Evaluate, "&Evaluate"},
    {popup::Monitor, "&Monitor"},
    {popup::Info, "&Info"},
    {popup::Update, "&Update"},
    {popup::Address, "&Address"},
    {popup::AddressHex, "Address in &Hex"},
    {0, {}},
    {popup::AccessBreak, "A&ccess Break"},
    {popup::ReadBreak, "&Read Break"},
    {popup::WriteBreak, "&Write Break"},
    {0, {}},
    {popup::RealTimeMonitor, "Real &Time Monitor"},
};

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

PopupAction command(std::string line) { return {PopupAction::Command, std::move(line), {}, {}, 0}; }

}  // namespace

std::span<const SourcePopupItem> linePopupItems() { return kLinePopup; }
std::span<const SourcePopupItem> variablePopupItems() { return kVariablePopup; }

PopupAction popupAction(Kernel& k, uint16_t id, const PopupContext& c) {
  const std::string& e = c.expression;
  const bool needsEvent = id == popup::OnOff || id == popup::Delete || id == popup::Edit;
  if (needsEvent && c.event == 0) return {PopupAction::Beep, {}, {}, {}, 0};
  const bool needsExpression = id >= popup::Evaluate && id <= popup::RealTimeMonitor;
  if (needsExpression && e.empty()) return {PopupAction::Beep, {}, {}, {}, 0};
  switch (id) {
    case popup::SetBreakpoint: return command("break " + c.file + ":" + std::to_string(c.line));
    case popup::OnOff: return command((c.eventOn ? "break /s " : "break /a ") + std::to_string(c.event));
    case popup::Delete: return command("del /e " + std::to_string(c.event));
    case popup::Edit: return {PopupAction::EditEvent, {}, {}, {}, c.event};
    case popup::AddressOf: return command("disa " + hex(c.address));
    case popup::Evaluate: return command("eval " + e);
    case popup::Monitor: return command("monit " + e);
    case popup::Info: return {PopupAction::Notice, {}, "Info", expressionInfo(k, e), 0};
    case popup::Update: return {PopupAction::UpdateDialog, {}, {}, {}, 0};
    case popup::Address:
    case popup::AddressPointer:
      return {PopupAction::CapturedCommand, "eval &" + e, "Address of: " + e, {}, 0};
    case popup::AddressHex: return {PopupAction::CapturedCommand, "eval /x " + e, "Address of: " + e, {}, 0};
    case popup::AccessBreak: return command("dbreak /t:a " + e);
    case popup::ReadBreak: return command("dbreak /t:r " + e);
    case popup::WriteBreak: return command("dbreak /t:w " + e);
    case popup::RealTimeMonitor: return command("rmonit " + e);
    default: return {};
  }
}

std::string expressionInfo(Kernel& k, const std::string& expression) {
  const SymbolTables& t = k.prog.program->tables;
  if (const FunctionEntry* f = t.findFunction(expression)) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s %s(%s) at 0x%x in (%s)", f->description.c_str(), f->name.c_str(),
                  f->argumentList().c_str(), f->address(), f->file ? f->file->name.c_str() : "");
    return buf;
  }
  const char* p = expression.c_str();
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (error || !v) return "Illegal Selection";
  SymbolEntry declared;
  declared.name = expression;
  declared.storageClass = v->locationClass;
  declared.type = v->type;
  declared.aux = v->aux;
  return "at " + hex(v->address) + " " + declarationText(declared);
}

}  // namespace yav
