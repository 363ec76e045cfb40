#include "engine/commands.h"
#include "engine/dispatcher.h"

namespace yav {

// Stops a running target, then asks the front-end to close the program.
const char* cmd_quit(Kernel& k, const char*, int) {
  if (k.exec.running) {
    k.exec.stopreq = true;
    if (k.target) k.target->stop();
    k.exec.running = false;
  }
  k.disp.quitting = true;
  k.ui->requestClose();
  return kEmptyRest;
}

}  // namespace yav
