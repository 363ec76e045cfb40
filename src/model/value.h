// The value record: one evaluated expression or variable, as the evaluator hands it to the
// printers and to assignment.
#pragma once
#include <bit>
#include <cstdint>
#include <string>

#include "model/storage_classes.h"
#include "model/types.h"

namespace yav {

// Where a _Bool or bit-field sits inside its containing byte or word.
struct BitPlace {
  uint8_t number = 0;  // lowest bit
  uint8_t width = 0;   // 0 when unknown
};

struct ValueRecord {
  uint32_t symbolLink = 0;        // identity of the symbol the value came from, 0 when computed
  uint8_t symbolKind = 0;         // the symbol's storage-class code
  uint8_t addressSpace = 0;       // selects the memory access routine and the pointer size
  uint16_t pointerAttributes = 0;  // outermost pointer level; kPointerNextAttrs: more in aux
  uint32_t size = 0;              // size in bytes, set when evaluation ends
  uint32_t type = 0;              // type word
  uint32_t address = 0;           // target address of an lvalue, or the register number
  std::string text;               // expression text or symbol name
  AuxList aux;                    // array lengths, pointer attributes, aggregate descriptor
  uint64_t bits = 0;              // the value: 32-bit integer in the low word, or a double
  uint8_t locationClass = sc::Computed;
  bool auxOwned = false;          // the auxiliary list was built for this record (not a symbol's)
  uint32_t repeat = 0;            // consecutive elements to print, 0 for a single value
  BitPlace place;                 // a _Bool or bit-field inside the unit at `address`

  // The integer value, sign-extended from the type's width when it was stored.
  int32_t intValue() const { return static_cast<int32_t>(static_cast<uint32_t>(bits)); }
  uint32_t uintValue() const { return static_cast<uint32_t>(bits); }
  void setInt(int64_t v) { bits = static_cast<uint32_t>(v); }
  // The value of a float, double or long double.
  double doubleValue() const { return std::bit_cast<double>(bits); }
  void setDouble(double d) { bits = std::bit_cast<uint64_t>(d); }

  uint8_t code() const { return baseCode(type); }
};

}  // namespace yav
