#include "target/connection.h"

#include <cstdio>
#include <cstdlib>

#include "engine/command_file.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "platform/ini.h"
#include "target/chip_target.h"
#include "target/link_loader.h"
#include "target/target_access.h"

namespace yav::target {

namespace {

constexpr uint8_t kClockSwitchBit = 0x08;
// Power-cycle rounds tried before the start-up connection gives up on a silent target.
constexpr int kMaxPowerCycles = 8;

std::string hexNumber(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", static_cast<unsigned>(n) & 0xFFu);
  return buf;
}

bool yesByFirstLetter(const std::string& v) { return !v.empty() && v[0] == 'Y'; }

// A decimal number, or `fallback` when the text does not start with one.
int decimalOr(const std::string& text, int fallback) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || v < 0 || v > 0xFFFF) return fallback;
  return static_cast<int>(v);
}

// Chooses and opens the port (USB when asked for and present, else the parallel port). The
// wording of the "number too big" report differs between start-up and reconnection.
void openPort(Kernel& k, bool atStartup) {
  TargetState& t = targetState(k);
  ConnectionSettings& s = t.settings;
  int n = s.port.empty() ? 1 : s.port[0] - '0';
  const bool wantUsb = !s.link.empty() && (s.link[0] == 'U' || s.link[0] == 'u');
  const int usbCount = t.cable.query_number_of_usb_devices();
  if (usbCount != 0 && wantUsb) {
    if (n < 1 || usbCount < n) {
      errmsg(k, {atStartup ? "USB port number too big, (" : "USB port number too huge (", hexNumber(n),
                 ") defaulting to 1"});
      n = 1;
    }
    t.cable.init_port_usb(static_cast<uint16_t>(n));
  } else {
    if (n < 1 || t.cable.query_number_of_parallel_ports() < n) {
      errmsg(k, {atStartup ? "LPT port number too big (" : "LPT port number too huge (", hexNumber(n),
                 ") defaulting to 1"});
      n = 1;
    }
    s.link = "LPT";
    t.cable.init_port(static_cast<uint16_t>(n));
  }
  s.port = std::to_string(n);
  t.portOpen = true;
}

void protocolOptions(Kernel& k) {
  TargetState& t = targetState(k);
  const ConnectionSettings& s = t.settings;
  t.cable.set_protocol_options(s.setClockSwitch ? 1 : 0, s.useSync ? 1 : 0, 0, 0, s.syncLength);
  if (s.clearClockSwitch) t.cable.write_control(static_cast<uint8_t>(t.cable.read_status() & ~kClockSwitchBit));
}

void runHeadedFile(Kernel& k, const char* heading, const char* underline, const std::string& file) {
  outs(k, {heading, file, underline});
  runCommandFile(k, file);
}

// The common end of every connection: reset, halt, views, init file, settings.
void finishConnection(Kernel& k) {
  TargetState& t = targetState(k);
  if (t.settings.resetOnConnect) resetTarget(k, 1);
  haltTarget(k);
  if (t.chip.emconnect) t.chip.emconnect();
  k.ui->restoreTargetWindows();
  if (!t.settings.initFile.empty())
    runHeadedFile(k, "\n Init. File: ", "\n ===========\n\n", t.settings.initFile);
  k.ui->LeftStatus(" Command ");
  saveConnectionSettings(k);
  k.ui->CursorStd();
}

void markConnected(Kernel& k) {
  TargetState& t = targetState(k);
  t.connected = true;
}

}  // namespace

void readConnectionSettings(Kernel& k) {
  ConnectionSettings& s = targetState(k).settings;
  s.link = platform::iniGet("OPTIONS", "YAVLINK", "USB", 4);
  s.port = platform::iniGet("OPTIONS", "YAVPORT", "1", 4);
  const std::string reset = platform::iniGet("OPTIONS", "RESETONCONNECT", "YES", 4);
  s.resetOnConnect = reset.empty() || (reset[0] != 'n' && reset[0] != 'N');
  s.syncLength = decimalOr(platform::iniGet("OPTIONS", "SYNCLEN", "10"), 10);
  s.clearClockSwitch = yesByFirstLetter(platform::iniGet("OPTIONS", "CLRCLKSW", "NO"));
  s.setClockSwitch = yesByFirstLetter(platform::iniGet("OPTIONS", "SETCLKSW", "NO"));
  s.useSync = yesByFirstLetter(platform::iniGet("OPTIONS", "USESYNC", "NO"));
  s.initFile = platform::iniGet("TARGET", "INITS", "", 123);
  s.resetFile = platform::iniGet("TARGET", "RESETINITS", "", 123);
}

void saveConnectionSettings(Kernel& k) {
  const ConnectionSettings& s = targetState(k).settings;
  platform::iniSet("OPTIONS", "YAVLINK", s.link);
  platform::iniSet("OPTIONS", "YAVPORT", s.port);
  platform::iniSet("OPTIONS", "RESETONCONNECT", s.resetOnConnect ? "YES" : "NO");
  platform::iniSet("TARGET", "INITS", s.initFile);
  platform::iniSet("TARGET", "RESETINITS", s.resetFile);
}

