#include "engine/commands.h"
#include "engine/dispatcher.h"

namespace yav {

// Stops a running target, then asks the front-end to close the program.
const char* cmd_quit(Kernel& k, const char*, int) {
  if (k.run.targetRunning) {
    k.run.stopRequest = true;
    if (k.hooks.stopTarget) k.hooks.stopTarget(k);
    k.run.targetRunning = false;
  }
  k.disp.quitting = true;
  k.ui->requestClose();
  return kEmptyRest;
}

}  // namespace yav
