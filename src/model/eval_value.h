// The evaluator's working value: a value record plus what only the evaluation needs, and the
// type steps it takes (removing a derivation, decaying an array, element sizes).
#pragma once
#include <cstdint>
#include <string>

#include "model/value.h"

namespace yav {

struct EvalValue {
  ValueRecord rec;
  bool known = true;        // false when the value could not be read (parsing only)
  std::string variableName;  // stored name of a debugger variable (class 26)
};

// Number of derivations in a type word.
int derivationCount(uint32_t type);

// Auxiliary words taken by the outermost derivation: one for a pointer or array level.
bool outermostTakesAuxWord(uint32_t type);

// Removes the outermost derivation together with its auxiliary word; the pointer attributes
// become those of the next level when it is a pointer.
void removeOutermostLevel(ValueRecord& v);

// Adds a pointer level in front: its attribute word goes first in the auxiliary list.
void addPointerLevel(ValueRecord& v, uint16_t attributes);

// An array used as a value becomes a pointer to its first element (value = its address).
void decayArray(ValueRecord& v);

// Size of the object the outermost pointer or array level leads to.
uint32_t elementSize(const ValueRecord& v);

// The record's type size (pointer size from its attributes, aggregates from their descriptor).
uint32_t valueTypeSize(const ValueRecord& v);

bool isPointerOrArray(uint32_t type);
// Integer for the operator rules: integer codes and enums, no derivation.
bool isIntegerValue(uint32_t type);
// Arithmetic for the operator rules: integer, enum or floating, no derivation.
bool isArithmeticValue(uint32_t type);
bool isFloatingValue(uint32_t type);
// The integer codes themselves (below 0x22) and the arithmetic codes (below 0x2b), without
// derivation and without enums: the operands of `!` `~` and of subscripts, and of `-` `+`.
bool isIntegerCodeValue(uint32_t type);
bool isArithmeticCodeValue(uint32_t type);

}  // namespace yav
