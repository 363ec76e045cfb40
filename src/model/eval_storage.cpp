#include "model/eval_storage.h"

#include <bit>
#include <vector>

#include "model/eval_convert.h"
#include "model/registers.h"

namespace yav {

namespace {

bool charSized(const ValueRecord& v) { return isPlain(v.type) && baseTypeSize(v.code()) == 1; }

// A register-held symbol: A alone, the X:A pair for wider values, X for a char held in X (a
// further argument passed there), or any other register by number.
std::optional<uint32_t> readHeldRegister(EvalEnv& env, const ValueRecord& v) {
  const uint32_t number = v.address;
  if (number == REG_X && !charSized(v)) {
    const std::optional<uint32_t> x = env.readRegister(REG_X), a = env.readRegister(REG_A);
    if (!x || !a) return std::nullopt;
    return (*x & 0xFF) << 8 | (*a & 0xFF);
  }
  return env.readRegister(static_cast<int>(number));
}

std::vector<uint8_t> bigEndian(uint64_t value, uint32_t size) {
  std::vector<uint8_t> b(size);
  for (uint32_t i = 0; i < size; ++i) b[size - 1 - i] = static_cast<uint8_t>(value >> (8 * i));
  return b;
}

bool storeToMemory(EvalEnv& env, const EvalValue& target, const ValueRecord& value) {
  const ValueRecord& t = target.rec;
  const uint8_t code = t.code();
  const bool plain = isPlain(t.type);
  const uint32_t size = storageSize(t);
  if (plain && code == tc::Bool) {
    uint8_t b = 0;
    TargetMemory* mem = env.memory();
    if (!mem || !mem->readByte(t.addressSpace, t.address, b)) return false;
    const uint8_t bit = static_cast<uint8_t>(1u << (target.rec.place.number & 7));
    b = value.uintValue() ? (b | bit) : (b & ~bit);
    return env.writeMemory(t.addressSpace, t.address, std::span<const uint8_t>(&b, 1));
  }
  if (size == 0 || size > 8) return false;
  if (plain && isFloatCode(code)) {
    const uint64_t raw = size == 4 ? std::bit_cast<uint32_t>(static_cast<float>(value.doubleValue()))
                                   : std::bit_cast<uint64_t>(value.doubleValue());
    return env.writeMemory(t.addressSpace, t.address, bigEndian(raw, size));
  }
  uint64_t raw = value.uintValue();
  if (plain && isBitFieldCode(code)) {
    // Only the field's bits change inside the containing unit.
    uint64_t unit = 0;
    TargetMemory* mem = env.memory();
    if (!mem || !mem->readBigEndian(t.addressSpace, t.address, size, unit)) return false;
    const unsigned width = target.rec.place.width ? target.rec.place.width : size * 8;
    const unsigned shift = target.rec.place.number & 31;
    const uint64_t mask = (width >= 64 ? ~0ull : ((1ull << width) - 1)) << shift;
    raw = (unit & ~mask) | ((raw << shift) & mask);
  }
  return env.writeMemory(t.addressSpace, t.address, bigEndian(raw, size));
}

bool storeToHeldRegister(EvalEnv& env, const ValueRecord& t, uint32_t value) {
  if (t.address == REG_X && !charSized(t)) {
    // The X:A pair: A takes the low byte, X the high byte.
    if (!env.setRegister(REG_A, value & 0xFF)) return false;
    return env.setRegister(REG_X, (value >> 8) & 0xFF);
  }
  return env.setRegister(static_cast<int>(t.address), value);
}

}  // namespace

bool needsTarget(const ValueRecord& v) { return !takesAddressAsValue(v) && !keepsOwnValue(v.locationClass); }

bool reloadValue(EvalEnv& env, ValueRecord& v) {
  if (takesAddressAsValue(v)) {
    v.setInt(static_cast<int32_t>(v.address));
    return true;
  }
  if (keepsOwnValue(v.locationClass)) return true;
  if (v.locationClass == sc::MachineRegister) {
    const std::optional<uint32_t> r = env.readRegister(static_cast<int>(v.address));
    v.setInt(static_cast<int32_t>(r.value_or(0)));
    return r.has_value();
  }
  if (isRegisterHeldLocation(v.locationClass)) {
    const std::optional<uint32_t> r = readHeldRegister(env, v);
    ValueRecord raw;
    raw.type = tc::UnsignedLong;
    raw.setInt(static_cast<int32_t>(r.value_or(0)));
    convertValueTo(v, raw, v.place);
    return r.has_value();
  }
  const bool ok = readFromMemory(env.memory(), v);
  if (!ok) v.bits = 0;
  return ok;
}

bool storeValue(EvalEnv& env, const EvalValue& target, const ValueRecord& value) {
  const ValueRecord& t = target.rec;
  switch (t.locationClass) {
    case sc::Timing:
      return true;
    case sc::DebuggerVariable:
      env.setDebuggerVariable(target.variableName, value.uintValue());
      return true;
    case sc::MachineRegister: {
      const uint32_t pcBefore = env.currentPc();
      const bool ok = env.setRegister(static_cast<int>(t.address), value.uintValue());
      if (ok && env.currentPc() != pcBefore) env.pcChanged();
      return ok;
    }
  }
  if (isRegisterHeldLocation(t.locationClass)) return storeToHeldRegister(env, t, value.uintValue());
  return storeToMemory(env, target, value);
}

}  // namespace yav
