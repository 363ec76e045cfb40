// Target memory for tests: byte ranges that can be read, everything else refuses.
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string_view>
#include <vector>

#include "model/target_memory.h"

namespace yav::test {

class FakeTargetMemory : public TargetMemory {
 public:
  // Makes bytes readable from `address` on (address space 0 unless given).
  void put(uint32_t address, std::span<const uint8_t> bytes, uint8_t space = 0) {
    for (size_t i = 0; i < bytes.size(); ++i) mem_[{space, address + static_cast<uint32_t>(i)}] = bytes[i];
  }
  void put(uint32_t address, std::initializer_list<uint8_t> bytes, uint8_t space = 0) {
    put(address, std::span<const uint8_t>(bytes.begin(), bytes.size()), space);
  }
  // A zero-terminated text (the terminator included unless `terminate` is false).
  void putText(uint32_t address, std::string_view text, bool terminate = true, uint8_t space = 0) {
    std::vector<uint8_t> b(text.begin(), text.end());
    if (terminate) b.push_back(0);
    put(address, b, space);
  }
  void putWord(uint32_t address, uint16_t v) { put(address, {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}); }
  void putLong(uint32_t address, uint32_t v) {
    put(address, {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                  static_cast<uint8_t>(v)});
  }

  bool read(uint8_t space, uint32_t address, std::span<uint8_t> out) override {
    ++reads;
    for (size_t i = 0; i < out.size(); ++i) {
      auto it = mem_.find({space, address + static_cast<uint32_t>(i)});
      if (it == mem_.end()) return false;
      out[i] = it->second;
    }
    return true;
  }

  int reads = 0;

 private:
  std::map<std::pair<uint8_t, uint32_t>, uint8_t> mem_;
};

}  // namespace yav::test
