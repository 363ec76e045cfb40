// Reading a value record's value again from target memory (repeat elements, struct members).
#pragma once
#include "model/target_memory.h"
#include "model/value.h"

namespace yav {

// Sets the value of `v` from where it lives: aggregates, arrays and functions take their
// address; values in target memory are read big-endian with the type's size, signed types
// sign-extended, unsigned ones and pointers zero-extended, floats widened to double. Computed
// values, debugger variables and labels keep their value. Returns false (value 0) when the
// value cannot be read here: no memory, a failed read, or a register-held value.
bool reloadFromMemory(TargetMemory* memory, ValueRecord& v);

}  // namespace yav
