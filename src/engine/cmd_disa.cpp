// `disa`: the source view shows its disassembly form.
#include "engine/commands.h"

namespace yav {

const char* cmd_disa(Kernel& k, const char* rest, int) {
  k.ui->showDisassembly();
  return rest;
}

}  // namespace yav
