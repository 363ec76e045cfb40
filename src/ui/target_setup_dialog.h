// What the Setup ("CONNECT") and Advanced Setup ("ADVANCED") dialogs show and do, apart from
// the widgets that draw them.
#pragma once
#include <string>
#include <vector>

#include "engine/kernel.h"

namespace yav {

// Control ids of the Setup dialog.
enum SetupControl : int {
  kSetupOk = 200, kSetupCancel = 201, kSetupPort = 203, kSetupAdvanced = 204, kSetupInitFile = 205,
  kSetupInitBrowse = 206, kSetupResetFile = 207, kSetupResetBrowse = 208, kSetupChip = 209,
  kSetupResetOnConnect = 210, kSetupCableVersion = 216, kSetupDllVersion = 217,
};

// Control ids of the Advanced Setup dialog.
enum AdvancedControl : int {
  kAdvancedOk = 200, kAdvancedCancel = 201, kAdvancedClearClksw = 210, kAdvancedSyncWidth = 211,
  kAdvancedUseSync = 212, kAdvancedDefaults = 214, kAdvancedHelp = 215, kAdvancedSetClksw = 218,
};

inline constexpr const char* kAdvancedHelpText =
    "The Sync Pulse width is the length of the SYNC command used by the cable to request a sync answer from the "
    "target. Default is 10 msec.";
inline constexpr const char* kBrowseTitle = "Select File";
inline constexpr const char* kBrowseFilter = "Config Files(*.cfg)";
inline constexpr size_t kSetupFileLimit = 126;

// A version number times 100 as "%i.%2i" (205 -> "2. 5").
std::string versionText(int value);

struct SetupDialogState {
  std::vector<std::string> ports;  // "LPT1".., then "USB1"..
  int portIndex = -1;
  std::vector<std::string> chips;  // every chip of every chip library, in order
  int chipIndex = -1;
  std::string dllVersion, cableVersion;
  bool resetOnConnect = true;
  std::string initFile, resetFile;
};

// The dialog's start: lists, versions, current values; tells the chip library (emsetup 1).
SetupDialogState openSetupDialog(Kernel& k);
// A new chip picked in the combo: selected at once, the chip library told before and after.
void setupChipChanged(Kernel& k, SetupDialogState& d, int index);
// OK: false keeps the dialog open (no chip selected, or the chip library refused); true takes
// the values into the connection settings and closes the dialog with 1.
bool setupOk(Kernel& k, const SetupDialogState& d);
// Cancel: the chip library is told; the dialog closes with 0.
void setupCancel(Kernel& k);

struct AdvancedDialogState {
  std::string syncWidth;
  bool useSync = false;
  bool setClockSwitch = false;
  bool clearClockSwitch = false;
};

AdvancedDialogState openAdvancedDialog(Kernel& k);
// Checking one clock-switch box unchecks the other.
void advancedToggle(AdvancedDialogState& d, int control, bool checked);
void advancedDefaults(AdvancedDialogState& d);
// OK: false (dialog stays) with an empty width; else stores and writes the values.
bool advancedOk(Kernel& k, const AdvancedDialogState& d);

}  // namespace yav
