// The execution commands: each sets the mode variables of the run loop and enters it.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/run_loop.h"
#include "engine/unwind.h"
#include "model/loader.h"

namespace yav {

namespace {

// How a command runs the target.
enum class Unit { Line, Instruction };

const char* enter(Kernel& k, const char* rest) {
  k.ui->executionStarts();
  return runLoop(k, rest);
}

void runModes(Kernel& k, bool tracing) {
  ExecState& x = k.exec;
  x.tracing = tracing;
  x.gomode = true;
  x.insnmode = false;
  x.finishmode = false;
  if (!(x.depth != 0 && x.stepping)) {
    x.stepping = false;
    x.budget = ExecState::kNoCount;
  }
}

void stepModes(Kernel& k, Unit unit) {
  ExecState& x = k.exec;
  x.tracing = false;
  x.gomode = false;
  x.insnmode = unit == Unit::Instruction || !k.debugInfoLoaded;
  if (x.insnmode) x.finishdepth = 0;
  x.finishmode = false;
  if (!(x.depth != 0 && !x.stepping)) {
    x.stepping = true;
    x.budget = ExecState::kNoCount;
  }
}

// Where the selected frame's call returns to, read from the stack.
std::optional<ReturnPoint> selectedReturn(Kernel& k) {
  const Frame* selected = selectedFrame(k);
  if (!selected) return std::nullopt;
  for (const UnwoundFrame& u : unwindStack(k)) {
    if (u.function == selected->function && u.entrySp == selected->sp) return returnPoint(k, u);
  }
  return std::nullopt;
}

// `finish` by a free run to the return address of the selected frame's call, stopping there
// only when SP shows that this call (not a deeper one of a recursion) has returned.
const char* runToReturn(Kernel& k, const char* rest, const ReturnPoint& back) {
  ExecState& x = k.exec;
  auto e = std::make_unique<Event>();
  e->kind = ev::Address;
  e->addr = back.address;
  e->minSp = back.sp;
  e->user = 0;
  x.finishEvent = addEvent(k, std::move(e)).num;
  x.lastmode = ExecState::kReloadBreaks;
  runModes(k, false);
  x.keepFrames = true;
  rest = enter(k, rest);
  x.keepFrames = false;
  if (findEvent(k, x.finishEvent)) rmevent(k, x.finishEvent, 0);
  x.finishEvent = 0;
  return rest;
}

}  // namespace

const char* cmd_go(Kernel& k, const char* rest, int) {
  runModes(k, false);
  return enter(k, rest);
}

const char* cmd_tgo(Kernel& k, const char* rest, int) {
  runModes(k, true);
  k.exec.stepping = false;
  return enter(k, rest);
}

const char* cmd_step(Kernel& k, const char* rest, int) {
  stepModes(k, Unit::Line);
  return enter(k, rest);
}

const char* cmd_istep(Kernel& k, const char* rest, int) {
  stepModes(k, Unit::Instruction);
  return enter(k, rest);
}

const char* cmd_finish(Kernel& k, const char* rest, int) {
  ExecState& x = k.exec;
  const FunctionEntry* fn = k.prog.program->tables.functionAt(currentPc(k));
  const bool withSource = fn && !fn->isOuterScope() && fn->firstLineRecord != kNoRecord && k.debugInfoLoaded;
  if (withSource && x.depth == 0) {
    if (const std::optional<ReturnPoint> back = selectedReturn(k)) return runToReturn(k, rest, *back);
  }
  x.tracing = false;
  x.gomode = false;
  x.stepping = true;
  x.finishmode = withSource;
  x.finishdepth = 1;
  const auto& frames = frameChain(k).frames;
  x.finishSp = frames.empty() ? k.regs.file.sp : frames.front().sp;
  x.insnmode = false;
  return enter(k, rest);
}

const char* cmd_start(Kernel& k, const char* rest, int) {
  if (k.target) k.target->startCode();
  return rest;
}

}  // namespace yav
