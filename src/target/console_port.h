// The target's console port: what the program sends shows in the debugger's output, and
// text typed for it goes to the port. Chip libraries without a console port are skipped.
#pragma once
#include <string_view>

#include "engine/kernel.h"

namespace yav::target {

// Moves the bytes the target sent since the last call to the kernel output; returns how many.
// Meant to be called by the run loop while the target runs and after it stops.
int pollConsole(Kernel& k);

// Hands `text` to the target's console input; false without a console port.
bool sendConsole(Kernel& k, std::string_view text);

}  // namespace yav::target
