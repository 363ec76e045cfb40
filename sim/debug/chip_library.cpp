// The simulated chip library: memory, registers, download and the on-chip break and trace
// module of the chips the simulator offers, reached through the board of the cable library.
#include <cstdint>
#include <string>

#include "sim/debug/chip_side.h"
#include "sim/memory_map.h"

#define YAV_EXPORT extern "C" __attribute__((visibility("default")))


namespace {
// The board, in the cable library this library is linked with.
yav::sim::ChipSide& board() { return *yavsim_chip_side(); }
// The GetChips block: names one after another, each closed by NUL, then an empty name.
const std::string& chipBlock() {
  static const std::string block = [] {
    std::string b;
    for (const std::string& name : yav::sim::chip_names()) {
      b += name;
      b += '\0';
    }
    b += '\0';
    return b;
  }();
  return block;
}
int failure(bool ok) { return ok ? 0 : 1; }
bool live() { return board().countOperation(); }
}  // namespace

YAV_EXPORT int InitDll(void*, void*, void*) { return 1; }
YAV_EXPORT const char* GetChips(int* length) {
  if (length) *length = static_cast<int>(chipBlock().size());
  return chipBlock().data();
}
YAV_EXPORT int SetChip(const char* name) { return failure(name && board().selectChip(name)); }
YAV_EXPORT int CloseDll(void) { return 0; }
YAV_EXPORT int emconnect(void) { return 0; }
// No dialog of its own: every operation is accepted.
YAV_EXPORT int emsetup(int, void*, void*) { return 1; }
YAV_EXPORT int emtarget(void) { return 0; }
YAV_EXPORT int emreset(int) {
  board().reset();
  return 0;
}
YAV_EXPORT int emget(uint8_t* buffer, uint32_t address, int length) {
  if (!live()) return 1;
  return failure(board().readMemory(address, buffer, length));
}
YAV_EXPORT int emset(const uint8_t* buffer, uint32_t address, int length) {
  if (!live()) return 1;
  return failure(board().writeMemory(address, buffer, length));
}
YAV_EXPORT int eminitload(void) { return 0; }
YAV_EXPORT int emload(const uint8_t* buffer, uint32_t address, int length) {
  if (!live()) return 1;
  return failure(board().loadMemory(address, buffer, length));
}
YAV_EXPORT int emendload(void) { return 0; }
YAV_EXPORT int getregs(uint8_t* block) {
  if (!block) return 1;
  board().getRegisters(block);
  return live() ? 0 : 1;
}
YAV_EXPORT int putregs(const uint8_t* block) {
  if (!block || !live()) return 1;
  return failure(board().putRegisters(block));
}
// The program/erase dialog has nothing to ask without a window: nothing is erased.
YAV_EXPORT int Flash(void) { return 0; }
// The on-chip break module is always available.
YAV_EXPORT int HardBreaks(void) { return 0; }
YAV_EXPORT int SetBreaks(int count, const uint8_t* kinds, const uint32_t* addresses) {
  board().setBreaks(count, kinds, addresses);
  return 0;
}
YAV_EXPORT int SetUserBreaks(int, int* disable) {
  if (disable) *disable = 0;
  return 0;
}
YAV_EXPORT int SetTrace(int count, int till, const uint8_t* kinds, const uint32_t* addresses) {
  board().setTrace(count, till, kinds, addresses);
  return 0;
}
YAV_EXPORT uint32_t Trace(uint32_t* entries, int* dataFlag) { return board().readTrace(entries, dataFlag); }

// Console port: bytes the program sent (polled by the debugger) and bytes typed for it.
YAV_EXPORT int emconsole(char* buffer, int size) { return board().readConsole(buffer, size); }
YAV_EXPORT int emconsolein(const char* bytes, int length) {
  board().sendConsole(bytes, length);
  return 0;
}

// Pins from outside: `level` 0 or 1 drives the pin, -1 lets it go, -2 reads it. Returns the
// pin's level, -1 for an unknown pin or a chip without pins.
YAV_EXPORT int empin(const char* name, int level) {
  if (!live()) return -1;
  return board().pin(name, level);
}
// Simulated time since power-on: bus cycles and microseconds. 0 when it could be read.
YAV_EXPORT int emtime(unsigned long long* cycles, double* microseconds) {
  uint64_t c = 0;
  double us = 0;
  if (!live() || !board().time(&c, &us)) return 1;
  if (cycles) *cycles = c;
  if (microseconds) *microseconds = us;
  return 0;
}
// The simulator's record of the calls in progress (sim/debug/emcalls.h): `mode` turns it on or
// off (either empties it) or only reads it.
YAV_EXPORT int emcalls(int mode, yavsim_call* calls, int max) { return board().callRecord(mode, calls, max); }
