#include "sim/debug/board.h"

#include <algorithm>
#include <cstring>

#include "model/hc08_opcodes.h"

namespace yav::sim {

namespace {

bool isDataKind(uint8_t k) { return k == 'R' || k == 'W' || k == 'A'; }

constexpr uint32_t kDirect = 0x80000000u;
constexpr int kChunk = 4096;  // instructions run per hold of the lock (some 20 us)
constexpr uint8_t kFlatPage = 2;

}  // namespace

Board::Board() { rebuild(chipName_); }

Board::~Board() { stopThread(); }

std::unique_lock<std::mutex> Board::enter() const {
  waiting_.fetch_add(1);
  std::unique_lock<std::mutex> g(lock_);
  waiting_.fetch_sub(1);
  return g;
}

void Board::rebuild(const std::string& chip) {
  std::unique_ptr<MemoryMap> map = make_chip(chip);
  if (!map) return;
  cpu_.reset();
  memory_ = std::make_unique<DebugMemory>(std::move(map), consolePortOf(chip));
  cpu_ = std::make_unique<Cpu>(*memory_);
  cpu_->calls = recordingCalls_ ? &calls_ : nullptr;
  calls_.clear();
  cpu_->reset();
  chipName_ = chip;
  codeBreaks_.clear();
  trace_ = Trace{};
}

FaultConfig Board::faults() const {
  auto g = enter();
  return faults_;
}

bool Board::openPort() {
  stopThread();
  auto g = enter();
  faults_ = FaultConfig::fromEnvironment();
  operations_ = 0;
  linkLost_ = faults_.linkLostAfter == 0;
  linkRestored_ = false;
  bgndLow_ = false;
  rebuild(chipName_);
  control_ = kBdcEnable;
  breakpoint_ = 0;
  return !faults_.noCable;
}

void Board::closePort() { stopThread(); }

bool Board::countOperation() {
  if (faults_.linkLostAfter > 0 && !linkRestored_ && ++operations_ > faults_.linkLostAfter) linkLost_ = true;
  return !linkLost_;
}

bool Board::linkLost() const { return linkLost_; }

void Board::powerCycle(bool bgndLow) {
  if (bgndLow) {
    bgndLow_ = true;
    return;
  }
  if (!bgndLow_) return;
  bgndLow_ = false;
  stopThread();
  auto g = enter();
  linkLost_ = false;
  linkRestored_ = true;
  cpu_->reset();
  memory_->stopByte = 0;
}

void Board::setSpeed(uint16_t speed) {
  auto g = enter();
  speed_ = speed;
}

uint16_t Board::speed() const {
  auto g = enter();
  return speed_ ? speed_ : 0x1F40;
}

void Board::stopThread() {
  if (!thread_.joinable()) return;
  stopRequest_ = true;
  thread_.join();
  stopRequest_ = false;
}

bool Board::halt() {
  if (linkLost_ || faults_.noBackground) return false;
  stopThread();
  return true;
}

void Board::resume() {
  if (linkLost_) return;
  stopThread();
  running_ = true;
  thread_ = std::thread(&Board::runLoop, this);
}

void Board::runLoop() {
  bool first = true;
  for (;;) {
    {
      std::lock_guard<std::mutex> g(lock_);
      const uint8_t why = runChunk(first);
      first = false;
      if (why != 0) {
        memory_->stopByte = why;
        running_ = false;
        return;
      }
    }
    while (waiting_.load() > 0) std::this_thread::yield();
  }
}

uint8_t Board::runChunk(bool first) {
  int done = 0;
  // The instruction the run starts on is not stopped by a breakpoint on it.
  if (first) {
    if (stopRequest_.load(std::memory_order_relaxed)) return kStopHostHalt;
    if (const uint8_t why = executeOne(false)) return why;
    done = 1;
  }
  if (trace_.armed || memory_->watching()) {
    // Data comparators and the trace look at every instruction.
    for (; done < kChunk; ++done) {
      if (stopRequest_.load(std::memory_order_relaxed)) return kStopHostHalt;
      if (const uint8_t why = executeOne(true)) return why;
    }
    return 0;
  }
  if (stopRequest_.load(std::memory_order_relaxed)) return kStopHostHalt;
  // Otherwise the CPU runs on its own up to each address where a code breakpoint may hit
  // (a paged comparator: its address in the window, whatever the page); there the exact
  // check decides and runs that instruction when it does not hit.
  uint16_t stops[kComparatorSlots + 1];
  size_t count = 0;
  if (control_ & kBdcBreakEnable) stops[count++] = breakpoint_;
  for (const Comparator& c : codeBreaks_)
    stops[count++] = c.lo <= 0xFFFF ? static_cast<uint16_t>(c.lo) : static_cast<uint16_t>(0x8000 | (c.lo & 0x3FFF));
  Cpu& cpu = *cpu_;
  while (done < kChunk) {
    const uint64_t before = cpu.instructions;
    const StopReason r = cpu.run(static_cast<uint64_t>(kChunk - done), std::span<const uint16_t>(stops, count));
    done += static_cast<int>(cpu.instructions - before);
    switch (r) {
      case StopReason::until:
        if (const uint8_t why = executeOne(true)) return why;
        ++done;
        break;
      case StopReason::bgnd: return kStopBgnd;
      case StopReason::stop:
      case StopReason::wait: return kStopStopWait;
      case StopReason::illegal: return kStopIllegal;
      default: return 0;
    }
  }
  return 0;
}

bool Board::codeMatch(uint32_t address, uint16_t pc) const {
  if (address <= 0xFFFF) return address == pc;
  return memory_->has_paging() && pc >= 0x8000 && pc <= 0xBFFF && (address >> 14) == memory_->ppage() &&
         (address & 0x3FFF) == (pc & 0x3FFFu);
}

uint32_t Board::tracedPc() const {
  const uint16_t pc = cpu_->regs.pc;
  if (memory_->has_paging() && pc >= 0x8000 && pc <= 0xBFFF)
    return static_cast<uint32_t>(memory_->ppage()) << 14 | (pc & 0x3FFFu);
  return pc;
}

uint8_t Board::executeOne(bool checkBreaks) {
  Cpu& cpu = *cpu_;
  const uint16_t pc = cpu.regs.pc;
  if (checkBreaks) {
    if ((control_ & kBdcBreakEnable) && pc == breakpoint_) return kStopBdcBreak;
    for (const Comparator& c : codeBreaks_)
      if (codeMatch(c.lo, pc)) return c.hitBit;
  }
  auto push = [this](uint32_t v) {
    trace_.entries[trace_.next] = v;
    trace_.next = (trace_.next + 1) % kTraceEntries;
    trace_.count = std::min(trace_.count + 1, kTraceEntries);
  };
  // A trigger: the till kind ends recording and stops; the from kind starts recording.
  auto trigger = [&]() -> uint8_t {
    if (trace_.till) {
      push(tracedPc());
      trace_.armed = trace_.recording = false;
      return kStopTrace;
    }
    if (!trace_.recording) {
      trace_.recording = true;
      trace_.count = trace_.next = 0;
      push(tracedPc());
    }
    return 0;
  };
  hc08::Decoded decoded;
  if (trace_.armed) {
    for (const Comparator& c : trace_.codeTriggers)
      if (codeMatch(c.lo, pc)) {
        if (uint8_t why = trigger()) return why;
        break;
      }
    decoded = hc08::decode(memory_->peek(pc), memory_->peek(static_cast<uint16_t>(pc + 1)));
  }
  memory_->breakHits = 0;
  memory_->traceHit = false;
  const StopReason r = cpu.step();
  if (trace_.armed) {
    if (trace_.recording && decoded.known() && cpu.regs.pc != static_cast<uint16_t>(pc + decoded.length())) {
      push(tracedPc());
      if (!trace_.till && trace_.count >= kTraceEntries) {
        trace_.armed = trace_.recording = false;
        return kStopTrace;
      }
    }
    if (memory_->traceHit)
      if (uint8_t why = trigger()) return why;
  }
  if (memory_->breakHits) return memory_->breakHits;
  switch (r) {
    case StopReason::bgnd: return kStopBgnd;
    case StopReason::stop:
    case StopReason::wait: return kStopStopWait;
    case StopReason::illegal: return kStopIllegal;
    default: return 0;
  }
}

void Board::singleStep() {
  if (linkLost_) return;
  stopThread();
  auto g = enter();
  memory_->stopByte = executeOne(false);
}

bool Board::frozen() const { return !running_.load(); }

uint8_t Board::status() const {
  if (linkLost_) return 0xFF;
  auto g = enter();
  return static_cast<uint8_t>(control_ | (running_.load() ? 0 : kBdcActive));
}

void Board::writeControl(uint8_t control) {
  auto g = enter();
  control_ = static_cast<uint8_t>((control & (kBdcBreakEnable | kBdcForceTag | kBdcClockSwitch)) | kBdcEnable);
}

void Board::setBreakpoint(uint16_t address) {
  auto g = enter();
  breakpoint_ = address;
}

uint16_t Board::breakpoint() const {
  auto g = enter();
  return breakpoint_;
}

bool Board::selectChip(const std::string& name) {
  if (!make_chip(name)) return false;
  stopThread();
  auto g = enter();
  rebuild(name);
  return true;
}

std::string Board::chipName() const {
  auto g = enter();
  return chipName_;
}

void Board::reset() {
  stopThread();
  auto g = enter();
  cpu_->reset();
  memory_->stopByte = 0;
}

bool Board::readMemory(uint32_t address, uint8_t* buffer, int length) {
  if (buffer == nullptr || length < 0) return false;
  auto g = enter();
  address &= ~kDirect;
  cpu_->peripherals().now = cpu_->cycles;  // counters read as of the CPU's time
  for (int i = 0; i < length; ++i) buffer[i] = memory_->peek(address + static_cast<uint32_t>(i));
  return true;
}

bool Board::writeMemory(uint32_t address, const uint8_t* buffer, int length) {
  if (buffer == nullptr || length < 0) return false;
  auto g = enter();
  address &= ~kDirect;
  cpu_->peripherals().now = cpu_->cycles;
  for (int i = 0; i < length; ++i) memory_->debugWrite(address + static_cast<uint32_t>(i), buffer[i]);
  return true;
}

bool Board::loadMemory(uint32_t address, const uint8_t* buffer, int length) {
  if (buffer == nullptr || length < 0 || faults_.failLoad) return false;
  auto g = enter();
  address &= ~kDirect;
  bool ok = true;
  for (int i = 0; i < length; ++i) ok = memory_->program(address + static_cast<uint32_t>(i), buffer[i]) && ok;
  return ok;
}

void Board::getRegisters(uint8_t* block) {
  auto g = enter();
  const Registers& r = cpu_->regs;
  block[0] = r.a;
  block[1] = static_cast<uint8_t>(r.hx);
  block[2] = static_cast<uint8_t>(r.hx >> 8);
  // A chip without paging shows the page that the 0x8000-0xBFFF window holds on a paged chip out
  // of reset, so the debugger's paged program counter is the CPU's own address there.
  block[3] = memory_->has_paging() ? memory_->ppage() : kFlatPage;
  block[4] = r.cc;
  block[5] = 0;
  std::memcpy(block + 6, &r.sp, 2);
  std::memcpy(block + 8, &r.pc, 2);
}

bool Board::putRegisters(const uint8_t* block) {
  if (faults_.refusePutregs) return false;
  auto g = enter();
  Registers& r = cpu_->regs;
  r.a = block[0];
  r.hx = static_cast<uint16_t>(block[2] << 8 | block[1]);
  if (memory_->has_paging()) memory_->set_ppage(block[3]);
  r.cc = static_cast<uint8_t>(block[4] | 0x60);
  std::memcpy(&r.sp, block + 6, 2);
  std::memcpy(&r.pc, block + 8, 2);
  return true;
}

void Board::setBreaks(int count, const uint8_t* kinds, const uint32_t* addresses) {
  auto g = enter();
  codeBreaks_.clear();
  memory_->breaks.clear();
  memory_->syncPages();
  if (count <= 0 || kinds == nullptr || addresses == nullptr) return;
  count = std::min(count, kComparatorSlots);
  for (int i = 0; i < count; ++i) {
    Comparator c{kinds[i], addresses[i], addresses[i], i == 0 ? kStopComparatorA : kStopComparatorB};
    // A range: the last slot read 'R' with the start, the slot after it holds the kind and the end.
    if (i == count - 1 && kinds[i] == 'R' && count < kComparatorSlots && isDataKind(kinds[count])) {
      c.kind = kinds[count];
      c.hi = addresses[count];
    }
    if (c.kind == 0) codeBreaks_.push_back(c);
    else memory_->breaks.push_back(c);
  }
  memory_->syncPages();
}

void Board::setTrace(int count, int till, const uint8_t* kinds, const uint32_t* addresses) {
  auto g = enter();
  trace_ = Trace{};
  memory_->traceTriggers.clear();
  memory_->syncPages();
  if (count <= 0 || kinds == nullptr || addresses == nullptr) return;
  std::vector<Comparator> triggers;
  if (count >= 2 && kinds[0] == 'R' && isDataKind(kinds[1])) {
    triggers.push_back({kinds[1], addresses[0], addresses[1], kStopTrace});
  } else {
    for (int i = 0; i < std::min(count, 2); ++i) triggers.push_back({kinds[i], addresses[i], addresses[i], kStopTrace});
  }
  for (const Comparator& c : triggers) {
    if (c.kind == 0) trace_.codeTriggers.push_back(c);
    else memory_->traceTriggers.push_back(c);
  }
  memory_->syncPages();
  trace_.armed = true;
  trace_.till = till != 0;
  trace_.recording = trace_.till;
}

uint32_t Board::readTrace(uint32_t* entries, int* dataFlag) {
  auto g = enter();
  if (dataFlag) *dataFlag = 0;
  const int start = (trace_.next - trace_.count + kTraceEntries) % kTraceEntries;
  for (int i = 0; i < trace_.count && entries; ++i) entries[i] = trace_.entries[(start + i) % kTraceEntries];
  const uint32_t mask = (1u << trace_.count) - 1;
  return static_cast<uint32_t>(trace_.count) | (mask << 16);
}

int Board::readConsole(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  auto g = enter();
  std::string& out = memory_->consoleOut;
  const int n = static_cast<int>(std::min(out.size(), static_cast<size_t>(size)));
  std::memcpy(buffer, out.data(), static_cast<size_t>(n));
  out.erase(0, static_cast<size_t>(n));
  return n;
}

void Board::sendConsole(const char* bytes, int length) {
  if (bytes == nullptr || length <= 0) return;
  auto g = enter();
  memory_->receive(bytes, length);
}

int Board::pin(const char* name, int level) {
  if (name == nullptr) return -1;
  auto g = enter();
  Peripherals& pe = cpu_->peripherals();
  return level == kReadPin ? pe.level(name) : pe.drive(name, level);
}

bool Board::time(uint64_t* cycles, double* microseconds) {
  auto g = enter();
  if (cycles) *cycles = cpu_->cycles;
  if (microseconds) *microseconds = cpu_->microseconds();
  return true;
}

int Board::callRecord(int mode, yavsim_call* calls, int max) {
  if (mode != YAVSIM_CALLS_OFF && mode != YAVSIM_CALLS_ON && mode != YAVSIM_CALLS_READ) return -1;
  auto g = enter();
  if (mode != YAVSIM_CALLS_READ) {
    recordingCalls_ = mode == YAVSIM_CALLS_ON;
    calls_.clear();
    cpu_->calls = recordingCalls_ ? &calls_ : nullptr;
  }
  const std::vector<CallFrame>& frames = calls_.frames();
  const int held = static_cast<int>(frames.size());
  for (int i = 0; calls && i < std::min(held, max); ++i) {
    const CallFrame& f = frames[static_cast<size_t>(i)];
    calls[i] = yavsim_call{f.entry, f.return_address, f.sp, static_cast<unsigned char>(f.interrupt ? 1 : 0), 0};
  }
  return held;
}

uint64_t Board::instructions() const {
  auto g = enter();
  return cpu_->instructions;
}

Board& board() {
  static Board instance;
  return instance;
}

}  // namespace yav::sim
