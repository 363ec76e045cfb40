// The narrow path through which a load writes code bytes into the target: begin, blocks, end.
// The target layer implements it; with none installed the load reads symbols only.
#pragma once
#include <cstddef>
#include <cstdint>

namespace yav {

class CodeDownloader {
 public:
  virtual ~CodeDownloader() = default;
  // Before the first block (clears the break counters, prepares the chip's loader).
  virtual bool begin() = 0;
  // One block of at most 512 bytes at `address`; `second` is the address in the file's own
  // numbering (or 0xFFFFFFFF for raw images). False when the target refused it.
  virtual bool block(const uint8_t* data, uint32_t address, size_t length, uint32_t second, uint8_t flags) = 0;
  virtual void end() = 0;
};

}  // namespace yav
