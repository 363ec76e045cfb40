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

// The kernel's display state, made on first use; making it connects the frame chain to the
// evaluator, the monitors to the dispatcher and the clearing of both to the load.
DisplayState& displayState(Kernel& k);

}  // namespace yav
