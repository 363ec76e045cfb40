// MC9S08QE128 memory map.
#include "sim/chip_qe128.h"

#include <array>

#include "sim/peripherals.h"

namespace yav::sim {
namespace {

// Linear (paged) addresses: page 0 is the CPU's 0x0000-0x3FFF (registers, RAM, the first
// flash), pages 1 and 3 are also the CPU's 0x4000-0x7FFF and 0xC000-0xFFFF, and PPAGE
// selects the page seen in 0x8000-0xBFFF (2 after reset).
class Qe128Chip final : public MemoryMap {
 public:
  // The bus clock after reset (the clock generator's default, not modelled further).
  Qe128Chip() : pe_({4194304, true, 0, true, true}) {
    for (uint32_t l = 0; l <= kLinearMask; ++l)
      if (flash(l)) lin_[l] = 0xFF;  // erased flash
    for (uint32_t p = 0; p < 256; ++p) {
      const uint32_t first = p << 8;
      const bool plain_ram = ram(first) && ram(first + 0xFF);
      const bool plain_flash = flash(first) && flash(first + 0xFF);
      if (plain_ram) write_pages_[p] = &lin_[first];
      if (plain_ram || plain_flash) read_pages_[p] = &lin_[first];
    }
    reset();
  }
  std::string_view name() const override { return "QE128"; }
  bool has_paging() const override { return true; }
  uint8_t ppage() const override { return ppage_; }
  void set_ppage(uint8_t v) override {
    ppage_ = v & 7;
    map_window();
  }
  void reset() override {
    lap_ = 0;
    set_ppage(2);
    pe_.reset();
  }
  Peripherals* peripherals() override { return &pe_; }

  uint8_t read(uint16_t a) override {
    if (a >= kLwp && a <= kLb) {
      const uint8_t v = lin_[lap_];
      if (a != kLb) lap_ = (lap_ + 1) & kLinearMask;
      return v;
    }
    if (pe_.owns(a)) return pe_.read(a);
    return peek(a);
  }

  void write(uint16_t a, uint8_t v) override {
    switch (a) {
      case kPpage: set_ppage(v); return;
      case kLap2: lap_ = (lap_ & 0x0FFFF) | ((v & 1u) << 16); return;
      case kLap1: lap_ = (lap_ & 0x100FF) | (uint32_t(v) << 8); return;
      case kLap0: lap_ = (lap_ & 0x1FF00) | v; return;
      case kLwp:
      case kLbp:
      case kLb:
        if (ram_or_register(lap_)) lin_[lap_] = v;
        if (a != kLb) lap_ = (lap_ + 1) & kLinearMask;
        return;
      case kLapab: lap_ = (lap_ + static_cast<uint32_t>(static_cast<int8_t>(v))) & kLinearMask; return;
    }
    if (pe_.owns(a)) {
      pe_.write(a, v);
      return;
    }
    const uint32_t l = linear(a);
    if (ram_or_register(l)) lin_[l] = v;
  }

  uint8_t peek(uint32_t a) const override {
    if (a > 0xFFFF) return a <= kLinearMask ? lin_[a] : 0;
    switch (a) {
      case kPpage: return ppage_;
      case kLap2: return static_cast<uint8_t>(lap_ >> 16);
      case kLap1: return static_cast<uint8_t>(lap_ >> 8);
      case kLap0: return static_cast<uint8_t>(lap_);
      case kLwp:
      case kLbp:
      case kLb: return lin_[lap_];
      case kLapab: return 0;
    }
    if (pe_.owns(static_cast<uint16_t>(a))) return pe_.peek(static_cast<uint16_t>(a));
    return lin_[linear(static_cast<uint16_t>(a))];
  }

  bool program(uint32_t a, uint8_t v) override {
    if (a > kLinearMask) return false;
    const uint32_t l = a > 0xFFFF ? a : linear(static_cast<uint16_t>(a));
    if (!ram(l) && !flash(l)) return false;
    lin_[l] = v;
    return true;
  }
  bool is_ram(uint16_t a) const override { return ram(a); }

 private:
  static constexpr uint32_t kLinearMask = 0x1FFFF;
  static bool ram(uint32_t l) { return (l >= 0x0080 && l < 0x1800) || (l >= 0x1880 && l < 0x2080); }
  static bool registers(uint32_t l) { return l < 0x0080 || (l >= 0x1800 && l < 0x1880); }
  static bool flash(uint32_t l) { return l >= 0x2080 && l <= kLinearMask; }
  static bool ram_or_register(uint32_t l) { return ram(l) || registers(l); }
  // The window 0x8000-0xBFFF shows flash of the current page.
  void map_window() {
    for (uint32_t p = 0x80; p < 0xC0; ++p) read_pages_[p] = &lin_[(uint32_t(ppage_) << 14) | ((p << 8) & 0x3FFF)];
    ++page_generation_;
  }
  uint32_t linear(uint16_t a) const {
    if (a >= 0x8000 && a < 0xC000) return (uint32_t(ppage_) << 14) | (a & 0x3FFFu);
    return a;
  }

  std::array<uint8_t, kLinearMask + 1> lin_{};
  uint8_t ppage_ = 2;
  uint32_t lap_ = 0;
  Peripherals pe_;
};

}  // namespace

std::unique_ptr<MemoryMap> make_qe128() { return std::make_unique<Qe128Chip>(); }

}  // namespace yav::sim
