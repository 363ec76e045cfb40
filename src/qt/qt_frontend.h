// Starts the Qt MDI frame. Returns the process exit status.
#pragma once
#include "ui/command_line.h"

namespace yav {

// True when a display is reachable (the frame can open).
bool qtDisplayAvailable();

int runQtFrontEnd(int argc, char** argv, const StartOptions& opt);

}  // namespace yav
