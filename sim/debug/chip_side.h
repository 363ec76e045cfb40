// What the chip library asks of the board: an interface, so that the board's code lives in
// the cable library alone (the chip library holds no copy of it, and no object of one library
// is left pointing into the other when they are unloaded).
#pragma once
#include <cstdint>
#include <string>

#include "sim/debug/emcalls.h"

namespace yav::sim {

class ChipSide {
 public:
  virtual bool countOperation() = 0;  // one cable or chip call; false once the link is lost
  virtual bool selectChip(const std::string& name) = 0;
  virtual void reset() = 0;
  virtual bool readMemory(uint32_t address, uint8_t* buffer, int length) = 0;
  virtual bool writeMemory(uint32_t address, const uint8_t* buffer, int length) = 0;
  virtual bool loadMemory(uint32_t address, const uint8_t* buffer, int length) = 0;
  virtual void getRegisters(uint8_t* block) = 0;
  virtual bool putRegisters(const uint8_t* block) = 0;
  virtual void setBreaks(int count, const uint8_t* kinds, const uint32_t* addresses) = 0;
  virtual void setTrace(int count, int till, const uint8_t* kinds, const uint32_t* addresses) = 0;
  virtual uint32_t readTrace(uint32_t* entries, int* dataFlag) = 0;
  virtual int readConsole(char* buffer, int size) = 0;
  virtual void sendConsole(const char* bytes, int length) = 0;
  // Drives a pin ("PTA0".."PTF7", "IRQ") to `level` (0, 1, or -1 to let it go) or reads it
  // (`kReadPin`); the pin's level, -1 for an unknown pin.
  static constexpr int kReadPin = -2;
  virtual int pin(const char* name, int level) = 0;
  // Simulated time since power-on: bus cycles and microseconds.
  virtual bool time(uint64_t* cycles, double* microseconds) = 0;
  // The record of calls in progress (the entry `emcalls`).
  virtual int callRecord(int mode, yavsim_call* calls, int max) = 0;

 protected:
  ~ChipSide() = default;
};

}  // namespace yav::sim

// The cable library's entry that hands the chip library the board.
extern "C" yav::sim::ChipSide* yavsim_chip_side(void);
