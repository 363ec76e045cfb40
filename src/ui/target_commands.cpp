#include "ui/target_commands.h"

#include "engine/dispatcher.h"

namespace yav {

bool runTargetCommand(Kernel& k, int id) {
  if (!k.target) return false;
  if (k.target->resetCommandId() == id) docmd(k, "zero", 0);
  return k.target->handleTargetCommand(id);
}

int targetResetCommand(const Kernel& k) { return k.target ? k.target->resetCommandId().value_or(0) : 0; }

}  // namespace yav
