// Single letters typed in the main source window act as run-control shortcuts.
#pragma once
#include <string_view>

#include "engine/kernel.h"

namespace yav {

struct SourceKeyAction {
  enum Kind { Ignore, Beep, Run } kind = Ignore;
  std::string_view command;     // the command line for Run
  bool beepIfStillRunning = false;  // beep when the target is still running after the command
};

// What a character typed in the main source window does, given whether the target runs.
SourceKeyAction sourceKeyAction(char c, bool targetRunning);

// Carries the action out on the kernel: runs the command line or beeps.
void typeInSourceWindow(Kernel& k, char c);

}  // namespace yav
