// Converting values between the integer, floating and pointer types of the evaluator.
#pragma once
#include <cstdint>

#include "model/eval_value.h"

namespace yav {

// Integer value of a double as a 32-bit pattern: truncated toward zero, NaN gives 0; values up
// to 0xFFFFFFFF keep their unsigned bits, others saturate to the signed range.
int32_t doubleToInt32(double d);

// The value as an integer (floating values truncated) or as a double.
int32_t integerOf(const ValueRecord& v);
double doubleOf(const ValueRecord& v);

// The integer value as a number: zero-extended for the unsigned types, sign-extended for the
// others.
int64_t numberOf(const ValueRecord& v);

// A number cut to the width of a base type and extended by its signedness, as a 32-bit pattern.
int32_t wrapToCode(int64_t value, uint8_t code);

// Sign- or zero-extends a 32-bit value from the width of a base type of `size` bytes.
int32_t extendToWidth(uint32_t raw, uint32_t size, bool isSigned);

// Replaces the value of `v` by `from`'s value converted to `v`'s type: integers become doubles
// for floating types and the other way round; integer values are cut to the type's width (a
// bit-field to its width), as they would read back from where they are stored.
void convertValueTo(ValueRecord& v, const ValueRecord& from, BitPlace bits = {});

}  // namespace yav
