// Faults the simulated cable can be told to show, read from the environment when a port is
// opened (see sim/README.md).
#pragma once

namespace yav::sim {

struct FaultConfig {
  bool noCable = false;         // YAVSIM_NO_CABLE: no cable found, no ports, cable error
  bool cableError = false;      // YAVSIM_CABLE_ERROR: the cable reports an error
  long linkLostAfter = -1;      // YAVSIM_LINK_LOST_AFTER=N: status 0xFF after N operations
  bool failLoad = false;        // YAVSIM_FAIL_EMLOAD: every emload fails
  bool refusePutregs = false;   // YAVSIM_REFUSE_PUTREGS: every putregs fails
  bool noBackground = false;    // YAVSIM_NO_BACKGROUND: the target never enters background mode
  int usbDevices = 1;           // YAVSIM_USB_DEVICES=N
  int parallelPorts = 1;        // YAVSIM_LPT_PORTS=N

  static FaultConfig fromEnvironment();
};

}  // namespace yav::sim
