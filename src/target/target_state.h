// The kernel's target state: the loaded cable and chip libraries, the connection settings
// and flags. Held by the Kernel as one field; everything here is released with it.
#pragma once
#include <dlfcn.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/download.h"
#include "model/target_memory.h"
#include "target/link_entries.h"

namespace yav {
struct Kernel;
}

namespace yav::target {

// One chip library found at start-up, in discovery order.
struct ChipLibraryRecord {
  std::string path;                // full path of the library file
  std::vector<std::string> chips;  // the names its GetChips offered
};

// Connection settings, mirrored in sections OPTIONS and TARGET of the settings file.
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

// Where front-ends plug into the connection (each may stay empty).
struct TargetHooks {
  // Runs the Setup dialog; true when the user pressed OK. Empty: no dialog can be shown.
  std::function<bool(Kernel&)> showSetupDialog;
  // The Target menu's title changed ("&Target (" chip ")").
  std::function<void(Kernel&, const std::string&)> menuTitleChanged;
  // Opens the register and disassembly windows as the saved layout asks, once connected.
  std::function<void(Kernel&)> restoreTargetWindows;
  // Prints the register line after a reset when the register echo is on.
  std::function<void(Kernel&)> printRegisterLine;
  // Real-time memory and monitor set-up at connection; clearing of the target break list and
  // closing of the real-time monitor window at shutdown.
  std::function<void(Kernel&)> setupRealtime;
  std::function<void(Kernel&)> clearBreakList;
  std::function<void(Kernel&)> closeRealtimeMonitor;
  // Zeroes the three counters of the target break list before a download.
  std::function<void(Kernel&)> resetBreakCounters;
};

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
  std::unique_ptr<TargetMemory> memory;  // the program model's access, once connected
  std::unique_ptr<CodeDownloader> downloader;  // the loader's path into the target
  TargetHooks hooks;

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
