// Typed reads of target memory, the one way the program model reaches the target's bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace yav {

class TargetMemory {
 public:
  virtual ~TargetMemory() = default;

  // Fills `out` with the bytes from `address` on in address space `space`. Returns false when
  // any of them cannot be read; `out` is then unspecified.
  virtual bool read(uint8_t space, uint32_t address, std::span<uint8_t> out) = 0;
  // Like `read`, but always asks the target itself, past any copy of its memory kept on this
  // side: a read-back that checks a write must see what the target holds, not what was sent.
  virtual bool readTarget(uint8_t space, uint32_t address, std::span<uint8_t> out) { return read(space, address, out); }

  // Writes `bytes` from `address` on, lowest address first. Returns false when the target
  // refuses any of them (a read-only memory has no writes).
  virtual bool write(uint8_t /*space*/, uint32_t /*address*/, std::span<const uint8_t> /*bytes*/) { return false; }
  // Writes a number of `count` bytes big-endian (most significant byte at `address`).
  bool writeBigEndian(uint8_t space, uint32_t address, size_t count, uint64_t v) {
    uint8_t b[8];
    if (count > sizeof b) return false;
    for (size_t i = 0; i < count; ++i) b[i] = static_cast<uint8_t>(v >> (8 * (count - 1 - i)));
    return write(space, address, std::span<const uint8_t>(b, count));
  }

  // Words and longs are big-endian: the byte at the lower address is the most significant.
  bool readByte(uint8_t space, uint32_t address, uint8_t& v) { return read(space, address, std::span<uint8_t>(&v, 1)); }
  bool readWord(uint8_t space, uint32_t address, uint16_t& v) {
    uint8_t b[2];
    if (!read(space, address, b)) return false;
    v = static_cast<uint16_t>(b[0] << 8 | b[1]);
    return true;
  }
  bool readLong(uint8_t space, uint32_t address, uint32_t& v) {
    uint8_t b[4];
    if (!read(space, address, b)) return false;
    v = static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
    return true;
  }
  // Reads up to eight bytes as one big-endian number.
  bool readBigEndian(uint8_t space, uint32_t address, size_t count, uint64_t& v) {
    uint8_t b[8];
    if (count > sizeof b || !read(space, address, std::span<uint8_t>(b, count))) return false;
    v = 0;
    for (size_t i = 0; i < count; ++i) v = v << 8 | b[i];
    return true;
  }
};

}  // namespace yav
