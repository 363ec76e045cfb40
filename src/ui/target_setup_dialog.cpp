#include "ui/target_setup_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "engine/target_setup.h"
#include "platform/ini.h"

namespace yav {

std::string versionText(int value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%i.%2i", value / 100, value % 100);
  return buf;
}

SetupDialogState openSetupDialog(Kernel& k) {
  SetupDialogState d;
  TargetSetup* setup = targetSetup(k);
  const CableReport cable = setup ? setup->cableReport() : CableReport{};
  d.dllVersion = cable.dllVersion >= 0 ? versionText(cable.dllVersion) : " ??.??";
  d.cableVersion = cable.cableVersion >= 0 ? versionText(cable.cableVersion) : " ??.??";
  for (int i = 1; i <= cable.parallelPorts; ++i) d.ports.push_back("LPT" + std::to_string(i));
  for (int i = 1; i <= cable.usbDevices; ++i) d.ports.push_back("USB" + std::to_string(i));
  if (!setup) return d;
  const ConnectionSettings s = setup->connectionSettings();
  const std::string inUse = s.link.substr(0, 3) + s.port.substr(0, 1);
  for (size_t i = 0; i < d.ports.size(); ++i)
    if (d.ports[i] == inUse) d.portIndex = static_cast<int>(i);
  const std::string current = setup->chipName();
  for (const ChipLibraryRecord& rec : setup->chipLibraries())
    for (const std::string& chip : rec.chips) {
      if (!current.empty() && chip == current) d.chipIndex = static_cast<int>(d.chips.size());
      d.chips.push_back(chip);
    }
  setup->chipSetup(ChipSetupStep::Start);
  d.resetOnConnect = s.resetOnConnect;
  d.initFile = s.initFile;
  d.resetFile = s.resetFile;
  return d;
}

void setupChipChanged(Kernel& k, SetupDialogState& d, int index) {
  TargetSetup* setup = targetSetup(k);
  if (!setup || index < 0 || index >= static_cast<int>(d.chips.size())) return;
  setup->chipSetup(ChipSetupStep::BeforeChipChange);
  if (setup->selectChip(d.chips[static_cast<size_t>(index)])) d.chipIndex = index;
  setup->chipSetup(ChipSetupStep::Start);
}

bool setupOk(Kernel& k, const SetupDialogState& d) {
  TargetSetup* setup = targetSetup(k);
  if (!setup || setup->chipName().empty()) return false;
  if (setup->chipSetup(ChipSetupStep::Ok) == 0) return false;
  ConnectionSettings s = setup->connectionSettings();
  s.resetOnConnect = d.resetOnConnect;
  if (d.portIndex >= 0 && d.portIndex < static_cast<int>(d.ports.size())) {
    const std::string& port = d.ports[static_cast<size_t>(d.portIndex)];
    s.link = port.substr(0, 3);
    s.port = port.size() > 3 ? port.substr(3, 1) : "1";
  }
  s.initFile = d.initFile.substr(0, kSetupFileLimit);
  s.resetFile = d.resetFile.substr(0, kSetupFileLimit);
  setup->setConnectionSettings(s);
  return true;
}

void setupCancel(Kernel& k) {
  if (TargetSetup* setup = targetSetup(k)) setup->chipSetup(ChipSetupStep::Cancel);
}

AdvancedDialogState openAdvancedDialog(Kernel& k) {
  TargetSetup* setup = targetSetup(k);
  const ConnectionSettings s = setup ? setup->connectionSettings() : ConnectionSettings{};
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
  if (TargetSetup* setup = targetSetup(k)) {
    ConnectionSettings s = setup->connectionSettings();
    s.syncLength = std::atoi(d.syncWidth.c_str());
    s.useSync = d.useSync;
    s.setClockSwitch = d.setClockSwitch;
    s.clearClockSwitch = d.clearClockSwitch;
    setup->setConnectionSettings(s);
  }
  platform::iniSet("OPTIONS", "SYNCLEN", d.syncWidth);
  platform::iniSet("OPTIONS", "USESYNC", d.useSync ? "YES" : "NO");
  platform::iniSet("OPTIONS", "SETCLKSW", d.setClockSwitch ? "YES" : "NO");
  platform::iniSet("OPTIONS", "CLRCLKSW", d.clearClockSwitch ? "YES" : "NO");
  return true;
}

}  // namespace yav
