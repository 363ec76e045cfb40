// `r`, `regs`: the register line; `wregs`: register tracking on or off.
#include "engine/commands.h"
#include "engine/output.h"

namespace yav {

const char* cmd_regs(Kernel& k, const char* rest, int) {
  kout(k, registerDump(k.regs.file) + "\n");
  return rest;
}

const char* cmd_wregs(Kernel& k, const char* rest, int) {
  k.disp.registerTracking = !k.disp.registerTracking;
  if (k.disp.registerTracking) k.ui->refreshViews(kViewRegisters);
  return rest;
}

}  // namespace yav
