// The Target menu's commands as the frame runs them: each goes to the kernel's target port; the
// menu's Reset restarts the program (`zero`) first, so the target's reset has the last word on
// where execution stands.
#pragma once
#include "engine/kernel.h"

namespace yav {

// Runs Target menu command `id`; false when the target port does not handle it.
bool runTargetCommand(Kernel& k, int id);

// The id of the Target menu's Reset, for other items that do the same; 0 when the port has none.
int targetResetCommand(const Kernel& k);

}  // namespace yav
