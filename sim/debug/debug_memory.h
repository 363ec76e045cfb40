// The chip's memory as the debug hardware sees it: the on-chip break comparators watch every
// CPU access, the console port (an SCI) turns data-register writes into console bytes, and the
// byte at 0x1818 reports what stopped the CPU. Everything else goes to the chip's own map.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/memory_map.h"

namespace yav::sim {

// Bits of the byte at 0x1818: what stopped the CPU last.
enum StopBits : uint8_t {
  kStopComparatorA = 0x80,  // first on-chip comparator
  kStopComparatorB = 0x40,  // any further comparator
  kStopTrace = 0x20,        // the trace trigger or a full trace buffer
  kStopIllegal = 0x10,      // illegal opcode
  kStopStopWait = 0x08,     // STOP or WAIT instruction
  kStopBdcBreak = 0x04,     // the BDC hardware breakpoint
  kStopHostHalt = 0x02,     // halted by the debugger (go_to_background, force_background_mode)
  kStopBgnd = 0x01,         // BGND instruction
};
inline constexpr uint16_t kStopByteAddress = 0x1818;

// One comparator: kind 0 code (PC), 'R' read, 'W' write, 'A' access; addresses lo..hi.
struct Comparator {
  uint8_t kind = 0;
  uint32_t lo = 0, hi = 0;
  uint8_t hitBit = kStopComparatorA;
  bool matchesData(uint16_t address, bool write) const {
    if (kind == 0 || address < lo || address > hi) return false;
    return kind == 'A' || (kind == 'R' && !write) || (kind == 'W' && write);
  }
};

// Where a chip's console port sits.
struct ConsolePort {
  uint16_t status = 0x24;  // SCI status: transmitter always empty, receive-full when bytes wait
  uint16_t data = 0x27;    // SCI data: writes send, reads take the next received byte
};
// The console port of a chip (its first SCI).
ConsolePort consolePortOf(std::string_view chip);

class DebugMemory final : public MemoryMap {
 public:
  DebugMemory(std::unique_ptr<MemoryMap> chip, ConsolePort console)
      : chip_(std::move(chip)), console_(console) {
    syncPages();
  }

  std::string_view name() const override { return chip_->name(); }
  uint8_t read(uint16_t address) override;
  void write(uint16_t address, uint8_t value) override;
  uint8_t peek(uint32_t address) const override;
  bool program(uint32_t address, uint8_t value) override { return chip_->program(address, value); }
  bool is_ram(uint16_t address) const override { return chip_->is_ram(address); }
  // A debugger write: no comparator sees it, the stop byte stays.
  void debugWrite(uint32_t address, uint8_t value);
  bool has_paging() const override { return chip_->has_paging(); }
  uint8_t ppage() const override { return chip_->ppage(); }
  void set_ppage(uint8_t v) override {
    chip_->set_ppage(v);
    followChip();
  }
  void reset() override {
    chip_->reset();
    followChip();
  }
  Peripherals* peripherals() override { return chip_->peripherals(); }

  // The CPU's fast pages: the chip's, except pages holding the stop byte, the console port or
  // an address a data comparator watches. Call after changing `breaks` or `traceTriggers`.
  void syncPages();

  // Break comparators and trace trigger comparators (data kinds watched here).
  std::vector<Comparator> breaks;
  std::vector<Comparator> traceTriggers;
  bool watching() const { return !breaks.empty() || !traceTriggers.empty(); }
  uint8_t breakHits = 0;  // StopBits of data comparators hit since last cleared
  bool traceHit = false;
  uint8_t stopByte = 0;

  // Console bytes sent by the program, and bytes waiting to be received by it.
  std::string consoleOut;
  std::deque<uint8_t> consoleIn;
  static constexpr size_t kConsoleLimit = 1 << 16;
  // Queues bytes for the program (the SCI's receive interrupt sees them).
  void receive(const char* bytes, int length);

 private:
  void watch(uint16_t address, bool write);
  void receiveReadyChanged();
  // Copies the chip's pages again when they changed (a new code page).
  void followChip() {
    if (chip_->page_generation() != chipGeneration_) syncPages();
  }
  uint64_t chipGeneration_ = 0;
  std::unique_ptr<MemoryMap> chip_;
  ConsolePort console_;
};

}  // namespace yav::sim
