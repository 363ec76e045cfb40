// The execution commands: each sets the mode variables of the run loop and enters it.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/run_loop.h"
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
  x.tracing = false;
  x.gomode = false;
  x.stepping = true;
  const FunctionEntry* fn = k.prog.program->tables.functionAt(currentPc(k));
  x.finishmode = fn && !fn->isOuterScope() && fn->firstLineRecord != kNoRecord && k.debugInfoLoaded;
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
