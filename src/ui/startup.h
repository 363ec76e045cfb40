// What every front-end does once its windows exist: the target port, the connection, the
// second scan of the command line (-p, -r, -s), the program load and the start command file;
// and at its end, the target let go.
#pragma once
#include "engine/kernel.h"
#include "ui/command_line.h"

namespace yav {

// Reads the loader's setting NODUPFILES, applies the options that act on the kernel and
// runs the start command file.
// `startFileSetting` is the settings key STARTFILE, used when -i was not given.
// A kernel without a target port (no test fake) gets the one over the cable and chip libraries.
void runStartup(Kernel& k, const StartOptions& opt, const std::string& startFileSetting = {});

// The end of a session: the target's breaks cleared, its link and libraries let go.
void closeTarget(Kernel& k);

// The exit status a batch run ends with after a fault of the target link; 0 without one.
int targetExitCode(const Kernel& k);

}  // namespace yav
