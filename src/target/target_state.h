// The target layer's state: the loaded cable and chip libraries, the connection settings and
// flags, the break list. Held by the kernel's target port; everything here is released with it.
#pragma once
#include <dlfcn.h>

#include <string>
#include <vector>

#include "engine/target_setup.h"
#include "target/break_list.h"
#include "target/link_entries.h"

namespace yav::target {

using yav::ChipLibraryRecord;
using yav::ConnectionSettings;

struct TargetState {
  TargetState() = default;
  TargetState(const TargetState&) = delete;
  TargetState& operator=(const TargetState&) = delete;
  ~TargetState() { releaseLibraries(); }

  // Where the libraries are looked for; empty means the program's folder. Tests point these
  // at their own folders.
  std::string libraryFolder;
  std::string cableLibraryPath;  // empty: <folder>/UNIT_hcs08z.so

  void* cableHandle = nullptr;
  bool cableLoaded = false;
  CableEntries cable;

  std::vector<ChipLibraryRecord> chipLibraries;
  int currentChipLibrary = -1;   // index into chipLibraries, -1: none
  void* chipHandle = nullptr;    // handle of the current chip library
  ChipEntries chip;              // entry points of the current chip library
  std::string chipName;
  std::vector<void*> retiredChipHandles;  // replaced libraries stay loaded until shutdown

  ConnectionSettings settings;
  bool connected = false;
  bool portOpen = false;

  // Nonzero when the target layer hit a fault that ends a batch run with this exit code
  // (100: no chip library, 1000: cable library missing or incomplete, 1: no connection).
  int fatalExitCode = 0;

  int memorySpace = 0;             // address-space selector of the memory windows (0, 1, 2)
  int breakSystemUnavailable = 0;  // result of HardBreaks
  std::string menuTitle = "&Target";

  BreakList breaks;                // the target break list
  RunControl runControl;           // run mode, trace request, reset before run

  // A target answers: the cable library is loaded, a chip library is current and the link is up.
  bool ready() const { return connected && currentChipLibrary >= 0 && cableLoaded; }

  // Closes the current chip library and the port, and unloads every library.
  void releaseLibraries() {
    if (chip.CloseDll) chip.CloseDll();
    if (portOpen && cable.close_port) cable.close_port();
    portOpen = false;
    connected = false;
    chip = ChipEntries{};
    if (chipHandle) dlclose(chipHandle);
    chipHandle = nullptr;
    for (void* h : retiredChipHandles) dlclose(h);
    retiredChipHandles.clear();
    currentChipLibrary = -1;
    cable = CableEntries{};
    if (cableHandle) dlclose(cableHandle);
    cableHandle = nullptr;
    cableLoaded = false;
  }
};

}  // namespace yav::target
