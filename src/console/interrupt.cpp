#include "console/interrupt.h"

#include <csignal>

namespace yav {

namespace {
volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void onInterruptSignal(int) { gInterrupted = 1; }
}  // namespace

void catchInterrupt() {
  struct sigaction sa {};
  sa.sa_handler = onInterruptSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no restart: a waiting read returns so the request is seen at once
  sigaction(SIGINT, &sa, nullptr);
}

bool takeInterrupt() {
  if (!gInterrupted) return false;
  gInterrupted = 0;
  return true;
}

}  // namespace yav
