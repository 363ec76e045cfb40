#include "engine/display_state.h"

namespace yav {

DisplayState& displayState(Kernel& k) {
  if (k.display) return *k.display;
  k.display = std::make_shared<DisplayState>();
  k.hooks.frameBase = [](Kernel& kk, const FunctionEntry* f) { return frameBaseOf(kk, f); };
  k.hooks.showMonitors = [](Kernel& kk) {
    if (kk.display && !kk.display->monitors.items.empty()) showMonitors(kk, kk.display->monitors);
  };
  k.prog.clearBeforeLoad.push_back([](Kernel& kk) {
    if (!kk.display) return;
    removeAllMonitors(kk.display->monitors);
    kk.display->frames = FrameChain{};
  });
  return *k.display;
}

}  // namespace yav
