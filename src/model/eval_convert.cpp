#include "model/eval_convert.h"

#include <cmath>

namespace yav {

int32_t doubleToInt32(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 2147483648.0 && d < 4294967296.0) return static_cast<int32_t>(static_cast<uint32_t>(d));
  if (d >= 2147483647.0) return INT32_MAX;
  if (d <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(d);
}

int32_t integerOf(const ValueRecord& v) { return isFloatingValue(v.type) ? doubleToInt32(v.doubleValue()) : v.intValue(); }

double doubleOf(const ValueRecord& v) {
  return isFloatingValue(v.type) ? v.doubleValue() : static_cast<double>(numberOf(v));
}

int64_t numberOf(const ValueRecord& v) {
  return isPlain(v.type) && isUnsignedCode(v.code()) ? int64_t{v.uintValue()} : int64_t{v.intValue()};
}

int32_t wrapToCode(int64_t value, uint8_t code) {
  return extendToWidth(static_cast<uint32_t>(value), baseTypeSize(code), !isUnsignedCode(code));
}

int32_t extendToWidth(uint32_t raw, uint32_t size, bool isSigned) {
  if (size == 0 || size >= 4) return static_cast<int32_t>(raw);
  const unsigned width = size * 8;
  const uint32_t mask = (1u << width) - 1;
  raw &= mask;
  if (isSigned && (raw >> (width - 1)) & 1) raw |= ~mask;
  return static_cast<int32_t>(raw);
}

void convertValueTo(ValueRecord& v, const ValueRecord& from, BitPlace bits) {
  if (isFloatingValue(v.type)) {
    double d = doubleOf(from);
    if (v.code() == tc::Float) d = static_cast<double>(static_cast<float>(d));
    v.setDouble(d);
    return;
  }
  const uint32_t raw = static_cast<uint32_t>(integerOf(from));
  const uint8_t code = v.code();
  if (outermost(v.type) == Derivation::Pointer) {
    const uint32_t highest = pointerHighestAddress(v.pointerAttributes);
    v.setInt(static_cast<int32_t>(raw & highest));
  } else if (!isPlain(v.type)) {
    v.setInt(static_cast<int32_t>(raw));
  } else if (code == tc::Bool) {
    v.setInt(raw != 0 ? 1 : 0);
  } else if (isBitFieldCode(code)) {
    // Bit-fields read back zero-extended from their width (or their whole unit when unknown).
    v.setInt(bits.width > 0 && bits.width < 32 ? static_cast<int32_t>(raw & ((1u << bits.width) - 1))
                                               : extendToWidth(raw, baseTypeSize(code), false));
  } else {
    v.setInt(extendToWidth(raw, baseTypeSize(code), !isUnsignedCode(code)));
  }
}

}  // namespace yav
