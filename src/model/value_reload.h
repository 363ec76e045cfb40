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

// Size of the stored value: a pointer's from its attributes, else the base type's (0 unknown).
uint32_t storageSize(const ValueRecord& v);

// The typed read of a value in target memory: big-endian with the stored size, converted to
// the value's type (signed types sign-extended, pointers within their address range, floats
// widened to double), a bit-field or _Bool taken from its place in the unit read. False when
// there is no memory or the read fails; `v` is then unchanged.
bool readFromMemory(TargetMemory* memory, ValueRecord& v);

// Sets the value of `v` from where it lives: aggregates, arrays and functions take their
// address; values in target memory go through readFromMemory; computed values, debugger
// variables and labels keep their value. Returns false (value 0) when the value cannot be read
// here: no memory, a failed read, or a register-held value.
bool reloadFromMemory(TargetMemory* memory, ValueRecord& v);

}  // namespace yav
