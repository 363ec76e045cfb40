// What the value printers need from their surroundings: where text goes, target memory,
// function names, the aggregate window and the display settings.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/target_memory.h"
#include "model/value.h"
#include "model/value_reload.h"

namespace yav {

class PrintEnv {
 public:
  virtual ~PrintEnv() = default;

  // Printed text.
  virtual void put(std::string_view text) = 0;
  // Target memory, or null while no target is connected.
  virtual TargetMemory* memory() { return nullptr; }
  // Name of the function whose entry address is `address`.
  virtual std::optional<std::string> functionNameAt(uint32_t /*address*/) { return std::nullopt; }
  // Hands a struct, union or array value to the aggregate evaluation window.
  virtual void showAggregate(const ValueRecord& /*v*/, char /*letter*/) {}
  // Aggregates print as text instead of going to a window.
  virtual bool textualMode() const { return false; }
  // Default integer radix setting: 1 octal, 2 hexadecimal, 4 binary, else decimal.
  virtual int defaultRadix() const { return 0; }
  // Reads the value of a repeat element or member again; false when it cannot be read.
  virtual bool reload(ValueRecord& v) { return reloadFromMemory(memory(), v); }
};

}  // namespace yav
