// Reading a value from where it lives and writing one back: target memory, processor
// registers, register-held symbols, debugger variables; bit-fields and _Bool inside their
// containing byte or word.
#pragma once
#include <cstdint>

#include "model/eval_env.h"
#include "model/eval_value.h"
#include "model/value_reload.h"

namespace yav {

// Whether reading the value needs the target (memory or registers).
bool needsTarget(const ValueRecord& v);

// Sets the value of `v` from its address, type and location class. Struct, union, array and
// function values and functions take their address; computed values, labels, debugger
// variables and timing cells keep theirs; a bit-field or _Bool is taken from its place in its
// unit. Returns false (value 0) when it cannot be read.
bool reloadValue(EvalEnv& env, ValueRecord& v);

// Stores `value` (already converted to the type of `target`) where `target` lives. Returns
// false when the memory or the register refused the write.
bool storeValue(EvalEnv& env, const EvalValue& target, const ValueRecord& value);

}  // namespace yav
