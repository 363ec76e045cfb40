#include "model/eval_value.h"

namespace yav {

int derivationCount(uint32_t type) {
  int n = 0;
  for (uint32_t t = type; outermost(t) != Derivation::None && n < kMaxDerivations; t = removeOutermost(t)) ++n;
  return n;
}

bool outermostTakesAuxWord(uint32_t type) { return takesAuxWord(outermost(type)); }

void removeOutermostLevel(ValueRecord& v) {
  if (outermostTakesAuxWord(v.type) && !v.aux.empty()) {
    // Keep the aggregate's descriptor reachable when its own word is the only one left.
    const AggregateDescriptor* d = v.aux.front().descriptor;
    v.aux.erase(v.aux.begin());
    if (v.aux.empty() && d) v.aux.push_back({0, d});
    v.auxOwned = true;
  }
  v.type = removeOutermost(v.type);
  if (outermost(v.type) == Derivation::Pointer && !v.aux.empty()) {
    v.pointerAttributes = static_cast<uint16_t>(v.aux.front().word);
  }
}

void addPointerLevel(ValueRecord& v, uint16_t attributes) {
  const AggregateDescriptor* d = aggregateOf(v.aux);
  v.aux.insert(v.aux.begin(), AuxWord{attributes, d});
  v.auxOwned = true;
  v.type = addPointer(v.type);
  v.pointerAttributes = attributes;
}

void decayArray(ValueRecord& v) {
  if (outermost(v.type) != Derivation::Array) return;
  v.setInt(v.address);
  const uint16_t attrs = pointerAttributesReaching(v.address);
  if (!v.aux.empty()) {
    v.aux.front().word = attrs;
  } else {
    v.aux.push_back({attrs, nullptr});
  }
  v.auxOwned = true;
  v.type = replaceOutermost(v.type, Derivation::Pointer);
  v.pointerAttributes = attrs;
  v.locationClass = sc::Computed;
}

uint32_t elementSize(const ValueRecord& v) {
  ValueRecord e;
  e.type = v.type;
  e.aux = v.aux;
  e.pointerAttributes = v.pointerAttributes;
  removeOutermostLevel(e);
  return valueTypeSize(e);
}

uint32_t valueTypeSize(const ValueRecord& v) { return typeSize(v.type, v.aux, v.pointerAttributes); }

bool isPointerOrArray(uint32_t type) {
  const Derivation d = outermost(type);
  return d == Derivation::Pointer || d == Derivation::Array;
}

bool isIntegerValue(uint32_t type) {
  return isPlain(type) && (isIntegerCode(baseCode(type)) || isEnumCode(baseCode(type)));
}

bool isArithmeticValue(uint32_t type) {
  return isPlain(type) && (isArithmeticCode(baseCode(type)) || isEnumCode(baseCode(type)));
}

bool isFloatingValue(uint32_t type) { return isPlain(type) && isFloatCode(baseCode(type)); }

bool isIntegerCodeValue(uint32_t type) { return isPlain(type) && isIntegerCode(baseCode(type)); }

bool isArithmeticCodeValue(uint32_t type) { return isPlain(type) && isArithmeticCode(baseCode(type)); }

}  // namespace yav
