// The simulated board behind the cable: one chip with its CPU, the background debug
// controller (BDC), the on-chip break and trace module and the console port. The CPU runs on
// its own thread after `resume`; every other call may come while it runs and is answered under
// the board's lock.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/cpu.h"
#include "sim/debug/chip_side.h"
#include "sim/debug/debug_memory.h"
#include "sim/debug/faults.h"

namespace yav::sim {

// BDC status/control bits.
enum BdcBits : uint8_t {
  kBdcEnable = 0x80,       // ENBDM
  kBdcActive = 0x40,       // BDMACT: in background mode
  kBdcBreakEnable = 0x20,  // BKPTEN
  kBdcForceTag = 0x10,     // FTS
  kBdcClockSwitch = 0x08,  // CLKSW
};

class Board final : public ChipSide {
 public:
  Board();
  ~Board();

  // Cable side.
  FaultConfig faults() const;
  bool openPort();  // a fresh board with the faults of the environment
  void closePort();
  bool countOperation() override;
  bool linkLost() const;
  void powerCycle(bool bgndLow);  // drive_bgnd_low (true) then drive_bgnd_tristate (false)
  void setSpeed(uint16_t speed);
  uint16_t speed() const;

  bool halt();  // into background mode; false when the target does not answer
  void resume();
  void singleStep();
  bool frozen() const;
  uint8_t status() const;
  void writeControl(uint8_t control);
  void setBreakpoint(uint16_t address);
  uint16_t breakpoint() const;

  // Chip side.
  bool selectChip(const std::string& name) override;
  std::string chipName() const;
  void reset() override;
  bool readMemory(uint32_t address, uint8_t* buffer, int length) override;
  bool writeMemory(uint32_t address, const uint8_t* buffer, int length) override;
  bool loadMemory(uint32_t address, const uint8_t* buffer, int length) override;
  void getRegisters(uint8_t* block) override;
  bool putRegisters(const uint8_t* block) override;
  void setBreaks(int count, const uint8_t* kinds, const uint32_t* addresses) override;
  void setTrace(int count, int till, const uint8_t* kinds, const uint32_t* addresses) override;
  uint32_t readTrace(uint32_t* entries, int* dataFlag) override;
  int readConsole(char* buffer, int size) override;
  void sendConsole(const char* bytes, int length) override;
  int pin(const char* name, int level) override;
  bool time(uint64_t* cycles, double* microseconds) override;
  int callRecord(int mode, yavsim_call* calls, int max) override;

  uint64_t instructions() const;

  static constexpr int kComparatorSlots = 4;
  static constexpr int kTraceEntries = 16;

 private:
  void stopThread();  // caller must not hold the lock
  void rebuild(const std::string& chip);
  uint8_t executeOne(bool checkBreaks);  // under the lock; StopBits when the CPU must stop
  uint8_t runChunk(bool first);          // under the lock: up to kChunk instructions, StopBits or 0
  void runLoop();
  bool codeMatch(uint32_t address, uint16_t pc) const;
  uint32_t tracedPc() const;

  // Callers other than the CPU thread announce themselves so the running CPU lets them in.
  std::unique_lock<std::mutex> enter() const;

  mutable std::mutex lock_;
  mutable std::atomic<int> waiting_{0};
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequest_{false};

  FaultConfig faults_;
  std::atomic<long> operations_{0};
  std::atomic<bool> linkLost_{false};
  bool linkRestored_ = false;
  bool bgndLow_ = false;
  uint16_t speed_ = 0;

  std::string chipName_ = "QE128";
  std::unique_ptr<DebugMemory> memory_;
  std::unique_ptr<Cpu> cpu_;
  CallRecord calls_;  // handed to the CPU while recording; kept across a new chip or port
  bool recordingCalls_ = false;
  uint8_t control_ = kBdcEnable;
  uint16_t breakpoint_ = 0;
  std::vector<Comparator> codeBreaks_;

  struct Trace {
    bool armed = false, till = false, recording = false;
    std::vector<Comparator> codeTriggers;
    uint32_t entries[kTraceEntries] = {};
    int count = 0, next = 0;  // ring buffer
  } trace_;
};

// The one board of the process, in the cable library; the chip library reaches it through
// the entry `yavsim_chip_side`.
Board& board();

}  // namespace yav::sim
