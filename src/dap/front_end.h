// `yav --dap`: the debugger as a Debug Adapter Protocol server on standard input and output.
#pragma once
#include "ui/command_line.h"

namespace yav {

// Serves one editor session; returns the exit status.
int runDap(const StartOptions& opt);

}  // namespace yav
