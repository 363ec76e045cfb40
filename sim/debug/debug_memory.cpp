#include "sim/debug/debug_memory.h"

#include <algorithm>

#include "sim/peripherals.h"

namespace yav::sim {

namespace {
constexpr uint8_t kTransmitEmpty = 0xC0;  // TDRE and TC
constexpr uint8_t kReceiveFull = 0x20;    // RDRF
}  // namespace

ConsolePort consolePortOf(std::string_view chip) {
  if (chip == "QG8") return {0x3C, 0x3F};
  return {};
}

void DebugMemory::syncPages() {
  for (int p = 0; p < 256; ++p) {
    read_pages_[p] = chip_->read_page(static_cast<uint8_t>(p));
    write_pages_[p] = chip_->write_page(static_cast<uint8_t>(p));
  }
  auto slow = [this](uint32_t lo, uint32_t hi) {
    if (lo > 0xFFFF || lo > hi) return;
    for (uint32_t p = lo >> 8; p <= (std::min<uint32_t>(hi, 0xFFFF) >> 8); ++p) read_pages_[p] = write_pages_[p] = nullptr;
  };
  slow(kStopByteAddress, kStopByteAddress);
  slow(console_.status, console_.status);
  slow(console_.data, console_.data);
  for (const Comparator& c : breaks) slow(c.lo, c.hi);
  for (const Comparator& c : traceTriggers) slow(c.lo, c.hi);
  chipGeneration_ = chip_->page_generation();
}

void DebugMemory::watch(uint16_t address, bool write) {
  for (const Comparator& c : breaks)
    if (c.matchesData(address, write)) breakHits |= c.hitBit;
  for (const Comparator& c : traceTriggers)
    if (c.matchesData(address, write)) traceHit = true;
}

uint8_t DebugMemory::read(uint16_t address) {
  if (!breaks.empty() || !traceTriggers.empty()) watch(address, false);
  if (address == kStopByteAddress) return stopByte;
  if (address == console_.status) return consoleIn.empty() ? kTransmitEmpty : (kTransmitEmpty | kReceiveFull);
  if (address == console_.data) {
    if (consoleIn.empty()) return 0;
    const uint8_t v = consoleIn.front();
    consoleIn.pop_front();
    receiveReadyChanged();
    return v;
  }
  const uint8_t v = chip_->read(address);
  followChip();
  return v;
}

void DebugMemory::write(uint16_t address, uint8_t value) {
  if (!breaks.empty() || !traceTriggers.empty()) watch(address, true);
  if (address == kStopByteAddress || address == console_.status) return;
  if (address == console_.data) {
    if (consoleOut.size() >= kConsoleLimit) consoleOut.erase(0, consoleOut.size() / 2);
    consoleOut.push_back(static_cast<char>(value));
    return;
  }
  chip_->write(address, value);
  followChip();
}

void DebugMemory::receive(const char* bytes, int length) {
  for (int i = 0; i < length; ++i) consoleIn.push_back(static_cast<uint8_t>(bytes[i]));
  receiveReadyChanged();
}

void DebugMemory::receiveReadyChanged() {
  if (Peripherals* pe = chip_->peripherals()) pe->set_receive_ready(!consoleIn.empty());
}

void DebugMemory::debugWrite(uint32_t address, uint8_t value) {
  if (address == kStopByteAddress) return;
  if (address > 0xFFFF) chip_->program(address, value);
  else chip_->write(static_cast<uint16_t>(address), value);
  followChip();
}

uint8_t DebugMemory::peek(uint32_t address) const {
  if (address == kStopByteAddress) return stopByte;
  if (address == console_.status) return consoleIn.empty() ? kTransmitEmpty : (kTransmitEmpty | kReceiveFull);
  if (address == console_.data) return consoleIn.empty() ? 0 : consoleIn.front();
  return chip_->peek(address);
}

}  // namespace yav::sim
