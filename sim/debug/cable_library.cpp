// The simulated cable library: the 40 entry points of the background debug cable, answered
// by the simulated board.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "sim/debug/board.h"
#include "sim/image_loader.h"

#define YAV_EXPORT extern "C" __attribute__((visibility("default")))

using yav::sim::board;

// The chip library's way to the board.
YAV_EXPORT yav::sim::ChipSide* yavsim_chip_side(void) { return &board(); }

namespace {
constexpr uint16_t kCableVersion = 105;  // 1.05
constexpr uint16_t kDllVersion = 210;    // 2.10
uint8_t protocolSetClksw = 0, protocolUseSync = 0;
int protocolSyncLength = 10;

// Every call counts towards the "link lost after N operations" fault.
bool live() { return board().countOperation(); }
}  // namespace

// The cables present are looked at afresh each time, like a bus scan.
YAV_EXPORT int query_number_of_parallel_ports(void) { return yav::sim::FaultConfig::fromEnvironment().parallelPorts; }
YAV_EXPORT int query_number_of_usb_devices(void) { return yav::sim::FaultConfig::fromEnvironment().usbDevices; }
YAV_EXPORT uint8_t init_port(uint16_t) { return board().openPort() ? 1 : 0; }
YAV_EXPORT uint8_t init_port_usb(uint16_t) { return board().openPort() ? 1 : 0; }
YAV_EXPORT void close_port(void) { board().closePort(); }
YAV_EXPORT void set_protocol_options(uint8_t setClksw, uint8_t useSync, uint8_t, uint8_t, int syncLen) {
  live();
  protocolSetClksw = setClksw;
  protocolUseSync = useSync;
  protocolSyncLength = syncLen;
}
YAV_EXPORT void do_sync_and_set_io_delay_cnt(int) { live(); }
YAV_EXPORT void reset_cable(void) { live(); }
YAV_EXPORT uint8_t check_cable_error(void) { return board().faults().cableError ? 1 : 0; }
YAV_EXPORT void preset_communication_speed(uint16_t speed) { board().setSpeed(speed); }
YAV_EXPORT uint16_t read_communication_speed(void) { return board().speed(); }
YAV_EXPORT uint8_t force_background_mode(void) {
  live();
  return board().halt() ? 1 : 0;
}
YAV_EXPORT uint8_t go_to_background(void) {
  if (!live()) return 0;
  return board().halt() ? 1 : 0;
}
YAV_EXPORT uint8_t read_status(void) {
  live();
  return board().status();
}
YAV_EXPORT void write_control(uint8_t control) {
  if (live()) board().writeControl(control);
}
YAV_EXPORT void drive_bgnd_low(void) { board().powerCycle(true); }
YAV_EXPORT void drive_bgnd_tristate(void) { board().powerCycle(false); }
YAV_EXPORT void single_step(void) {
  if (live()) board().singleStep();
}
YAV_EXPORT void resume(void) {
  if (live()) board().resume();
}
YAV_EXPORT uint8_t test_for_freeze(void) { return board().frozen() ? 1 : 0; }
YAV_EXPORT void write_breakpoint(uint16_t address) {
  if (live()) board().setBreakpoint(address);
}
YAV_EXPORT uint16_t read_breakpoint(void) { return board().breakpoint(); }
YAV_EXPORT uint16_t get_cable_version(void) { return kCableVersion; }
YAV_EXPORT uint16_t get_dll_version(void) { return kDllVersion; }
YAV_EXPORT void write_data_byte(uint16_t address, uint8_t value) {
  if (live()) board().writeMemory(address, &value, 1);
}

// Entries the debugger requires but does not call; they work all the same.
YAV_EXPORT uint16_t version(void) { return kDllVersion; }
YAV_EXPORT uint16_t data_from_cpu_value(uint8_t* block) {
  board().getRegisters(block);
  uint16_t pc;
  std::memcpy(&pc, block + 8, 2);
  return pc;
}
YAV_EXPORT void put_cpu_values(const uint8_t* block) { board().putRegisters(block); }
YAV_EXPORT void get_cpu_values(uint8_t* block) { board().getRegisters(block); }
YAV_EXPORT int load_bin_file(const char* path, uint16_t address) {
  std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
  if (!f) return 1;
  uint8_t buf[4096];
  size_t n;
  uint32_t at = address;
  bool ok = true;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    ok = board().loadMemory(at, buf, static_cast<int>(n)) && ok;
    at += static_cast<uint32_t>(n);
  }
  std::fclose(f);
  return ok ? 0 : 1;
}
YAV_EXPORT int load_srec_file(const char* path) {
  if (!path) return 1;
  yav::sim::ImageLoad image = yav::sim::load_image_file(path);
  if (!image.ok) return 1;
  bool ok = true;
  for (const auto& b : image.blocks)
    ok = board().loadMemory(b.address, b.bytes.data(), static_cast<int>(b.bytes.size())) && ok;
  return ok ? 0 : 1;
}
YAV_EXPORT uint32_t read_data_long(uint16_t address) {
  uint8_t b[4] = {};
  board().readMemory(address, b, 4);
  return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
}
YAV_EXPORT uint16_t read_data_word(uint16_t address) {
  uint8_t b[2] = {};
  board().readMemory(address, b, 2);
  return static_cast<uint16_t>(b[0] << 8 | b[1]);
}
YAV_EXPORT uint8_t read_data_byte(uint16_t address) {
  uint8_t b = 0;
  board().readMemory(address, &b, 1);
  return b;
}
YAV_EXPORT void write_data_long(uint16_t address, uint32_t value) {
  const uint8_t b[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                        static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  board().writeMemory(address, b, 4);
}
YAV_EXPORT void write_data_word(uint16_t address, uint16_t value) {
  const uint8_t b[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
  board().writeMemory(address, b, 2);
}
YAV_EXPORT uint8_t check_revB_cable_or_later(void) { return 1; }
YAV_EXPORT uint32_t read_bdc_frequency(void) { return 8000000; }
YAV_EXPORT void put_data_byte_block(uint16_t address, const uint8_t* data, int length) {
  board().writeMemory(address, data, length);
}
YAV_EXPORT void get_data_byte_block(uint16_t address, uint8_t* data, int length) {
  board().readMemory(address, data, length);
}
