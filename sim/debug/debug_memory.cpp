#include "sim/debug/debug_memory.h"

namespace yav::sim {

namespace {
constexpr uint8_t kTransmitEmpty = 0xC0;  // TDRE and TC
constexpr uint8_t kReceiveFull = 0x20;    // RDRF
}  // namespace

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
    return v;
  }
  return chip_->read(address);
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
}

void DebugMemory::debugWrite(uint32_t address, uint8_t value) {
  if (address == kStopByteAddress) return;
  if (address > 0xFFFF) chip_->program(address, value);
  else chip_->write(static_cast<uint16_t>(address), value);
}

uint8_t DebugMemory::peek(uint32_t address) const {
  if (address == kStopByteAddress) return stopByte;
  if (address == console_.status) return consoleIn.empty() ? kTransmitEmpty : (kTransmitEmpty | kReceiveFull);
  if (address == console_.data) return consoleIn.empty() ? 0 : consoleIn.front();
  return chip_->peek(address);
}

}  // namespace yav::sim
