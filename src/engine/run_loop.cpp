#include "engine/run_loop.h"

#include <string>

#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/locspec.h"
#include "engine/output.h"
#include "model/loader.h"

namespace yav {

namespace {

constexpr uint8_t kFollowedKinds = rk::FunctionStart | rk::FunctionLine | rk::Line | rk::FunctionExit;

const SymbolTables& tables(Kernel& k) { return k.prog.program->tables; }

FunctionEntry* topFunction(Kernel& k) {
  const auto& frames = frameChain(k).frames;
  return frames.empty() ? nullptr : frames.front().function;
}

const Frame* innermostFrame(Kernel& k) {
  const auto& frames = frameChain(k).frames;
  return frames.empty() ? nullptr : &frames.front();
}

// A function with C source lines, which a step may enter.
bool hasSource(const FunctionEntry& f) {
  return f.file && !f.file->name.empty() && f.firstLineRecord != kNoRecord && !f.isPlaceholder();
}

// A function entered by execution becomes active until execution leaves it.
void activateByExecution(Kernel& k, FunctionEntry& f) {
  f.active = 2;
  f.armed = 0;
  if (!f.isPlaceholder()) kout(k, f.name + "() is now ACTIVE !!\n");
  k.exec.lastmode = ExecState::kReloadBreaks;
}

// Drops the frames kept for display: a free run does not follow the calls.
void discardFrames(Kernel& k) {
  auto& frames = frameChain(k).frames;
  while (!frames.empty()) {
    const size_t before = frames.size();
    popFrame(k);
    if (frames.size() == before) frames.erase(frames.begin());
  }
}

void showMode(Kernel& k) { k.ui->LeftStatus(k.exec.stepping ? "Stepping" : " Running"); }

// Hands every line entry at the program counter to the frame chain; returns how many showed a
// source line.
int followLineEntries(Kernel& k, uint32_t pc) {
  int shown = 0;
  const std::span<const DebugRecord> at = tables(k).recordsAt(pc);
  // A function's entry first: the frame it makes is the one made at the entry, whose arguments
  // are still in their registers, whatever order the other entries at that address come in.
  for (const DebugRecord& r : at) {
    if (r.kind == rk::FunctionStart) shown += reachLineEntry(k, r, false);
  }
  for (const DebugRecord& r : at) {
    if ((r.kind & kFollowedKinds) && r.kind != rk::FunctionStart) shown += reachLineEntry(k, r, false);
  }
  return shown;
}

// An address, symbol or label event waits at `pc`: the run must stop there for the event test.
bool codeEventAt(Kernel& k, uint32_t pc) {
  for (const auto& e : eventState(k).list) {
    if (e->on && !e->isData() && e->kind != ev::Line && e->kind != ev::Change && e->addr == pc) return true;
  }
  return false;
}

// While the debugger steps by instructions on its own: serves the front-end every so many steps
// (`n` counts them), so Escape works, and tells whether a stop was requested.
bool stopRequested(Kernel& k, unsigned n) {
  constexpr unsigned kStepsPerPump = 1024;
  if (n % kStepsPerPump == 0 && k.ui->pumpEvents().stop) k.exec.stopreq = true;
  return k.exec.stopreq;
}

// Steps by instructions until execution reaches a function with source other than `leave`, and
// follows it from there: it becomes active and armed, so the step ends on its next line. Used
// when the step has no frame to follow: after the frame of the last followed function was popped
// (the caller was never followed), and from code without source (the start-up code). With
// `throughCodeWithoutSource` false the step ends in the first code without source it reaches.
// Returns whether a function is followed; nothing when the target did not answer.
std::optional<bool> stepUntilSource(Kernel& k, const FunctionEntry* leave, bool throughCodeWithoutSource) {
  const SymbolTables& t = tables(k);
  for (unsigned n = 1;; ++n) {
    if (stopRequested(k, n)) return false;
    if (!k.target->instructionStep()) return std::nullopt;
    const uint32_t pc = currentPc(k);
    FunctionEntry* fn = t.functionAt(pc);
    if (fn == leave) continue;
    if (!fn || !hasSource(*fn)) {
      if (throughCodeWithoutSource) continue;
      return false;
    }
    if (fn->active == 0) activateByExecution(k, *fn);
    for (const DebugRecord& r : t.recordsAt(pc)) {
      if (r.kind & kFollowedKinds) reachLineEntry(k, r, false);
    }
    if (frameChain(k).frames.empty()) pushFrame(k, *fn, t.lineAt(pc));
    // Its lines join the break list, so the step stops at the next of them.
    k.target->loadBreaks(true);
    k.exec.lastmode = 1;
    k.target->loadFunctionBreaks(*fn);
    return true;
  }
}

// Steps by instructions until the return address pushed by the call that made a frame (with the
// stack pointer `frameSp` at its entry) is popped. False when the target did not answer.
bool returnFrom(Kernel& k, uint16_t frameSp) {
  const uint32_t above = static_cast<uint32_t>(frameSp) + 2;
  for (unsigned n = 1; k.regs.file.sp < above; ++n) {
    if (stopRequested(k, n)) break;
    if (!k.target->instructionStep()) return false;
  }
  const uint32_t pc = currentPc(k);
  followLineEntries(k, pc);  // the return may land right on the caller's next line
  FrameChain& chain = frameChain(k);
  if (chain.frames.empty()) {
    // The caller was never followed (the run that reached the function was a free one): it is
    // followed from here, and becomes active when it has source.
    if (FunctionEntry* fn = tables(k).functionAt(pc); fn && hasSource(*fn)) {
      if (fn->active == 0) activateByExecution(k, *fn);
      framesFollowPc(k);
    }
  }
  chain.current = 0;
  return true;
}

bool inFunctionWithSource(Kernel& k, uint32_t pc) {
  const FunctionEntry* fn = tables(k).functionAt(pc);
  return fn && hasSource(*fn);
}

// `tgo`: each source line reached is printed, indented by four blanks.
void traceLine(Kernel& k, uint32_t pc) {
  if (!tables(k).lineAt(pc)) return;
  kout(k, "    " + executionPoint(k) + "\n");
}

// One C-level unit: runs the target (free or by steps) until it stops on a line with source, a
// stop is requested or an event waits at the stop. False when the target did not answer.
bool sourceUnit(Kernel& k) {
  if (k.exec.stepping && !topFunction(k)) {
    // No frame to follow: from the start-up code on to the first function with source; from the
    // last line of a function whose frame is gone, out to its caller.
    const uint32_t pc = currentPc(k);
    const bool inSource = inFunctionWithSource(k, pc);
    const std::optional<bool> followed =
        inSource ? stepUntilSource(k, tables(k).functionAt(pc), false) : stepUntilSource(k, nullptr, true);
    if (!followed) return false;
    if (!*followed) return true;
    if (tables(k).lineStartingAt(currentPc(k))) return true;  // arrived right on a line
  }
  for (;;) {
    popPending(k);
    const FunctionEntry* before = topFunction(k);
    const std::optional<uint32_t> stop = k.target->run(!k.exec.stepping);
    if (!stop) return false;
    const uint32_t pc = *stop;
    if (k.exec.tracing) traceLine(k, pc);
    FrameChain& chain = frameChain(k);
    const unsigned popsBefore = chain.pops;
    int shown = followLineEntries(k, pc);
    if (k.exec.finishmode && chain.pops != popsBefore && chain.lastRemoved &&
        chain.lastRemoved->sp >= k.exec.finishSp) {
      // `finish` has left its function (the frame it started in, or one further out, was
      // popped): it ends right after the return, in the caller.
      k.exec.finishdepth = 0;
      return returnFrom(k, chain.lastRemoved->sp);
    }
    // The followed function has returned into a caller that is not followed (or none is known):
    // the step goes on into the caller, which is followed from there.
    const FunctionEntry* now = topFunction(k);
    if (k.exec.stepping && (!now || now->active == 0) && before && !shown && !k.exec.stopreq) {
      const std::optional<bool> followed = stepUntilSource(k, before, false);
      if (!followed) return false;
      if (*followed) continue;
      return true;  // back in code without source: the step ends there
    }
    // A free run follows no calls: the chain is read from the stack.
    if (!k.exec.stepping) framesFromStack(k);
    chain.current = 0;
    // A data break stops anywhere in a line: its events are tested where it stopped.
    if (shown || k.exec.stopreq || codeEventAt(k, pc) || !k.target->connected() || k.target->dataBreakHit()) return true;
    // The step entered an active function that has no lines in the break list yet: they join
    // it, so the step ends on the function's first line.
    if (k.exec.stepping) {
      if (FunctionEntry* top = topFunction(k); top && top->active != 0 && top->armed == 0) {
        k.target->loadFunctionBreaks(*top);
      }
    }
  }
}

// One machine instruction; a function entered this way becomes active.
bool instructionUnit(Kernel& k) {
  popPending(k);
  if (!k.target->instructionStep()) return false;
  const uint32_t pc = currentPc(k);
  for (const DebugRecord& r : tables(k).recordsAt(pc)) {
    if (r.kind == rk::FunctionStart && r.function && r.function->active == 0 && hasSource(*r.function)) {
      activateByExecution(k, *r.function);
    }
  }
  followLineEntries(k, pc);
  frameChain(k).current = 0;
  return true;
}

// Whether a unit that ended at the PC counts against the budget: not inside inactive functions,
// not before `finish` has left its function.
bool unitCounts(Kernel& k) {
  if (k.exec.finishmode && k.exec.finishdepth >= 1) return false;
  const uint32_t pc = currentPc(k);
  const FunctionEntry* fn = tables(k).functionAt(pc);
  if (!fn || fn->isOuterScope()) return true;
  if (!tables(k).lineAt(pc)) return true;
  if (!fn->file || fn->file->name.empty()) return true;
  return fn->active != 0;
}

void showCount(Kernel& k) {
  const ExecState& x = k.exec;
  std::string text;
  if (x.animate) {
    text = " Animate (" + std::to_string(x.stepcount) + ")";
  } else {
    text = " Stepping: " + std::to_string(x.stepcount);
    if (x.total != ExecState::kNoCount && !x.finishmode) text += " out of " + std::to_string(x.total) + " ";
  }
  k.ui->LeftStatus(text);
}

// Reads the place argument: a count, or a place for an internal event the run stops at. False
// when the command must end (a refused place).
bool readPlace(Kernel& k, const char*& rest) {
  LocSpec spec;
  rest = locspec(rest, spec);
  ExecState& x = k.exec;
  if (!spec.present) {
    if (x.depth == 0) x.budget = x.stepping ? 1 : ExecState::kNoCount;
    return true;
  }
  if (spec.isNumber()) {
    x.gomode = false;
    x.budget = static_cast<int32_t>(spec.line);
    return true;
  }
  CodeEventRequest request;
  request.user = 0;
  return setCodeEvent(k, spec, request);
}

void afterLoop(Kernel& k, const RegisterFile& before, StopRecord stop) {
  ExecState& x = k.exec;
  if (k.target->connected() && k.regs.valid) framesFromStack(k);
  if (k.disp.registerTracking) k.ui->refreshViews(kViewRegisters);
  k.ui->LeftStatus("Command");
  if (x.insnmode) k.ui->showDisassembly();
  x.finishmode = false;
  x.depth = 0;
  x.running = false;
  k.regs.previous = before;  // views mark what changed since the last stop
  ++x.stops;
  k.ui->executionEnds();
  showExecutionPoint(k);
  k.ui->refreshViews(kViewAll);
  stop.pc = currentPc(k);
  stop.frames = frameChain(k).frames.size();
  stop.place = k.regs.valid ? executionPoint(k) : std::string();
  stop.serial = x.lastStop.serial + 1;
  x.lastStop = std::move(stop);
  k.ui->executionStopped(x.lastStop);
}

// Why the loop ended, from the event that fired (if any).
void noteFired(Kernel& k, StopRecord& stop, const FiredEvent& fired) {
  if (fired.num == k.exec.finishEvent && !fired.user) {
    stop.reason = StopReason::Finish;
    return;
  }
  if (stop.reason != StopReason::DataAccess) stop.reason = fired.user ? StopReason::Breakpoint : StopReason::StepEnd;
  if (fired.user) stop.events.push_back(fired.num);
}

}  // namespace

const char* runLoop(Kernel& k, const char* rest) {
  ExecState& x = k.exec;
  if (!readPlace(k, rest)) {
    k.ui->executionEnds();
    return rest;
  }
  x.stopreq = false;
  if (FunctionEntry* top = topFunction(k); top && top->active == 0 && x.stepping) activateByExecution(k, *top);
  if (x.depth != 0) {
    ++x.depth;
    k.ui->executionEnds();
    return rest;
  }
  if (!k.target || !k.target->connected()) {
    errmsg(k, {"No target connected\n"});
    k.ui->executionEnds();
    return rest;
  }
  const RegisterFile before = k.regs.file;
  k.target->beginRunLoop();
  k.ui->LeftStatus(x.stepping ? " Stepping " : " Running ");
  x.depth = 1;
  x.stepcount = 0;
  x.total = x.budget;
  StopRecord stop;
  while (!x.stopreq && k.target->connected() && (x.gomode || x.animate || x.budget-- != 0)) {
    if (!x.stepping && !x.keepFrames) discardFrames(k);
    if (!x.gomode) {
      ++x.stepcount;
      showCount(k);
    }
    WinSetFakeIo(k);
    if (FunctionEntry* top = topFunction(k); top && top->active == 0) popFrame(k);
    if (x.lastmode == ExecState::kReloadBreaks || x.lastmode != static_cast<uint8_t>(x.stepping)) {
      k.ui->LeftStatus("Waiting");
      k.target->loadBreaks(x.stepping);
      if (!x.stepping && !x.keepFrames) discardFrames(k);
      showMode(k);
      x.lastmode = static_cast<uint8_t>(x.stepping);
    }
    if (!x.gomode) {
      if (FunctionEntry* top = topFunction(k); top && top->active != 0 && top->armed == 0) {
        k.ui->LeftStatus("Waiting");
        k.target->loadFunctionBreaks(*top);
        showMode(k);
      }
    }
    x.running = true;
    const uint32_t from = currentPc(k);
    const bool answered = x.insnmode ? instructionUnit(k) : sourceUnit(k);
    x.running = false;
    if (!answered) {
      stop.reason = StopReason::TargetFault;
      break;
    }
    const uint32_t pc = currentPc(k);
    // A run the break system refused (or a stop asked for before it began) moved nothing: the
    // events at the place it started from are not reported again.
    if (x.stopreq && pc == from) break;
    // A data break: its events first (a watchpoint's action runs, the run goes on).
    std::optional<FiredEvent> dataFired;
    if (const std::optional<TargetPort::DataHit> hit = x.insnmode ? std::nullopt : k.target->dataBreakHit()) {
      dataFired = evalDataEvents(k, hit->address, hit->access);
      if (dataFired && dataFired->watch == 0) {
        stop.reason = StopReason::DataAccess;
        stop.dataAddress = hit->address;
        stop.dataAccess = hit->access;
        stop.events.push_back(dataFired->num);
      }
    }
    const DebugRecord* line = x.insnmode ? tables(k).lineStartingAt(pc) : tables(k).lineAt(pc);
    const std::optional<FiredEvent> fired = evalevents(k, innermostFrame(k), line);
    if (fired && fired->watch == 0) noteFired(k, stop, *fired);
    const bool ends = (fired && fired->watch == 0) || (dataFired && dataFired->watch == 0) || (x.insnmode && !x.stepping);
    if (ends) {
      if (x.depth <= 1) break;
      showMode(k);
      x.depth = 1;
      stop = StopRecord{};
      continue;
    }
    if (unitCounts(k)) {
      if (x.stepping && x.budget > 0) k.ui->refreshViews(kViewRegisters | kViewVariables | kViewMemory);
    } else {
      ++x.budget;
    }
  }
  if (x.stopreq && stop.events.empty() && stop.reason != StopReason::Finish) stop.reason = StopReason::StopRequest;
  if (!k.target->connected()) stop.reason = StopReason::TargetFault;
  afterLoop(k, before, std::move(stop));
  return rest;
}

}  // namespace yav