int startupConnection(Kernel& k) {
  TargetState& t = targetState(k);
  t.fatalExitCode = 0;
  readConnectionSettings(k);
  const int libraries = discoverChipLibraries(k);
  if (libraries == 0) return 0;
  if (!loadCableLibrary(k)) return 0;
  k.ui->LeftStatus(" Connecting ");
  openPort(k, true);
  protocolOptions(k);
  t.cable.do_sync_and_set_io_delay_cnt(10);
  t.cable.reset_cable();
  if (t.cable.check_cable_error() != 0) {
    errmsg(k, {"Cannot Connect on Port: ", t.settings.link, t.settings.port.substr(0, 1),
               " Check Cable and Power Connections "});
    k.ui->LeftStatus(" Command ");
    return 0;
  }
  int rounds = 0;
  while (t.cable.go_to_background() == 0) {
    if (!linkCheck(k)) return 0;
    if (++rounds > kMaxPowerCycles || k.ui->pumpEvents().stop || k.exec.stopreq) {
      errmsg(k, {"Can't Abort Target "});
      k.ui->LeftStatus(" Command ");
      return 0;
    }
    t.cable.drive_bgnd_low();
    k.ui->messageBox("Info", "CYCLE POWER ", MsgIcon::Info);
    t.cable.drive_bgnd_tristate();
    t.cable.force_background_mode();
  }
  markConnected(k);
  const std::string chip = platform::iniGet("TARGET", "CHIP", "QE128", 11);
  if (chip.empty() || !selectChip(k, chip)) return 0;
  finishConnection(k);
  return libraries;
}

int reconnectTarget(Kernel& k) {
  TargetState& t = targetState(k);
  if (!t.cableLoaded) return 0;
  k.ui->LeftStatus(" Connecting ");
  t.connected = false;
  openPort(k, false);
  protocolOptions(k);
  t.cable.do_sync_and_set_io_delay_cnt(10);
  t.cable.reset_cable();
  if (t.cable.check_cable_error() != 0) {
    errmsg(k, {"Cannot Connect on Port: ", t.settings.port.substr(0, 1), " Check Cable and Power Connections "});
    k.ui->LeftStatus(" Command ");
    return 0;
  }
  const std::string speed = platform::iniGet("TARGET", "BGNDSPEED", "", 11);
  const int stored = decimalOr(speed, -1);
  if (stored >= 0) t.cable.preset_communication_speed(static_cast<uint16_t>(stored));
  if (t.cable.force_background_mode() == 0) {
    errmsg(k, {"Can't Find Target Speed "});
    k.ui->LeftStatus(" Command ");
    return 0;
  }
  k.ui->LeftStatus(" Connecting ");
  platform::iniSet("TARGET", "BGNDSPEED", std::to_string(t.cable.read_communication_speed()));
  markConnected(k);
  finishConnection(k);
  return 1;
}

int connectLoop(Kernel& k) {
  TargetState& t = targetState(k);
  for (;;) {
    const UiPort::SetupAnswer answer = k.ui->showTargetSetup();
    if (answer == UiPort::SetupAnswer::NoDialog) {
      // No dialog to pick a chip in: the chip of the settings, as the dialog would offer it.
      if (t.currentChipLibrary < 0) selectChip(k, platform::iniGet("TARGET", "CHIP", "QE128", 11));
      const int connected = (t.currentChipLibrary >= 0) ? reconnectTarget(k) : 0;
      saveConnectionSettings(k);
      return connected;
    }
    saveConnectionSettings(k);
    if (answer == UiPort::SetupAnswer::Cancel) return 0;
    if (reconnectTarget(k)) return 1;
  }
}

bool connectTarget(Kernel& k) {
  TargetState& t = targetState(k);
  if (startupConnection(k) != 0) return true;
  if (t.fatalExitCode != 0) return false;  // no libraries: nothing the Setup dialog can mend
  if (connectLoop(k)) return true;
  errmsg(k, {"Unable to establish connection"});
  t.fatalExitCode = 1;
  return false;
}

void resetTarget(Kernel& k, int flag) {
  TargetState& t = targetState(k);
  if (!t.cableLoaded) return;
  k.ui->CursorWait();
  t.cable.force_background_mode();
  if (t.chip.emreset) t.chip.emreset(flag);
  protocolOptions(k);
  if (!t.settings.resetFile.empty())
    runHeadedFile(k, "\n Reset File: ", "\n ============\n\n", t.settings.resetFile);
  k.ui->CursorStd();
  k.ui->LeftStatus(" Command ");
  refreshRegisters(k);  // runs the link check
  if (k.disp.registerTracking) kout(k, registerDump(k.regs.file) + "\n");
  if (flag) k.ui->refreshViews(kViewAll);
}

bool haltTarget(Kernel& k) {
  TargetState& t = targetState(k);
  if (t.cableLoaded && t.cable.go_to_background() != 0) return true;
  errmsg(k, {"Can't Abort Target "});
  return false;
}

void shutdownTarget(Kernel& k) {
  TargetState& t = targetState(k);
  clearBreakList(t.breaks);
  t.releaseLibraries();
}

}  // namespace yav::target
