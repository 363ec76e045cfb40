#include "model/value_reload.h"

#include <bit>

#include "model/eval_convert.h"

namespace yav {

bool keepsOwnValue(uint8_t cls) { return storageClass(cls).is(scp::OwnValue); }

bool isRegisterHeldLocation(uint8_t cls) { return storageClass(cls).is(scp::InRegister); }

bool takesAddressAsValue(const ValueRecord& v) {
  const Derivation outer = outermost(v.type);
  return outer == Derivation::Array || outer == Derivation::Function || isStructOrUnion(v.type) ||
         storageClass(v.locationClass).is(scp::AddressIsValue);
}

uint32_t storageSize(const ValueRecord& v) {
  if (outermost(v.type) == Derivation::Pointer) return pointerSize(v.pointerAttributes);
  return baseTypeSize(v.code());
}

bool readFromMemory(TargetMemory* memory, ValueRecord& v) {
  if (!memory) return false;
  const uint8_t code = v.code();
  const bool plain = isPlain(v.type);
  if (plain && code == tc::Bool) {
    uint8_t b = 0;
    if (!memory->readByte(v.addressSpace, v.address, b)) return false;
    v.setInt((b >> (v.place.number & 7)) & 1);
    return true;
  }
  const uint32_t size = storageSize(v);
  if (size == 0 || size > 8) return false;
  uint64_t raw = 0;
  if (!memory->readBigEndian(v.addressSpace, v.address, size, raw)) return false;
  if (plain && isFloatCode(code)) {
    if (size == 4) v.setDouble(static_cast<double>(std::bit_cast<float>(static_cast<uint32_t>(raw))));
    else v.setDouble(std::bit_cast<double>(raw));
    return true;
  }
  if (plain && isBitFieldCode(code)) raw >>= (v.place.number & 31);
  ValueRecord raw32;
  raw32.type = tc::UnsignedLong;
  raw32.setInt(static_cast<int32_t>(static_cast<uint32_t>(raw)));
  convertValueTo(v, raw32, v.place);
  return true;
}

bool reloadFromMemory(TargetMemory* memory, ValueRecord& v) {
  if (takesAddressAsValue(v)) {
    v.setInt(v.address);
    return true;
  }
  if (keepsOwnValue(v.locationClass)) return true;
  if (!isRegisterHeldLocation(v.locationClass) && readFromMemory(memory, v)) return true;
  v.bits = 0;
  return false;
}

}  // namespace yav
