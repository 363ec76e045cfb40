// The memory map of a simulated chip: what the CPU core reads and writes, plus the
// side-effect-free access of a debugger and the loader's access that can program flash.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yav::sim {

class Peripherals;

class MemoryMap {
 public:
  virtual ~MemoryMap() = default;
  virtual std::string_view name() const = 0;

  // CPU accesses: 16-bit addresses, with the chip's side effects (paging window, linear
  // address registers). Writes to flash are ignored.
  virtual uint8_t read(uint16_t address) = 0;
  virtual void write(uint16_t address, uint8_t value) = 0;

  // Debugger accesses without side effects. Addresses of 0x10000 and above are paged
  // addresses (page << 14 | offset); below that, the CPU's view with the current page.
  virtual uint8_t peek(uint32_t address) const = 0;
  // The loader's write: programs flash too; false when nothing is at the address.
  virtual bool program(uint32_t address, uint8_t value) = 0;
  // Whether a CPU address is RAM (what a stack may use), not registers, flash or nothing.
  virtual bool is_ram(uint16_t address) const = 0;

  // The code page register (0 on chips without paging).
  virtual bool has_paging() const { return false; }
  virtual uint8_t ppage() const { return 0; }
  virtual void set_ppage(uint8_t) {}

  // Back to the reset state of the chip's registers (memory contents stay).
  virtual void reset() {}

  // The chip's clock, timers, pins and interrupt sources; null for a map without them.
  virtual Peripherals* peripherals() { return nullptr; }

  // Pages of 256 bytes that behave as plain memory, for the CPU's fast path: null where an
  // access needs the chip's logic (registers, flash writes, nothing there).
  const uint8_t* read_page(uint8_t page) const { return read_pages_[page]; }
  uint8_t* write_page(uint8_t page) const { return write_pages_[page]; }
  // The whole tables (256 entries each); they stay at their place for the map's lifetime.
  const uint8_t* const* read_page_table() const { return read_pages_.data(); }
  uint8_t* const* write_page_table() const { return write_pages_.data(); }
  // Counts the changes of the tables after construction (a new code page in the window), so
  // that a map wrapping another one knows when to copy them again.
  uint64_t page_generation() const { return page_generation_; }

 protected:
  std::array<const uint8_t*, 256> read_pages_{};
  std::array<uint8_t*, 256> write_pages_{};
  uint64_t page_generation_ = 0;  // a chip that changes its tables counts up here
};

// Chips the simulator offers, by name ("QE128", "QG8", "GENERIC"); null for an unknown name.
std::unique_ptr<MemoryMap> make_chip(std::string_view name);
std::vector<std::string> chip_names();
// 64 KiB of RAM and nothing else (no registers, no peripherals): what instruction-level checks
// step on.
std::unique_ptr<MemoryMap> make_plain_ram();

}  // namespace yav::sim
