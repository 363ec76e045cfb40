// The on-chip peripherals a simulated chip has beside its memory: the bus clock and time base,
// the interrupt sources, the timer TPM1, the real-time counter, the IRQ pin, the keyboard
// interrupts, the port data/direction registers, the COP watchdog and the interrupt side of the
// first SCI. Event-driven: nothing runs per instruction; the CPU calls `update` once its cycle
// count reaches `next_event`, and a register access tells the peripherals the time through `now`.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yav::sim {

// What a chip has of the peripherals, and where.
struct PeripheralLayout {
  uint32_t bus_hz = 8000000;
  bool block = false;  // ports, KBI, IRQ, TPM1 and RTC at the QE128's addresses plus `base`
  uint16_t base = 0;
  bool sci = false;  // the first SCI's control register 2 (0x23) and its interrupts
  bool cop = false;  // SRS, SOPT1, SOPT2 at 0x1800-0x1803 and the watchdog (on after reset)
};

// Interrupt sources, each with its vector (the address of its high byte); a higher vector
// address is a higher priority.
enum class Source : uint8_t { irq, tpm1_ch0, tpm1_ch1, tpm1_ch2, tpm1_ovf, sci1_rx, sci1_tx, kbi, rtc, count };
uint16_t vector_of(Source s);

// Reset causes as the system reset status register shows them.
enum ResetCause : uint8_t { kResetPor = 0x80, kResetPin = 0x40, kResetCop = 0x20, kResetIlop = 0x10, kResetIlad = 0x08 };

class Peripherals {
 public:
  static constexpr uint64_t kNever = ~uint64_t{0};
  explicit Peripherals(PeripheralLayout layout = {});

  // The cycle at which `update` must run next (0: as soon as possible, after a register
  // write or a change of the I bit). Always after the cycles `update` was given.
  uint64_t next_event = kNever;
  // The CPU's cycle count at the current register access.
  uint64_t now = 0;

  // Registers to their reset state at `now`; the reset status shows the cause of a requested
  // reset, else power-on.
  void reset();
  // Brings counters and flags up to `cycles` and computes `next_event`.
  void update(uint64_t cycles);
  // The vector of the highest-priority source that is flagged and enabled; 0 when none.
  uint16_t pending_vector() const;
  // A reset the chip asks for (the watchdog ran out, an illegal opcode): its cause, or 0.
  uint8_t reset_request() const { return reset_request_; }
  void request_reset(uint8_t cause) {
    reset_request_ = cause;
    next_event = 0;
  }

  bool owns(uint16_t address) const;
  uint8_t read(uint16_t address);        // with the side effects of a CPU read
  uint8_t peek(uint16_t address) const;  // without
  void write(uint16_t address, uint8_t value);

  // Pins from outside: "PTA0".."PTF7" and "IRQ". `drive` with 0 or 1 drives the pin, -1
  // leaves it undriven (reads 1, as if pulled up); returns the pin's level, -1 for an
  // unknown pin. `level` reads a pin: an output reads its data latch.
  int drive(std::string_view pin, int level);
  int level(std::string_view pin) const;
  // Drives a pin at a later cycle (checked like any other event).
  bool schedule(uint64_t cycle, std::string_view pin, int level);

  // Whether received bytes wait at the SCI (the console port sets it).
  void set_receive_ready(bool ready);

  uint32_t bus_hz() const { return layout_.bus_hz; }
  double microseconds(uint64_t cycles) const { return static_cast<double>(cycles) * 1e6 / layout_.bus_hz; }

 private:
  static constexpr int kPorts = 6;  // A..F
  struct PinRef {
    int port = -1;  // 0..5, or kIrqPin
    int bit = 0;
  };
  static constexpr int kIrqPin = 100;
  static PinRef parse_pin(std::string_view pin);
  // A block address as the QE128 has it.
  uint16_t local(uint16_t a) const {
    return layout_.block && a >= layout_.base && a < layout_.base + 0x80 ? static_cast<uint16_t>(a - layout_.base) : a;
  }
  uint8_t peek_local(uint16_t a) const;
  bool pin_level(int port, int bit) const;
  void set_input(PinRef p, int level);
  void input_changed(int port, uint8_t before, uint8_t after);
  void keyboard_edges(int kbi, uint8_t before, uint8_t after);
  bool irq_asserted() const;

  // Counters: brought up to `t`, their next event.
  void tpm_advance(uint64_t t);
  uint64_t tpm_next() const;
  void tpm_rebase(uint64_t t, uint32_t count);
  uint32_t tpm_count(uint64_t t) const;
  uint32_t tpm_period() const;
  uint64_t tpm_prescale() const;
  bool tpm_running() const;
  void rtc_advance(uint64_t t);
  uint64_t rtc_next() const;
  void rtc_rebase(uint64_t t);
  uint64_t rtc_ticks(uint64_t t) const;
  uint64_t rtc_tick_cycle(uint64_t tick) const;
  uint32_t rtc_prescale() const;
  uint64_t cop_timeout() const;
  void cop_service(uint64_t t) { cop_start_ = t; }

  PeripheralLayout layout_;
  uint8_t reset_request_ = 0;

  // Ports: data latch, direction, level driven from outside and which pins are driven.
  std::array<uint8_t, kPorts> data_{}, direction_{}, outside_{}, driven_{};
  // Keyboard interrupts 1 (port A) and 2 (port D): status/control, pin enable, edge select.
  struct Kbi {
    uint8_t sc = 0, pe = 0, es = 0;
  };
  std::array<Kbi, 2> kbi_{};
  uint8_t irqsc_ = 0;
  bool irq_outside_ = true;  // the IRQ line's level (high when undriven)
  uint8_t sci_c2_ = 0;
  bool receive_ready_ = false;

  // TPM1: counter kept as the count at `tpm_base_` (a tick boundary).
  uint8_t tpm_sc_ = 0;
  uint16_t tpm_mod_ = 0;
  uint8_t tpm_mod_high_ = 0;  // MODH waits for MODL
  std::array<uint8_t, 3> tpm_csc_{};
  std::array<uint16_t, 3> tpm_cv_{};
  std::array<uint8_t, 3> tpm_cv_high_{};
  uint64_t tpm_base_ = 0;
  uint32_t tpm_base_count_ = 0;
  uint8_t tpm_cnt_latch_ = 0;
  bool tpm_latched_ = false;
  uint8_t tpm_flags_read_ = 0;  // flags read as set since (bit 7 TOF; bits 0-2 channels)

  // RTC: ticks counted from `rtc_base_`.
  uint8_t rtc_sc_ = 0, rtc_mod_ = 0;
  uint64_t rtc_base_ = 0;
  uint64_t rtc_last_ = 0;

  // COP watchdog and system registers.
  uint8_t srs_ = kResetPor, sopt1_ = 0, sopt2_ = 0;
  bool sopt1_written_ = false, sopt2_written_ = false;
  uint64_t cop_start_ = 0;

  uint64_t updated_ = 0;  // the cycles of the last update

  struct PinChange {
    uint64_t cycle;
    PinRef pin;
    int level;
  };
  std::vector<PinChange> scheduled_;  // in cycle order
};

}  // namespace yav::sim
