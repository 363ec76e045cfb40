#include "ui/target_setup_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ini.h"
#include "target/chip_target.h"
#include "target/link_loader.h"

namespace yav {

namespace {
constexpr int kEmsetupBeforeChange = 0, kEmsetupStart = 1, kEmsetupOk = 2, kEmsetupCancel = 3;

int emsetup(Kernel& k, int operation) { return target::chipSetup(k, operation); }
}  // namespace

std::string versionText(int value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%i.%2i", value / 100, value % 100);
  return buf;
}

SetupDialogState openSetupDialog(Kernel& k) {
  SetupDialogState d;
  target::TargetState& t = target::targetState(k);
  const target::CableReport cable = target::cableReport(k);
  d.dllVersion = cable.dllVersion >= 0 ? versionText(cable.dllVersion) : " ??.??";
  d.cableVersion = cable.cableVersion >= 0 ? versionText(cable.cableVersion) : " ??.??";
  for (int i = 1; i <= cable.parallelPorts; ++i) d.ports.push_back("LPT" + std::to_string(i));
  for (int i = 1; i <= cable.usbDevices; ++i) d.ports.push_back("USB" + std::to_string(i));
  const std::string inUse = t.settings.link.substr(0, 3) + t.settings.port.substr(0, 1);
  for (size_t i = 0; i < d.ports.size(); ++i)
    if (d.ports[i] == inUse) d.portIndex = static_cast<int>(i);
  for (const target::ChipLibraryRecord& rec : t.chipLibraries)
    for (const std::string& chip : rec.chips) {
      if (chip == t.chipName && t.currentChipLibrary >= 0) d.chipIndex = static_cast<int>(d.chips.size());
      d.chips.push_back(chip);
    }
  emsetup(k, kEmsetupStart);
  d.resetOnConnect = t.settings.resetOnConnect;
  d.initFile = t.settings.initFile;
  d.resetFile = t.settings.resetFile;
  return d;
}

void setupChipChanged(Kernel& k, SetupDialogState& d, int index) {
  if (index < 0 || index >= static_cast<int>(d.chips.size())) return;
  emsetup(k, kEmsetupBeforeChange);
  if (target::selectChip(k, d.chips[static_cast<size_t>(index)])) d.chipIndex = index;
  emsetup(k, kEmsetupStart);
}

bool setupOk(Kernel& k, const SetupDialogState& d) {
  target::TargetState& t = target::targetState(k);
  if (t.currentChipLibrary < 0) return false;
  if (emsetup(k, kEmsetupOk) == 0) return false;
  target::ConnectionSettings& s = t.settings;
  s.resetOnConnect = d.resetOnConnect;
  if (d.portIndex >= 0 && d.portIndex < static_cast<int>(d.ports.size())) {
    const std::string& port = d.ports[static_cast<size_t>(d.portIndex)];
    s.link = port.substr(0, 3);
    s.port = port.size() > 3 ? port.substr(3, 1) : "1";
  }
  s.initFile = d.initFile.substr(0, kSetupFileLimit);
  s.resetFile = d.resetFile.substr(0, kSetupFileLimit);
  return true;
}

void setupCancel(Kernel& k) { emsetup(k, kEmsetupCancel); }

AdvancedDialogState openAdvancedDialog(const Kernel& k) {
  const target::ConnectionSettings& s = target::targetState(k).settings;
  AdvancedDialogState d;
  d.syncWidth = std::to_string(s.syncLength);
  d.useSync = s.useSync;
  d.setClockSwitch = s.setClockSwitch;
  d.clearClockSwitch = s.clearClockSwitch && !s.setClockSwitch;
  return d;
}

void advancedToggle(AdvancedDialogState& d, int control, bool checked) {
  switch (control) {
    case kAdvancedUseSync: d.useSync = checked; break;
    case kAdvancedSetClksw:
      d.setClockSwitch = checked;
      if (checked) d.clearClockSwitch = false;
      break;
    case kAdvancedClearClksw:
      d.clearClockSwitch = checked;
      if (checked) d.setClockSwitch = false;
      break;
    default: break;
  }
}

void advancedDefaults(AdvancedDialogState& d) {
  d.syncWidth = "10";
  d.useSync = false;
  d.setClockSwitch = true;
  d.clearClockSwitch = false;
}

bool advancedOk(Kernel& k, const AdvancedDialogState& d) {
  if (d.syncWidth.empty()) return false;
  target::ConnectionSettings& s = target::targetState(k).settings;
  s.syncLength = std::atoi(d.syncWidth.c_str());
  s.useSync = d.useSync;
  s.setClockSwitch = d.setClockSwitch;
  s.clearClockSwitch = d.clearClockSwitch;
  platform::iniSet("OPTIONS", "SYNCLEN", d.syncWidth);
  platform::iniSet("OPTIONS", "USESYNC", d.useSync ? "YES" : "NO");
  platform::iniSet("OPTIONS", "SETCLKSW", d.setClockSwitch ? "YES" : "NO");
  platform::iniSet("OPTIONS", "CLRCLKSW", d.clearClockSwitch ? "YES" : "NO");
  return true;
}

}  // namespace yav
