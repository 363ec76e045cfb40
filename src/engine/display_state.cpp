#include "engine/display_state.h"

namespace yav {

DisplayState& displayState(Kernel& k) { return *k.display; }

void clearDisplayForLoad(Kernel& k) {
  removeAllMonitors(k.display->monitors);
  clearFrames(k);
  k.display->sourceFiles.clear();
  k.display->sourceViews.reset();
}

}  // namespace yav
