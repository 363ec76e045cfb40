#include "model/value_reload.h"

#include <bit>

namespace yav {

namespace {

// An enum member symbol stands for its value.
constexpr uint8_t kEnumMemberClass = 12;

}  // namespace

bool keepsOwnValue(uint8_t cls) {
  return cls == loc::Computed || cls == loc::DebuggerVariable || cls == loc::LabelValue || cls == loc::Timing;
}

bool isRegisterHeldLocation(uint8_t cls) {
  return cls == loc::Register || cls == 4 || cls == 5 || cls == 7 || (cls >= 20 && cls <= 22);
}

bool takesAddressAsValue(const ValueRecord& v) {
  const Derivation outer = outermost(v.type);
  return outer == Derivation::Array || outer == Derivation::Function || isStructOrUnion(v.type) ||
         v.locationClass == loc::LocalFunction || v.locationClass == loc::GlobalFunction ||
         v.locationClass == kEnumMemberClass;
}

bool reloadFromMemory(TargetMemory* memory, ValueRecord& v) {
  if (takesAddressAsValue(v)) {
    v.setInt(v.address);
    return true;
  }
  if (keepsOwnValue(v.locationClass)) return true;
  v.bits = 0;
  if (isRegisterHeldLocation(v.locationClass) || !memory) return false;

  const uint8_t code = v.code();
  const bool pointer = outermost(v.type) == Derivation::Pointer;
  const uint32_t size = pointer ? pointerSize(v.pointerAttributes) : baseTypeSize(code);
  if (size == 0 || size > 8) return false;
  uint64_t raw = 0;
  if (!memory->readBigEndian(v.addressSpace, v.address, size, raw)) return false;

  if (!pointer && code == tc::Bool) {
    v.setInt(static_cast<int64_t>((raw >> (v.place.number & 7)) & 1));
    return true;
  }
  if (!pointer && isBitFieldCode(code)) {
    raw >>= v.place.number & 31;
    if (v.place.width > 0 && v.place.width < 32) raw &= (uint64_t{1} << v.place.width) - 1;
    v.setInt(static_cast<int64_t>(raw & 0xFFFFFFFFu));
    return true;
  }
  if (!pointer && isFloatCode(code)) {
    if (size == 4) v.setDouble(static_cast<double>(std::bit_cast<float>(static_cast<uint32_t>(raw))));
    else v.setDouble(std::bit_cast<double>(raw));
    return true;
  }
  if (size >= 4) {
    v.setInt(static_cast<int32_t>(static_cast<uint32_t>(raw)));
    return true;
  }
  const unsigned bits = size * 8;
  const bool sign = !pointer && !isUnsignedCode(code) && (raw >> (bits - 1)) & 1;
  v.setInt(sign ? static_cast<int64_t>(raw) - (int64_t{1} << bits) : static_cast<int64_t>(raw));
  return true;
}

}  // namespace yav
