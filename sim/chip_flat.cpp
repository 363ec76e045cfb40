// Chips without paging: GENERIC (64 KiB of RAM, as in the reference simulator) and QG8.
#include <array>

#include "sim/chip_qe128.h"
#include "sim/memory_map.h"
#include "sim/peripherals.h"

namespace yav::sim {
namespace {

// Flat 64 KiB of RAM; every address reads and writes.
class PlainRam : public MemoryMap {
 public:
  PlainRam() {
    for (int p = 0; p < 256; ++p) {
      read_pages_[p] = write_pages_[p] = &mem_[static_cast<size_t>(p) << 8];
    }
  }
  std::string_view name() const override { return "RAM"; }
  uint8_t read(uint16_t a) override { return mem_[a]; }
  void write(uint16_t a, uint8_t v) override { mem_[a] = v; }
  uint8_t peek(uint32_t a) const override { return a <= 0xFFFF ? mem_[a] : 0; }
  bool program(uint32_t a, uint8_t v) override {
    if (a > 0xFFFF) return false;
    mem_[a] = v;
    return true;
  }
  bool is_ram(uint16_t) const override { return true; }

 protected:
  std::array<uint8_t, 0x10000> mem_{};
};

// GENERIC: the flat RAM with the QE128's timer and pin block moved to 0x1800-0x187F (out of
// the direct page, which stays plain RAM).
class GenericChip final : public PlainRam {
 public:
  static constexpr uint16_t kBlock = 0x1800;
  GenericChip() : pe_({8000000, true, kBlock, false, false}) { read_pages_[kBlock >> 8] = write_pages_[kBlock >> 8] = nullptr; }
  std::string_view name() const override { return "GENERIC"; }
  uint8_t read(uint16_t a) override { return pe_.owns(a) ? pe_.read(a) : mem_[a]; }
  void write(uint16_t a, uint8_t v) override {
    if (pe_.owns(a)) pe_.write(a, v);
    else mem_[a] = v;
  }
  uint8_t peek(uint32_t a) const override {
    return a <= 0xFFFF && pe_.owns(static_cast<uint16_t>(a)) ? pe_.peek(static_cast<uint16_t>(a)) : PlainRam::peek(a);
  }
  void reset() override { pe_.reset(); }
  Peripherals* peripherals() override { return &pe_; }

 private:
  Peripherals pe_;
};

// MC9S08QG8: registers 0x0000-0x005F and 0x1800-0x184F, RAM 0x0060-0x025F, flash 0xE000-0xFFFF.
class Qg8Chip final : public MemoryMap {
 public:
  Qg8Chip() : pe_({4000000, false, 0, false, false}) {
    read_pages_[1] = write_pages_[1] = &mem_[0x100];
    for (int p = 0xE0; p < 256; ++p) read_pages_[p] = &mem_[static_cast<size_t>(p) << 8];
  }
  std::string_view name() const override { return "QG8"; }
  uint8_t read(uint16_t a) override { return mem_[a]; }
  void write(uint16_t a, uint8_t v) override {
    if (writable(a)) mem_[a] = v;
  }
  uint8_t peek(uint32_t a) const override { return a <= 0xFFFF ? mem_[a] : 0; }
  bool program(uint32_t a, uint8_t v) override {
    if (a > 0xFFFF || !(writable(static_cast<uint16_t>(a)) || a >= 0xE000)) return false;
    mem_[a] = v;
    return true;
  }
  bool is_ram(uint16_t a) const override { return a >= 0x0060 && a < 0x0260; }
  void reset() override { pe_.reset(); }
  Peripherals* peripherals() override { return &pe_; }

 private:
  Peripherals pe_;  // the time base only
  static bool writable(uint16_t a) { return a < 0x0260 || (a >= 0x1800 && a < 0x1850); }
  std::array<uint8_t, 0x10000> mem_{};
};

}  // namespace

std::unique_ptr<MemoryMap> make_chip(std::string_view name) {
  if (name == "GENERIC") return std::make_unique<GenericChip>();
  if (name == "QG8") return std::make_unique<Qg8Chip>();
  if (name == "QE128") return make_qe128();
  return nullptr;
}

std::vector<std::string> chip_names() { return {"QE128", "QG8", "GENERIC"}; }

std::unique_ptr<MemoryMap> make_plain_ram() { return std::make_unique<PlainRam>(); }

}  // namespace yav::sim
