// `zero`, `reset`: the program starts again from its entry point (or from the target's reset);
// `stop`: requests that a run stop.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/options.h"
#include "engine/run_loop.h"

namespace yav {

namespace {

// Re-initialisation shared by `zero` and `reset`: `targetReset` also resets the target, whose
// program counter after the reset then wins over the entry point.
void restart(Kernel& k, bool targetReset) {
  if (k.prog.entryPoint != 0) setKernelRegister(k, REG_PPC, k.prog.entryPoint);
  if (targetReset && k.target && k.target->reset(1)) refreshRegisters(k);
  clearFrames(k);
  k.exec.insnmode = false;
  k.prog.pcOutsideCode = k.prog.program->tables.functionAt(currentPc(k)) == nullptr;
  k.exec.lastmode = ExecState::kReloadBreaks;
  showExecutionPoint(k);
  k.ui->refreshViews(kViewAll);
}

}  // namespace

const char* cmd_zero(Kernel& k, const char* rest, int) {
  k.exec.tracing = false;
  clearFrames(k);
  const char* p = rest;
  bool targetReset = false, monitors = false, events = false;
  if (!scanOptions(k, p, "EMR", [&](char letter, const char*&) {
        if (letter == 'E') events = true;
        if (letter == 'M') monitors = true;
        if (letter == 'R') targetReset = true;
      })) {
    return kEmptyRest;
  }
  if (events) rmevent(k, -1, 0);
  if (monitors) removeAllMonitors(displayState(k).monitors);
  restart(k, targetReset);
  return p;
}

const char* cmd_reset(Kernel& k, const char* rest, int) {
  k.exec.tracing = false;
  restart(k, true);
  return rest;
}

const char* cmd_stop(Kernel& k, const char* rest, int) {
  k.exec.stopreq = true;
  return rest;
}

}  // namespace yav
