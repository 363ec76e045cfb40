// Reading a value record's value again from target memory (repeat elements, struct members),
// and the location classes that decide where a value comes from.
#pragma once
#include <cstdint>

#include "model/target_memory.h"
#include "model/value.h"

namespace yav {

// Values that are not read from anywhere: computed values, debugger variables, label values and
// timing cells keep the value they carry.
bool keepsOwnValue(uint8_t locationClass);

// Symbols held in a register (their address is the register number): machine registers, the
// register storage classes and a first argument still in its register.
bool isRegisterHeldLocation(uint8_t locationClass);

// Values that are their address: struct, union, array and function values, functions, and enum
// members (whose address is the member value).
bool takesAddressAsValue(const ValueRecord& v);

// Sets the value of `v` from where it lives: aggregates, arrays and functions take their
// address; values in target memory are read big-endian with the type's size, signed types
// sign-extended, unsigned ones and pointers zero-extended, floats widened to double, bit-fields
// and _Bool taken from their place in the unit read. Computed
// values, debugger variables and labels keep their value. Returns false (value 0) when the
// value cannot be read here: no memory, a failed read, or a register-held value.
bool reloadFromMemory(TargetMemory* memory, ValueRecord& v);

}  // namespace yav
