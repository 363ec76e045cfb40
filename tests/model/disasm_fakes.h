// Small stand-ins for target memory, the label list and name lookup in disassembler tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/disasm.h"

namespace yav::test {

class FakeCode : public CodeReader {
 public:
  FakeCode() = default;
  FakeCode(uint32_t at, std::initializer_list<uint8_t> bytes) { put(at, bytes); }
  void put(uint32_t at, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) mem_[at++] = b;
  }
  uint8_t read_byte(uint32_t address) const override {
    auto it = mem_.find(address);
    return it == mem_.end() ? 0x9D : it->second;  // unset memory reads as nop
  }

 private:
  std::map<uint32_t, uint8_t> mem_;
};

class FakeLabels : public LabelList {
 public:
  FakeLabels() = default;
  FakeLabels(std::initializer_list<std::pair<const uint32_t, std::string>> l) : labels_(l) {}
  bool label_at_or_below(uint32_t value, std::string& name, uint32_t& address) const override {
    auto it = labels_.upper_bound(value);
    if (it == labels_.begin()) return false;
    --it;
    address = it->first;
    name = it->second;
    return true;
  }

 private:
  std::map<uint32_t, std::string> labels_;
};

class FakeNames : public ValueNames {
 public:
  FakeNames(std::initializer_list<std::pair<const std::string, uint32_t>> l) : names_(l) {}
  bool value_of(std::string_view name, uint32_t& value) const override {
    auto it = names_.find(std::string(name));
    if (it == names_.end()) return false;
    value = it->second;
    return true;
  }

 private:
  std::map<std::string, uint32_t> names_;
};

}  // namespace yav::test
