// The HCS08 CPU core: registers, one-instruction steps and runs, driven by the opcode table.
// It sees memory only through the chip's MemoryMap.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "sim/call_record.h"
#include "sim/memory_map.h"
#include "sim/peripherals.h"

namespace yav::sim {

struct Registers {
  uint8_t a = 0;
  uint16_t hx = 0;
  uint16_t sp = 0x00FF;
  uint16_t pc = 0;
  uint8_t cc = 0x68;
};

// Why the CPU stopped running.
enum class StopReason : uint8_t { none, until, max, bgnd, stop, wait, illegal };
std::string_view stop_reason_text(StopReason r);

class Cpu {
 public:
  explicit Cpu(MemoryMap& memory);

  // Reset: chip registers to their reset state, SP 0x00FF, I set, PC from the vector at 0xFFFE.
  // The cycle count (the simulated time) goes on.
  void reset();

  // Executes one instruction (or takes a pending interrupt first, and executes the handler's
  // first instruction); a stop reason when it was BGND, STOP or WAIT with nothing left to wake
  // the CPU, or illegal (an illegal opcode leaves the PC on it unless `illegal_resets`).
  StopReason step();

  // Runs until `until` is reached (checked before each instruction), `max` instructions
  // have run, or the CPU stops.
  StopReason run(uint64_t max, std::optional<uint16_t> until = std::nullopt);
  // The same with several addresses to stop before (StopReason::until at any of them).
  StopReason run(uint64_t max, std::span<const uint16_t> stops);

  // Takes an interrupt through the vector at `vector` (its high byte address) when the I bit
  // is clear: stacks PC, X, A, CC and sets I. Returns whether it was taken.
  bool interrupt(uint16_t vector);

  Registers regs;
  uint64_t cycles = 0;
  uint64_t instructions = 0;
  // An illegal opcode resets the chip (as the part does) instead of stopping the run.
  bool illegal_resets = false;
  // When set, calls, returns and interrupt entries are recorded there (a reset empties it).
  // Null by default: the run loop then tests it on calls and returns alone.
  CallRecord* calls = nullptr;

  MemoryMap& memory() { return mem_; }
  Peripherals& peripherals() { return *pe_; }
  // Simulated time since power-on.
  double microseconds() const { return pe_->microseconds(cycles); }

 private:
  // The run loop: registers in locals, opcodes through the dispatch table. `stop_at(pc)` is
  // asked before each instruction. Called once with `labels` to fill in where each kind of
  // the dispatch table is executed.
  template <class StopAt>
  StopReason execute(uint64_t max, StopAt stop_at, const void** labels = nullptr);

  MemoryMap& mem_;
  Peripherals idle_;  // for a map without peripherals: nothing ever happens
  Peripherals* pe_;
  bool paging_;  // CALL and RTC exist only on chips with a code page register

  // Reset and interrupt entry (the run loop has its own copies with the registers in locals).
  uint8_t rd(uint16_t a) {
    const uint8_t* p = mem_.read_page(static_cast<uint8_t>(a >> 8));
    return p ? p[a & 0xFF] : mem_.read(a);
  }
  void wr(uint16_t a, uint8_t v) {
    uint8_t* p = mem_.write_page(static_cast<uint8_t>(a >> 8));
    if (p) p[a & 0xFF] = v;
    else mem_.write(a, v);
  }
  uint16_t read16(uint16_t a) {
    const uint16_t hi = rd(a);
    return static_cast<uint16_t>((hi << 8) | rd(static_cast<uint16_t>(a + 1)));
  }
  void push(uint8_t v) { wr(regs.sp--, v); }
  void push_pc() {
    push(static_cast<uint8_t>(regs.pc));
    push(static_cast<uint8_t>(regs.pc >> 8));
  }
  uint8_t x() const { return static_cast<uint8_t>(regs.hx); }
};

}  // namespace yav::sim
