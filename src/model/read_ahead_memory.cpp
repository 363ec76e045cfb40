#include "model/read_ahead_memory.h"

#include <algorithm>

namespace yav {

bool ReadAheadMemory::fill(uint8_t space, uint32_t address, size_t length) {
  filled_ = false;
  if (!target_) return false;
  block_.assign(std::min(length, kMaxBlock), 0);
  if (!target_->read(space, address, block_)) return false;
  space_ = space;
  start_ = address;
  filled_ = true;
  return true;
}

bool ReadAheadMemory::inside(uint8_t space, uint32_t address, size_t length) const {
  if (!filled_ || space != space_ || address < start_) return false;
  const uint64_t end = static_cast<uint64_t>(address) + length;
  return end <= static_cast<uint64_t>(start_) + block_.size();
}

bool ReadAheadMemory::read(uint8_t space, uint32_t address, std::span<uint8_t> out) {
  if (inside(space, address, out.size())) {
    std::copy_n(block_.begin() + (address - start_), out.size(), out.begin());
    return true;
  }
  return target_ && target_->read(space, address, out);
}

bool ReadAheadMemory::readTarget(uint8_t space, uint32_t address, std::span<uint8_t> out) {
  return target_ && target_->readTarget(space, address, out);
}

bool ReadAheadMemory::write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) {
  if (!target_ || !target_->write(space, address, bytes)) return false;
  // Keep the block's copy of every written byte that lies inside it.
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (inside(space, address + static_cast<uint32_t>(i), 1)) block_[address + i - start_] = bytes[i];
  }
  return true;
}

}  // namespace yav
