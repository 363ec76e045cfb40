#include "engine/commands.h"
#include "engine/output.h"

namespace yav {

// Prints whether the target runs.
const char* cmd_status(Kernel& k, const char* rest, int) {
  outs(k, {k.exec.running ? "RUNNING\n" : "STOPPED\n"});
  return rest;
}

}  // namespace yav
