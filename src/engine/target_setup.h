// The target's side of the Setup dialog and of the chip choice: the chip libraries and the chips
// they offer, the cable's versions and ports, and the connection settings the dialog edits. The
// kernel's target port hands it out (TargetPort::setup); the target layer implements it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"

namespace yav {

// Connection settings, kept in sections OPTIONS and TARGET of the settings file.
struct ConnectionSettings {
  std::string link = "USB";    // link kind: 'U' USB, anything else the parallel port
  std::string port = "1";      // port number as one digit
  bool resetOnConnect = true;
  int syncLength = 10;         // sync pulse width in milliseconds
  bool clearClockSwitch = false;
  bool setClockSwitch = false;
  bool useSync = false;
  std::string initFile;        // command file run after each connection
  std::string resetFile;       // command file run after each reset
};

// One chip library found at start-up, in discovery order.
struct ChipLibraryRecord {
  std::string path;                // full path of the library file
  std::vector<std::string> chips;  // the names it offers
};

// What the Setup dialog shows of the cable: the library's and the cable's versions (times 100;
// -1 when not known) and how many parallel ports and USB devices there are.
struct CableReport {
  int dllVersion = -1;
  int cableVersion = -1;
  int parallelPorts = 0;
  int usbDevices = 0;
};

// The steps of the Setup dialog the current chip library takes part in.
enum class ChipSetupStep : int { BeforeChipChange = 0, Start = 1, Ok = 2, Cancel = 3 };

class TargetSetup {
 public:
  virtual ~TargetSetup() = default;

  // The chip libraries found at start-up with their chips.
  virtual std::vector<ChipLibraryRecord> chipLibraries() const = 0;

  // The chip selected now; empty while no chip library is current.
  virtual std::string chipName() const = 0;

  // Makes the chip library that offers `name` current; false when none offers it or none that
  // does loads (the current one then stays).
  virtual bool selectChip(std::string_view name) = 0;

  // The cable as the Setup dialog shows it.
  virtual CableReport cableReport() = 0;

  // The current chip library's own part of one step of the dialog: nonzero to go on, 0 when it
  // refuses (the dialog then stays open on OK).
  virtual int chipSetup(ChipSetupStep step) = 0;

  // The connection settings the next connection uses.
  virtual ConnectionSettings connectionSettings() const = 0;
  virtual void setConnectionSettings(const ConnectionSettings& settings) = 0;
};

// The kernel's target setup; null without a target port or when the port has none.
inline TargetSetup* targetSetup(Kernel& k) { return k.target ? k.target->setup() : nullptr; }

}  // namespace yav
