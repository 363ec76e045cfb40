// Terminal front-ends: the interactive console and the batch run.
#pragma once
#include "ui/command_line.h"

namespace yav {

// `yav --console`: the command window on a terminal. Returns the exit status.
int runConsole(const StartOptions& opt);

// `yav --batch`: no windows; runs the start command file and exits.
int runBatch(const StartOptions& opt);

}  // namespace yav
