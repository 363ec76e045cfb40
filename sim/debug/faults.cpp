#include "sim/debug/faults.h"

#include <cstdlib>

namespace yav::sim {

namespace {
bool flag(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' && *v != '0';
}
long number(const char* name, long fallback) {
  const char* v = std::getenv(name);
  if (v == nullptr || *v == '\0') return fallback;
  char* end = nullptr;
  const long n = std::strtol(v, &end, 10);
  return (end == v || n < 0) ? fallback : n;
}
}  // namespace

FaultConfig FaultConfig::fromEnvironment() {
  FaultConfig f;
  f.noCable = flag("YAVSIM_NO_CABLE");
  f.cableError = flag("YAVSIM_CABLE_ERROR") || f.noCable;
  f.linkLostAfter = number("YAVSIM_LINK_LOST_AFTER", -1);
  f.failLoad = flag("YAVSIM_FAIL_EMLOAD");
  f.refusePutregs = flag("YAVSIM_REFUSE_PUTREGS");
  f.noBackground = flag("YAVSIM_NO_BACKGROUND");
  f.usbDevices = f.noCable ? 0 : static_cast<int>(number("YAVSIM_USB_DEVICES", 1));
  f.parallelPorts = f.noCable ? 0 : static_cast<int>(number("YAVSIM_LPT_PORTS", 1));
  return f;
}

}  // namespace yav::sim
