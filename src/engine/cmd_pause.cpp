// `pause [MS]`: waits the given number of milliseconds, or for a key press.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "model/messages.h"

namespace yav {

namespace {
// The wait is cut into slices, between which the front-end's events are served: Escape ends it.
constexpr auto kSlice = std::chrono::milliseconds(10);
}  // namespace

const char* cmd_pause(Kernel& k, const char* rest, int) {
  const char* p = skipBlanks(rest);
  if (!*p || *p == ';' || *p == '}') {
    k.ui->waitKey();
    return p;
  }
  char* end = nullptr;
  const long ms = std::strtol(p, &end, 10);
  if (end == p || ms < 0) {
    errmsg(k, {errtext(msg::SyntaxError), " ", p, "\n"});
    return kEmptyRest;
  }
  k.ui->CursorWait();
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (auto now = std::chrono::steady_clock::now(); now < until; now = std::chrono::steady_clock::now()) {
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, until - now));
    if (k.ui->pumpEvents().stop) {
      k.exec.stopreq = true;
      break;
    }
  }
  k.ui->CursorStd();
  return end;
}

}  // namespace yav
