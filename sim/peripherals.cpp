// The peripherals of a simulated chip (see sim/README.md for every register).
#include "sim/peripherals.h"

#include <algorithm>

namespace yav::sim {

namespace {

// Register addresses (the QE128's).
constexpr uint16_t kKbi1Sc = 0x0C, kIrqSc = 0x0F, kSci1C2 = 0x23, kKbi2Sc = 0x3C;
constexpr uint16_t kTpm1Sc = 0x40, kTpm1CntH = 0x41, kTpm1CntL = 0x42, kTpm1ModH = 0x43, kTpm1ModL = 0x44;
constexpr uint16_t kTpm1C0Sc = 0x45, kTpm1Last = 0x4D;
constexpr uint16_t kRtcSc = 0x6C, kRtcCnt = 0x6D, kRtcMod = 0x6E;
constexpr uint16_t kSrs = 0x1800, kSopt1 = 0x1802, kSopt2 = 0x1803;

// Bits.
constexpr uint8_t kFlag = 0x80;  // TOF, CHnF, RTIF
constexpr uint8_t kTpmToie = 0x40, kChannelIe = 0x40, kChannelCompare = 0x30;
constexpr uint8_t kKbf = 0x08, kKback = 0x04, kKbie = 0x02, kKbimod = 0x01;
constexpr uint8_t kIrqEdge = 0x20, kIrqPe = 0x10, kIrqF = 0x08, kIrqAck = 0x04, kIrqIe = 0x02, kIrqMod = 0x01;
constexpr uint8_t kRtcIe = 0x10;
constexpr uint8_t kSciTie = 0x80, kSciTcie = 0x40, kSciRie = 0x20;

// Port each keyboard interrupt watches (A and D).
constexpr std::array<int, 2> kKbiPort = {0, 3};

// RTC prescaler from the 1 kHz low-power oscillator, in its periods (0: off).
constexpr std::array<uint32_t, 16> kRtcLpoPrescale = {0, 8, 32, 64, 128, 256, 512, 1024, 1, 2, 4, 10, 16, 100, 500, 1000};

uint64_t ceil_div(unsigned __int128 a, unsigned __int128 b) { return static_cast<uint64_t>((a + b - 1) / b); }

}  // namespace

uint16_t vector_of(Source s) {
  switch (s) {
    case Source::irq: return 0xFFFA;
    case Source::tpm1_ch0: return 0xFFF6;
    case Source::tpm1_ch1: return 0xFFF4;
    case Source::tpm1_ch2: return 0xFFF2;
    case Source::tpm1_ovf: return 0xFFF0;
    case Source::sci1_rx: return 0xFFE0;
    case Source::sci1_tx: return 0xFFDE;
    case Source::kbi: return 0xFFDA;
    case Source::rtc: return 0xFFCE;
    case Source::count: break;
  }
  return 0;
}

Peripherals::Peripherals(PeripheralLayout layout) : layout_(layout) { reset(); }

void Peripherals::reset() {
  updated_ = std::max(updated_, now);
  srs_ = reset_request_ ? reset_request_ : uint8_t{kResetPor};
  reset_request_ = 0;
  data_ = {};
  direction_ = {};
  kbi_ = {};
  irqsc_ = 0;
  sci_c2_ = 0;
  tpm_sc_ = 0;
  tpm_mod_ = 0;
  tpm_mod_high_ = 0;
  tpm_csc_ = {};
  tpm_cv_ = {};
  tpm_cv_high_ = {};
  tpm_latched_ = false;
  tpm_flags_read_ = 0;
  tpm_rebase(updated_, 0);
  rtc_sc_ = 0;
  rtc_mod_ = 0;
  rtc_rebase(updated_);
  sopt1_ = layout_.cop ? 0xC2 : 0x00;  // COPT = 3: the watchdog runs after reset
  sopt2_ = 0;
  sopt1_written_ = sopt2_written_ = false;
  cop_service(updated_);
  next_event = 0;
}

// ---- Time.

void Peripherals::update(uint64_t cycles) {
  const uint64_t t = std::max(cycles, updated_);
  while (!scheduled_.empty() && scheduled_.front().cycle <= t) {
    const PinChange c = scheduled_.front();
    scheduled_.erase(scheduled_.begin());
    set_input(c.pin, c.level);
  }
  tpm_advance(t);
  rtc_advance(t);
  const uint64_t timeout = cop_timeout();
  if (timeout && t >= cop_start_ && t - cop_start_ >= timeout && !reset_request_) reset_request_ = kResetCop;
  updated_ = t;
  uint64_t next = std::min(tpm_next(), rtc_next());
  if (timeout) next = std::min(next, cop_start_ + timeout);
  if (!scheduled_.empty()) next = std::min(next, scheduled_.front().cycle);
  next_event = next;
}

uint16_t Peripherals::pending_vector() const {
  if (!layout_.block) return 0;
  const bool kbi = std::any_of(kbi_.begin(), kbi_.end(), [](const Kbi& k) { return (k.sc & kKbf) && (k.sc & kKbie); });
  const bool pending[] = {
      (irqsc_ & kIrqF) && (irqsc_ & kIrqIe),
      (tpm_csc_[0] & kFlag) && (tpm_csc_[0] & kChannelIe),
      (tpm_csc_[1] & kFlag) && (tpm_csc_[1] & kChannelIe),
      (tpm_csc_[2] & kFlag) && (tpm_csc_[2] & kChannelIe),
      (tpm_sc_ & kFlag) && (tpm_sc_ & kTpmToie),
      layout_.sci && (sci_c2_ & kSciRie) && receive_ready_,
      layout_.sci && (sci_c2_ & (kSciTie | kSciTcie)) != 0,  // the transmitter is always empty
      kbi,
      (rtc_sc_ & kFlag) && (rtc_sc_ & kRtcIe),
  };
  // Sources are listed in falling vector order: the first one pending wins.
  for (size_t i = 0; i < static_cast<size_t>(Source::count); ++i)
    if (pending[i]) return vector_of(static_cast<Source>(i));
  return 0;
}

// ---- TPM1: an up-counter from 0 to MOD (0xFFFF when MOD is 0) on the bus clock / 2^PS.

bool Peripherals::tpm_running() const { return ((tpm_sc_ >> 3) & 3) == 1; }
uint64_t Peripherals::tpm_prescale() const { return uint64_t{1} << (tpm_sc_ & 7); }
uint32_t Peripherals::tpm_period() const { return tpm_mod_ ? uint32_t{tpm_mod_} + 1 : 0x10000; }

uint32_t Peripherals::tpm_count(uint64_t t) const {
  if (!tpm_running() || t < tpm_base_) return tpm_base_count_;
  return static_cast<uint32_t>((tpm_base_count_ + (t - tpm_base_) / tpm_prescale()) % tpm_period());
}

void Peripherals::tpm_rebase(uint64_t t, uint32_t count) {
  tpm_base_ = t;
  tpm_base_count_ = count % tpm_period();
}

void Peripherals::tpm_advance(uint64_t t) {
  if (!tpm_running() || t <= tpm_base_) return;
  const uint64_t p = tpm_prescale(), n = (t - tpm_base_) / p;
  if (n == 0) return;
  const uint32_t period = tpm_period(), c = tpm_base_count_;
  // Ticks from the base until the counter shows `value` next.
  auto distance = [&](uint32_t value) -> uint64_t { return value == c ? period : (value + period - c) % period; };
  if (distance(0) <= n) tpm_sc_ |= kFlag;
  for (size_t ch = 0; ch < tpm_csc_.size(); ++ch)
    if ((tpm_csc_[ch] & kChannelCompare) && tpm_cv_[ch] < period && distance(tpm_cv_[ch]) <= n) tpm_csc_[ch] |= kFlag;
  tpm_base_count_ = static_cast<uint32_t>((c + n) % period);
  tpm_base_ += n * p;
}

uint64_t Peripherals::tpm_next() const {
  if (!tpm_running()) return kNever;
  const uint32_t period = tpm_period(), c = tpm_base_count_;
  auto distance = [&](uint32_t value) -> uint64_t { return value == c ? period : (value + period - c) % period; };
  uint64_t d = distance(0);
  for (size_t ch = 0; ch < tpm_csc_.size(); ++ch)
    if ((tpm_csc_[ch] & kChannelCompare) && tpm_cv_[ch] < period) d = std::min(d, distance(tpm_cv_[ch]));
  return tpm_base_ + d * tpm_prescale();
}

// ---- RTC: RTCCNT counts prescaled ticks of the 1 kHz oscillator from 0 to RTCMOD.

uint32_t Peripherals::rtc_prescale() const {
  if (((rtc_sc_ >> 5) & 3) != 0) return 0;  // only the 1 kHz source is modelled
  return kRtcLpoPrescale[rtc_sc_ & 0x0F];
}

void Peripherals::rtc_rebase(uint64_t t) { rtc_base_ = rtc_last_ = t; }

uint64_t Peripherals::rtc_ticks(uint64_t t) const {
  const uint32_t ps = rtc_prescale();
  if (!ps || t <= rtc_base_) return 0;
  return static_cast<uint64_t>(static_cast<unsigned __int128>(t - rtc_base_) * 1000 /
                               (static_cast<unsigned __int128>(ps) * layout_.bus_hz));
}

uint64_t Peripherals::rtc_tick_cycle(uint64_t tick) const {
  return rtc_base_ + ceil_div(static_cast<unsigned __int128>(tick) * rtc_prescale() * layout_.bus_hz, 1000);
}

void Peripherals::rtc_advance(uint64_t t) {
  if (!rtc_prescale() || t <= rtc_last_) return;
  const uint64_t m = uint64_t{rtc_mod_} + 1;
  if (rtc_ticks(t) / m > rtc_ticks(rtc_last_) / m) rtc_sc_ |= kFlag;
  rtc_last_ = t;
}

uint64_t Peripherals::rtc_next() const {
  if (!rtc_prescale()) return kNever;
  const uint64_t m = uint64_t{rtc_mod_} + 1;
  return rtc_tick_cycle((rtc_ticks(rtc_last_) / m + 1) * m);
}

// ---- COP: COPT (SOPT1 bits 7-6) picks the timeout, COPCLKS (SOPT2 bit 7) the clock.

uint64_t Peripherals::cop_timeout() const {
  if (!layout_.cop) return 0;
  const unsigned copt = sopt1_ >> 6;
  if (copt == 0) return 0;
  if (sopt2_ & 0x80) return uint64_t{1} << (copt == 1 ? 13 : copt == 2 ? 16 : 18);  // bus cycles
  const uint64_t ms = copt == 1 ? 32 : copt == 2 ? 256 : 1024;                     // 1 kHz periods
  return ms * layout_.bus_hz / 1000;
}

// ---- Registers.

bool Peripherals::owns(uint16_t address) const {
  if (layout_.cop && address >= kSrs && address <= kSopt2) return true;
  if (!layout_.block || address < layout_.base || address >= layout_.base + 0x80) return false;
  const uint16_t a = local(address);
  return a <= kIrqSc || (a == kSci1C2 && layout_.sci) || (a >= kKbi2Sc && a <= kKbi2Sc + 2) || (a >= kTpm1Sc && a <= kTpm1Last) ||
         (a >= kRtcSc && a <= kRtcMod);
}

uint8_t Peripherals::peek(uint16_t a) const { return peek_local(local(a)); }

uint8_t Peripherals::peek_local(uint16_t a) const {
  if (a < 2 * kPorts) {
    const int port = a / 2;
    if (a & 1) return direction_[port];
    uint8_t v = 0;
    for (int bit = 0; bit < 8; ++bit)
      if (pin_level(port, bit)) v |= static_cast<uint8_t>(1u << bit);
    return v;
  }
  if (a >= kKbi1Sc && a <= kKbi1Sc + 2) {
    const Kbi& k = kbi_[0];
    return a == kKbi1Sc ? static_cast<uint8_t>(k.sc & ~kKback) : a == kKbi1Sc + 1 ? k.pe : k.es;
  }
  if (a >= kKbi2Sc && a <= kKbi2Sc + 2) {
    const Kbi& k = kbi_[1];
    return a == kKbi2Sc ? static_cast<uint8_t>(k.sc & ~kKback) : a == kKbi2Sc + 1 ? k.pe : k.es;
  }
  if (a == kIrqSc) return static_cast<uint8_t>(irqsc_ & ~kIrqAck);
  if (a == kSci1C2) return sci_c2_;
  if (a == kTpm1Sc) return tpm_sc_;
  if (a == kTpm1CntH) return static_cast<uint8_t>(tpm_count(now) >> 8);
  if (a == kTpm1CntL) return tpm_latched_ ? tpm_cnt_latch_ : static_cast<uint8_t>(tpm_count(now));
  if (a == kTpm1ModH) return static_cast<uint8_t>(tpm_mod_ >> 8);
  if (a == kTpm1ModL) return static_cast<uint8_t>(tpm_mod_);
  if (a >= kTpm1C0Sc && a <= kTpm1Last) {
    const int ch = (a - kTpm1C0Sc) / 3, reg = (a - kTpm1C0Sc) % 3;
    return reg == 0 ? tpm_csc_[ch] : reg == 1 ? static_cast<uint8_t>(tpm_cv_[ch] >> 8) : static_cast<uint8_t>(tpm_cv_[ch]);
  }
  if (a == kRtcSc) return rtc_sc_;
  if (a == kRtcCnt) return static_cast<uint8_t>(rtc_ticks(std::max(now, rtc_last_)) % (uint64_t{rtc_mod_} + 1));
  if (a == kRtcMod) return rtc_mod_;
  if (a == kSrs) return srs_;
  if (a == kSopt1) return sopt1_;
  if (a == kSopt2) return sopt2_;
  return 0;
}

uint8_t Peripherals::read(uint16_t address) {
  update(now);
  const uint16_t a = local(address);
  const uint8_t v = peek_local(a);
  if (a == kTpm1Sc && (v & kFlag)) tpm_flags_read_ |= 0x80;
  if (a >= kTpm1C0Sc && a <= kTpm1Last && (a - kTpm1C0Sc) % 3 == 0 && (v & kFlag))
    tpm_flags_read_ |= static_cast<uint8_t>(1u << ((a - kTpm1C0Sc) / 3));
  if (a == kTpm1CntH) {
    tpm_cnt_latch_ = static_cast<uint8_t>(tpm_count(now));
    tpm_latched_ = true;
  } else if (a == kTpm1CntL) {
    tpm_latched_ = false;
  }
  return v;
}

void Peripherals::write(uint16_t address, uint8_t v) {
  const uint16_t a = local(address);
  update(now);
  next_event = 0;  // enables or flags may have changed
  if (a < 2 * kPorts) {
    if (a & 1) direction_[a / 2] = v;
    else data_[a / 2] = v;
    return;
  }
  for (size_t i = 0; i < kbi_.size(); ++i) {
    const uint16_t base = i == 0 ? kKbi1Sc : kKbi2Sc;
    if (a < base || a > base + 2) continue;
    Kbi& k = kbi_[i];
    if (a == base + 1) k.pe = v;
    else if (a == base + 2) k.es = v;
    else {
      k.sc = static_cast<uint8_t>((k.sc & kKbf) | (v & (kKbie | kKbimod)));
      if (v & kKback) {
        k.sc = static_cast<uint8_t>(k.sc & ~kKbf);
        // In level mode the flag stays while an enabled pin is at its active level.
        if (k.sc & kKbimod) {
          const int port = kKbiPort[i];
          const uint8_t in = static_cast<uint8_t>((outside_[port] & driven_[port]) | ~driven_[port]);
          if (k.pe & ~(in ^ static_cast<uint8_t>(~k.es))) k.sc |= kKbf;
        }
      }
    }
    return;
  }
  if (a == kIrqSc) {
    irqsc_ = static_cast<uint8_t>((irqsc_ & kIrqF) | (v & 0x73));
    if (v & kIrqAck) {
      irqsc_ = static_cast<uint8_t>(irqsc_ & ~kIrqF);
      if ((irqsc_ & kIrqMod) && irq_asserted()) irqsc_ |= kIrqF;
    }
    return;
  }
  if (a == kSci1C2) {
    sci_c2_ = v;
    return;
  }
  if (a == kTpm1Sc) {
    const uint32_t c = tpm_count(now);
    // TOF is cleared by writing 0 to it after reading it set; a 1 leaves it as it is.
    uint8_t flag = tpm_sc_ & kFlag;
    if ((tpm_flags_read_ & 0x80) && !(v & kFlag)) flag = 0;
    tpm_flags_read_ &= 0x7F;
    tpm_sc_ = static_cast<uint8_t>(flag | (v & 0x7F));
    tpm_rebase(now, c);
    return;
  }
  if (a == kTpm1CntH || a == kTpm1CntL) {
    tpm_rebase(now, 0);  // any write clears the counter
    tpm_latched_ = false;
    return;
  }
  if (a == kTpm1ModH) {
    tpm_mod_high_ = v;
    return;
  }
  if (a == kTpm1ModL) {
    const uint32_t c = tpm_count(now);
    tpm_mod_ = static_cast<uint16_t>((tpm_mod_high_ << 8) | v);
    tpm_rebase(now, c);
    return;
  }
  if (a >= kTpm1C0Sc && a <= kTpm1Last) {
    const int ch = (a - kTpm1C0Sc) / 3, reg = (a - kTpm1C0Sc) % 3;
    if (reg == 0) {
      const uint8_t bit = static_cast<uint8_t>(1u << ch);
      uint8_t flag = tpm_csc_[ch] & kFlag;
      if ((tpm_flags_read_ & bit) && !(v & kFlag)) flag = 0;
      tpm_flags_read_ &= static_cast<uint8_t>(~bit);
      tpm_csc_[ch] = static_cast<uint8_t>(flag | (v & 0x7C));
    } else if (reg == 1) {
      tpm_cv_high_[ch] = v;
    } else {
      tpm_cv_[ch] = static_cast<uint16_t>((tpm_cv_high_[ch] << 8) | v);
    }
    return;
  }
  if (a == kRtcSc) {
    const uint8_t flag = (v & kFlag) ? 0 : (rtc_sc_ & kFlag);  // RTIF: write 1 to clear
    const bool clock_change = (v & 0x6F) != (rtc_sc_ & 0x6F);
    rtc_sc_ = static_cast<uint8_t>(flag | (v & 0x7F));
    if (clock_change) rtc_rebase(now);
    return;
  }
  if (a == kRtcMod) {
    rtc_mod_ = v;
    rtc_rebase(now);  // writing the modulo restarts the counter
    return;
  }
  if (a == kSrs) {
    cop_service(now);  // any write services the watchdog
    return;
  }
  if (a == kSopt1 && !sopt1_written_) {
    sopt1_ = v;
    sopt1_written_ = true;
    cop_service(now);
  } else if (a == kSopt2 && !sopt2_written_) {
    sopt2_ = v;
    sopt2_written_ = true;
    cop_service(now);
  }
}

// ---- Pins.

Peripherals::PinRef Peripherals::parse_pin(std::string_view pin) {
  std::string p(pin);
  for (char& c : p) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  if (p == "IRQ") return {kIrqPin, 0};
  if (p.size() == 4 && p[0] == 'P' && p[1] == 'T' && p[2] >= 'A' && p[2] < 'A' + kPorts && p[3] >= '0' && p[3] <= '7')
    return {p[2] - 'A', p[3] - '0'};
  return {};
}

bool Peripherals::pin_level(int port, int bit) const {
  const uint8_t m = static_cast<uint8_t>(1u << bit);
  if (direction_[port] & m) return data_[port] & m;
  return !(driven_[port] & m) || (outside_[port] & m);
}

bool Peripherals::irq_asserted() const { return irq_outside_ == ((irqsc_ & kIrqEdge) != 0); }

int Peripherals::level(std::string_view pin) const {
  const PinRef p = parse_pin(pin);
  if (p.port == kIrqPin) return irq_outside_ ? 1 : 0;
  if (p.port < 0 || !layout_.block) return -1;
  return pin_level(p.port, p.bit) ? 1 : 0;
}

int Peripherals::drive(std::string_view pin, int lvl) {
  const PinRef p = parse_pin(pin);
  if (p.port < 0 || !layout_.block || lvl < -1 || lvl > 1) return -1;
  set_input(p, lvl);
  next_event = 0;
  return level(pin);
}

bool Peripherals::schedule(uint64_t cycle, std::string_view pin, int lvl) {
  const PinRef p = parse_pin(pin);
  if (p.port < 0 || !layout_.block || lvl < -1 || lvl > 1) return false;
  const PinChange c{cycle, p, lvl};
  scheduled_.insert(std::upper_bound(scheduled_.begin(), scheduled_.end(), c,
                                     [](const PinChange& x, const PinChange& y) { return x.cycle < y.cycle; }),
                    c);
  next_event = 0;
  return true;
}

void Peripherals::set_input(PinRef p, int lvl) {
  if (p.port == kIrqPin) {
    const bool before = irq_outside_, after = lvl != 0;  // undriven: pulled up
    irq_outside_ = after;
    if ((irqsc_ & kIrqPe) && before != after && irq_asserted()) irqsc_ |= kIrqF;
    return;
  }
  const uint8_t m = static_cast<uint8_t>(1u << p.bit);
  const uint8_t before = static_cast<uint8_t>((outside_[p.port] & driven_[p.port]) | ~driven_[p.port]);
  if (lvl < 0) {
    driven_[p.port] &= static_cast<uint8_t>(~m);
  } else {
    driven_[p.port] |= m;
    outside_[p.port] = static_cast<uint8_t>(lvl ? (outside_[p.port] | m) : (outside_[p.port] & ~m));
  }
  const uint8_t after = static_cast<uint8_t>((outside_[p.port] & driven_[p.port]) | ~driven_[p.port]);
  input_changed(p.port, before, after);
}

void Peripherals::input_changed(int port, uint8_t before, uint8_t after) {
  for (size_t i = 0; i < kbi_.size(); ++i)
    if (kKbiPort[i] == port) keyboard_edges(static_cast<int>(i), before, after);
}

void Peripherals::keyboard_edges(int i, uint8_t before, uint8_t after) {
  Kbi& k = kbi_[i];
  // Edge select 0: falling edge (low level), 1: rising edge (high level).
  const uint8_t rising = static_cast<uint8_t>(~before & after), falling = static_cast<uint8_t>(before & ~after);
  const uint8_t edges = static_cast<uint8_t>((rising & k.es) | (falling & ~k.es));
  if (k.pe & edges) k.sc |= kKbf;
}

void Peripherals::set_receive_ready(bool ready) {
  if (ready == receive_ready_) return;
  receive_ready_ = ready;
  next_event = 0;
}

}  // namespace yav::sim
