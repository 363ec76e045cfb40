// State of the display commands: the frame chain, the monitors and the tracking switches.
#pragma once
#include "engine/frames.h"
#include "engine/kernel.h"
#include "engine/monitors.h"

namespace yav {

struct DisplayState {
  FrameChain frames;
  MonitorList monitors;
  bool stackTracking = false;  // `wstack`: the stack window follows every stop
};

// The kernel's display state (made with the kernel).
DisplayState& displayState(Kernel& k);

// What refers to the old program is dropped before a load: monitors and frames.
void clearDisplayForLoad(Kernel& k);

}  // namespace yav
