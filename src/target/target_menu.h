// The Target menu: command ids 20000 to 20500.
#pragma once
#include "engine/kernel.h"

namespace yav::target {

inline constexpr int kTargetCommandFirst = 20000;
inline constexpr int kTargetCommandLast = 20500;

enum TargetCommand : int {
  kCmdConnect = 20000,
  kCmdReset = 20002,  // the target's reset; the front-end runs `zero` first (resetCommandId)
  kCmdProgramErase = 20010,
  kCmdOnChipDebug = 20012,
};

// Runs the Target menu command `id`. Returns false for ids this layer does not handle (the
// trace views, verify and real-time items belong to their own modules).
bool handleTargetCommand(Kernel& k, int id);

}  // namespace yav::target
