// The target's console port under the adapter: what the program writes reaches the editor as
// its own output (category "stdout"), apart from the debugger's messages.
#pragma once
#include <cstddef>

#include "engine/kernel.h"

namespace yav::dap {

// Puts the tap between the kernel and the chip library's console read; again after the chip
// library changed. Harmless without a console port.
void tapConsole(Kernel& k);

// Bytes of the program's output the kernel is about to print: the tap counts them as they
// are read from the port, the output takes them off as they pass.
size_t takeProgramOutput(size_t printed);

}  // namespace yav::dap
