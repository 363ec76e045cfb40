// State of the display commands: the frame chain, the monitors and the tracking switches.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/frames.h"
#include "engine/kernel.h"
#include "engine/monitors.h"
#include "model/stack_depth.h"

namespace yav {

// What the front-end's source views keep of the files they show (marked-up text, line tables);
// dropped together with the files read here, so the next display searches again.
struct SourceViewCache {
  virtual ~SourceViewCache() = default;
};

struct DisplayState {
  FrameChain frames;
  MonitorList monitors;
  bool stackTracking = false;  // `wstack`: the stack window follows every stop
  // Source files read for the line shown at a stop, by name; nothing when not found.
  std::map<std::string, std::optional<std::vector<std::string>>> sourceFiles;
  std::unique_ptr<SourceViewCache> sourceViews;
  // Stack depths worked out of each routine's code, by entry address, for `depthsProgram`.
  std::unordered_map<uint32_t, StackDepths> stackDepths;
  const void* depthsProgram = nullptr;
};

// The kernel's display state (made with the kernel).
DisplayState& displayState(Kernel& k);

// What refers to the old program is dropped before a load: monitors and frames.
void clearDisplayForLoad(Kernel& k);

}  // namespace yav
