// The events at a stop: which one fires, what it prints, and its action.
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/event_conditions.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "model/loader.h"
#include "model/messages.h"
#include "model/target_memory.h"

namespace yav {

namespace {

// A label shares its address with the function's first line: the function start entry there
// does not count, the line entry does.
bool functionStartBesideLine(Kernel& k, const DebugRecord* line) {
  return line && line->kind == rk::FunctionStart && k.prog.program->tables.lineStartingAt(line->address);
}

// Compares the variable with its saved bytes, keeping every changed byte.
bool changed(Kernel& k, Event& e) {
  TargetMemory* mem = targetMemory(k);
  if (!mem || !e.expr || e.saved.empty()) return false;
  std::vector<uint8_t> now(e.saved.size());
  if (!mem->read(e.expr->addressSpace, e.expr->address, now)) return false;
  bool any = false;
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] == e.saved[i]) continue;
    e.saved[i] = now[i];
    any = true;
  }
  return any;
}

bool onLine(const Event& e, const DebugRecord& line) {
  if (e.first != 0 && (line.startLine < e.first || line.startLine > e.last)) return false;
  if (e.func && line.function != e.func) return false;
  if (e.file && (line.function ? line.function->file != e.file : line.fileName != e.file->name)) return false;
  return true;
}

// A line event holds at an address where one of its lines starts, whatever other line shares
// that address: a function without prologue has its header line and its first statement there.
bool lineEventAt(Kernel& k, const Event& e, uint32_t pc) {
  for (const DebugRecord& r : k.prog.program->tables.recordsAt(pc)) {
    if ((r.kind == rk::Line || r.kind == rk::FunctionStart) && onLine(e, r)) return true;
  }
  return false;
}

bool matches(Kernel& k, Event& e, const Frame* frame, const DebugRecord* line) {
  switch (e.kind) {
    case ev::Address:
    case ev::Symbol:
      return currentPc(k) == e.addr && (e.minSp < 0 || k.regs.file.sp >= static_cast<uint32_t>(e.minSp));
    case ev::Label: return currentPc(k) == e.addr && !functionStartBesideLine(k, line);
    case ev::Change: return frame && changed(k, e);
    case ev::Line: return frame && line && lineEventAt(k, e, currentPc(k));
    default: return false;
  }
}

// Counts one passage; true when the event fires now.
bool passage(Event& e) {
  switch (e.hitRule) {
    case Event::HitRule::FromNth: return ++e.passages >= e.count;
    case Event::HitRule::NthOnly: return ++e.passages == e.count;
    case Event::HitRule::EveryNth: break;
  }
  if (e.left == 0) return true;
  return --e.left == 0;
}

void report(Kernel& k, const Event& e, const Frame* frame, const DebugRecord* line) {
  if (e.kind == ev::Change) {
    std::string where = line && frame && frame->function
                            ? " " + frame->function->name + "():" + std::to_string(line->startLine)
                            : " ????";
    kout(k, (e.expr ? e.expr->text : std::string()) + errtext(msg::Modified) + where + "\n");
  }
  if (!e.user || e.watch != 0) return;
  // A line or a label reads as in the listing; any other event by its address.
  Event at;
  at.addr = e.addr;
  const Event& shown = e.kind == ev::Line || e.kind == ev::Label || e.isData() ? e : at;
  kout(k, errtext(msg::BreakpointReached) + eventPlace(shown) + "\n");
}

// Runs an event's commands as the event's own: not logged, counted afresh, and for a
// watchpoint without removing internal events while they run.
void runAction(Kernel& k, const std::string& action, uint8_t watch, int user) {
  const bool outerAction = k.disp.eventAction, outerRemoval = k.disp.autoRemoveInternal;
  k.disp.eventAction = true;
  k.disp.commandCount = 0;
  if (watch) k.disp.autoRemoveInternal = false;
  runStatements(k, action.c_str(), user);
  k.disp.autoRemoveInternal = outerRemoval;
  if (k.disp.commandCount == 0) k.disp.noUpdate = false;
  k.disp.eventAction = outerAction;
}

// An event that fires: its report, its action, its count re-armed; an internal one is removed.
FiredEvent fire(Kernel& k, Event& e, const Frame* frame, const DebugRecord* line) {
  // A log message takes the place of the stop.
  const FiredEvent fired{e.num, static_cast<uint8_t>(e.logMessage.empty() ? e.watch : 1), e.user};
  if (!e.logMessage.empty()) {
    kout(k, logMessageText(k, e) + "\n");
  } else if (k.exec.depth <= 1) {
    report(k, e, frame, line);
  }
  // The action may remove or replace events: the list is not touched past this point.
  const std::string action = e.action;
  if (e.watch) ++e.hits;
  e.left = e.count;
  if (!action.empty()) runAction(k, action, fired.watch, fired.user);
  if (!fired.user && findEvent(k, fired.num)) rmevent(k, fired.num, 1);
  return fired;
}

}  // namespace

std::optional<FiredEvent> evalevents(Kernel& k, const Frame* frame, const DebugRecord* line) {
  const bool instructionLevel = !frame && !line;
  for (const auto& ep : eventState(k).list) {
    Event& e = *ep;
    if (!e.on || e.isData() || !matches(k, e, frame, line) || !conditionHolds(k, e) || !passage(e)) continue;
    if (instructionLevel && (e.kind == ev::Address || e.kind == ev::Label || e.kind == ev::Symbol)) {
      return FiredEvent{e.num, e.watch, e.user};
    }
    return fire(k, e, frame, line);
  }
  return std::nullopt;
}

std::optional<FiredEvent> evalDataEvents(Kernel& k, uint32_t address, char access) {
  for (const auto& ep : eventState(k).list) {
    Event& e = *ep;
    if (!e.on || !e.isData() || !e.expr) continue;
    const uint32_t size = e.expr->size ? e.expr->size : 1u;
    if (address < e.expr->address || address >= e.expr->address + size) continue;
    // A comparator set for one access kind answers for the events of that kind.
    const bool anyKind = e.kind == ev::DataAccess || access == ev::DataAccess;
    if (!anyKind && e.kind != access) continue;
    if (!conditionHolds(k, e) || !passage(e)) continue;
    return fire(k, e, nullptr, nullptr);
  }
  return std::nullopt;
}

}  // namespace yav
