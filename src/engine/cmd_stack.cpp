// `stack`: the stack window; `wstack`: stack tracking on or off.
#include "engine/commands.h"
#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

const char* cmd_stack(Kernel& k, const char* rest, int) {
  if (k.ui->showStackWindow()) return rest;
  // Without a stack window the call stack is printed, innermost call first.
  const FrameChain& chain = frameChain(k);
  if (chain.frames.empty()) {
    errmsg(k, {errtext(msg::NoFrame), "\n"});
    return rest;
  }
  for (const Frame& f : chain.frames) kout(k, frameLine(f) + "\n");
  return rest;
}

const char* cmd_wstack(Kernel& k, const char* rest, int) {
  DisplayState& d = displayState(k);
  d.stackTracking = !d.stackTracking;
  k.ui->refreshViews(kViewStack);
  return rest;
}

}  // namespace yav
