// What every front-end does once its windows exist: the second scan of the command line
// (-p, -r, -s), the program load and the start command file.
#pragma once
#include "engine/kernel.h"
#include "ui/command_line.h"

namespace yav {

// Reads the loader's setting NODUPFILES, applies the options that act on the kernel and
// runs the start command file.
// `startFileSetting` is the settings key STARTFILE, used when -i was not given.
void runStartup(Kernel& k, const StartOptions& opt, const std::string& startFileSetting = {});

}  // namespace yav
