// Ctrl-C while a command runs: a SIGINT handler records it, the front-end turns it into the
// kernel's stop request when it pumps events. The debugger itself is never killed by it.
#pragma once

namespace yav {

void catchInterrupt();
// True once for each Ctrl-C seen since the last call.
bool takeInterrupt();

}  // namespace yav
