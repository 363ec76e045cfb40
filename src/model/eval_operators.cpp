#include "model/eval_operators.h"

#include <cstdint>

#include "model/eval_convert.h"
#include "model/eval_storage.h"
#include "model/messages.h"

namespace yav {

namespace {

void makeComputed(EvalValue& v) {
  v.rec.locationClass = sc::Computed;
  v.rec.symbolLink = 0;
  v.rec.repeat = 0;
  v.rec.place = {};
  v.variableName.clear();
}

// A plain integer result: the type's descriptor or pointer attributes no longer apply.
void setIntResult(EvalValue& v, int32_t value, uint8_t code) {
  v.rec.type = code;
  v.rec.aux.clear();
  v.rec.pointerAttributes = 0;
  v.rec.place = {};
  v.rec.setInt(value);
}

// The operand converted to an integer type: its number cut to that type's width.
int64_t convertedTo(const ValueRecord& v, uint8_t code) {
  const int32_t bits = wrapToCode(numberOf(v), code);
  return isUnsignedCode(code) ? int64_t{static_cast<uint32_t>(bits)} : int64_t{bits};
}

// Location classes whose address is not a target memory address.
bool refusesAddress(uint8_t cls) { return storageClass(cls).is(scp::NotAddressable); }

bool isComparison(BinOp op) {
  return op == BinOp::Lt || op == BinOp::Le || op == BinOp::Gt || op == BinOp::Ge || op == BinOp::Eq || op == BinOp::Ne;
}

int32_t compare(BinOp op, auto a, auto b) {
  switch (op) {
    case BinOp::Lt: return a < b;
    case BinOp::Le: return a <= b;
    case BinOp::Gt: return a > b;
    case BinOp::Ge: return a >= b;
    case BinOp::Eq: return a == b;
    default: return a != b;
  }
}

// Integer arithmetic on two operands already converted to the operation's type (their numbers
// fit 32 bits, so nothing here overflows 64): never faults; the caller cuts the result to the
// type. Division of the most negative value by -1 wraps like any other overflow.
int integerBinary(BinOp op, int64_t a, int64_t b, bool divisorKnown, int64_t& out) {
  switch (op) {
    case BinOp::Mul: out = static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b)); return 0;
    case BinOp::Div:
    case BinOp::Mod:
      if (b == 0) {
        if (divisorKnown) return msg::ZeroDivide;
        out = 0;
        return 0;
      }
      out = op == BinOp::Div ? a / b : a % b;
      return 0;
    case BinOp::Add: out = a + b; return 0;
    case BinOp::Sub: out = a - b; return 0;
    case BinOp::BitAnd: out = a & b; return 0;
    case BinOp::Xor: out = a ^ b; return 0;
    case BinOp::BitOr: out = a | b; return 0;
    case BinOp::LogAnd: out = a != 0 && b != 0; return 0;
    case BinOp::LogOr: out = a != 0 || b != 0; return 0;
    default: out = compare(op, a, b); return 0;
  }
}

// A shift works in the promoted type of its left operand; counts beyond the width give 0 (or
// the sign for a negative value shifted right).
int32_t shift(BinOp op, const ValueRecord& l, const ValueRecord& r) {
  const uint8_t code = promotedCode(l.code());
  const int64_t a = convertedTo(l, code), n = numberOf(r);
  int64_t out = 0;
  if (op == BinOp::Shl) out = n >= 0 && n < 64 ? static_cast<int64_t>(static_cast<uint64_t>(a) << n) : 0;
  else out = n >= 0 && n < 64 ? a >> n : (a < 0 ? -1 : 0);
  return wrapToCode(out, code);
}

int floatingBinary(BinOp op, EvalValue& l, double a, double b, bool divisorKnown) {
  switch (op) {
    case BinOp::Mul: l.rec.setDouble(a * b); return 0;
    case BinOp::Add: l.rec.setDouble(a + b); return 0;
    case BinOp::Sub: l.rec.setDouble(a - b); return 0;
    case BinOp::Div:
      if (b == 0.0) {
        if (divisorKnown) return msg::ZeroDivide;
        l.rec.setDouble(0.0);
        return 0;
      }
      l.rec.setDouble(a / b);
      return 0;
    default: break;
  }
  if (isComparison(op)) {
    setIntResult(l, compare(op, a, b), tc::Int);
    return 0;
  }
  return msg::IllegalOperator;
}

// Integer operands follow C's rules on this target: both are promoted and brought to their
// common type (unsigned when that type is), and the result is cut to it.
int integerArithmetic(BinOp op, EvalValue& l, const EvalValue& r) {
  if (op == BinOp::Shl || op == BinOp::Shr) {
    setIntResult(l, shift(op, l.rec, r.rec), promotedCode(l.rec.code()));
    return 0;
  }
  const uint8_t code = commonIntegerCode(l.rec.code(), r.rec.code());
  int64_t out = 0;
  if (const int e = integerBinary(op, convertedTo(l.rec, code), convertedTo(r.rec, code), r.known, out)) return e;
  // A comparison or a truth value is an int: kept as an enum it would print as the member
  // whose value is 0 or 1.
  if (isComparison(op) || op == BinOp::LogAnd || op == BinOp::LogOr) setIntResult(l, static_cast<int32_t>(out), tc::Int);
  else setIntResult(l, wrapToCode(out, code), code);
  return 0;
}

int arithmetic(BinOp op, EvalValue& l, EvalValue& r) {
  if (op == BinOp::LogAnd || op == BinOp::LogOr) {
    // Both operators work on integers: a floating operand counts as 1 or 0.
    if (isFloatingValue(l.rec.type)) setIntResult(l, l.rec.doubleValue() != 0.0, tc::Int);
    if (isFloatingValue(r.rec.type)) setIntResult(r, r.rec.doubleValue() != 0.0, tc::Int);
  }
  const bool lf = isFloatingValue(l.rec.type), rf = isFloatingValue(r.rec.type);
  if (lf || rf) {
    const double a = doubleOf(l.rec), b = doubleOf(r.rec);
    if (!lf) l.rec.type = tc::Double;  // the integer left operand becomes a double
    return floatingBinary(op, l, a, b, r.known);
  }
  return integerArithmetic(op, l, r);
}

int pointerArithmetic(BinOp op, EvalValue& l, EvalValue& r) {
  decayArray(l.rec);
  decayArray(r.rec);
  const bool lp = isPointerOrArray(l.rec.type), rp = isPointerOrArray(r.rec.type);
  const bool li = isIntegerValue(l.rec.type), ri = isIntegerValue(r.rec.type);
  if (lp && rp && l.rec.type != r.rec.type) return msg::IllegalType;
  switch (op) {
    case BinOp::Add:
      if (lp && ri) {
        l.rec.setInt(static_cast<int32_t>(l.rec.uintValue() + static_cast<uint32_t>(r.rec.intValue()) * elementSize(l.rec)));
        return 0;
      }
      if (rp && li) {
        const uint32_t step = static_cast<uint32_t>(l.rec.intValue()) * elementSize(r.rec);
        const bool known = l.known;
        l = r;
        l.known = known && r.known;
        l.rec.setInt(static_cast<int32_t>(r.rec.uintValue() + step));
        return 0;
      }
      return msg::IllegalType;
    case BinOp::Sub:
      if (lp && ri) {
        l.rec.setInt(static_cast<int32_t>(l.rec.uintValue() - static_cast<uint32_t>(r.rec.intValue()) * elementSize(l.rec)));
        return 0;
      }
      if (lp && rp) {
        const int64_t size = elementSize(l.rec);
        const int64_t diff = static_cast<int64_t>(l.rec.intValue()) - r.rec.intValue();
        setIntResult(l, size == 0 ? 0 : static_cast<int32_t>(diff / size), tc::Int);
        return 0;
      }
      return msg::IllegalType;
    default:
      break;
  }
  if (isComparison(op)) {
    if (!(lp || li) || !(rp || ri)) return msg::IllegalType;
    setIntResult(l, compare(op, l.rec.intValue(), r.rec.intValue()), tc::Int);
    return 0;
  }
  return msg::IllegalOperator;
}

bool isUpdatable(const ValueRecord& v) {
  if (storageClass(v.locationClass).is(scp::FixedValue)) return false;
  if (outermost(v.type) == Derivation::Array || outermost(v.type) == Derivation::Function || isStructOrUnion(v.type)) {
    return false;
  }
  return v.locationClass == sc::Timing || v.locationClass == sc::DebuggerVariable || valueTypeSize(v) != 0;
}

int assign(OperatorContext& ctx, EvalValue& l, EvalValue& r) {
  if (!isUpdatable(l.rec)) return msg::NotUpdatable;
  decayArray(r.rec);
  const bool lPointer = outermost(l.rec.type) == Derivation::Pointer;
  const bool rPointer = outermost(r.rec.type) == Derivation::Pointer;
  if (lPointer || rPointer) {
    if (!lPointer && l.rec.locationClass != sc::MachineRegister) return msg::IllegalType;
    if (rPointer) {
      if (lPointer && l.rec.type != r.rec.type) return msg::IllegalType;
    } else if (!(isIntegerValue(r.rec.type) && r.rec.locationClass == sc::Computed && r.rec.intValue() == 0)) {
      return msg::IllegalType;
    }
  } else if (!isArithmeticValue(r.rec.type) || !isArithmeticValue(l.rec.type)) {
    return msg::IllegalType;
  }
  ValueRecord stored = l.rec;
  convertValueTo(stored, r.rec, l.rec.place);
  if (ctx.evaluate && !storeValue(ctx.env, l, stored)) return msg::NotAccessible;
  l.rec = std::move(stored);
  l.known = r.known;
  makeComputed(l);
  return 0;
}

}  // namespace

int applyNot(EvalValue& v) {
  if (!isIntegerCodeValue(v.rec.type)) return msg::IllegalType;
  setIntResult(v, v.rec.uintValue() == 0 ? 1 : 0, tc::Int);
  makeComputed(v);
  return 0;
}

int applyComplement(EvalValue& v) {
  if (!isIntegerCodeValue(v.rec.type)) return msg::IllegalType;
  const uint8_t code = promotedCode(v.rec.code());
  setIntResult(v, wrapToCode(~convertedTo(v.rec, code), code), code);
  makeComputed(v);
  return 0;
}

int applyNegate(EvalValue& v) {
  if (!isArithmeticCodeValue(v.rec.type)) return msg::IllegalType;
  if (isFloatingValue(v.rec.type)) {
    v.rec.setDouble(-v.rec.doubleValue());
  } else {
    const uint8_t code = promotedCode(v.rec.code());
    setIntResult(v, wrapToCode(-convertedTo(v.rec, code), code), code);
  }
  makeComputed(v);
  return 0;
}

int applyPlus(EvalValue& v) {
  if (!isArithmeticCodeValue(v.rec.type)) return msg::IllegalType;
  if (!isFloatingValue(v.rec.type)) {
    const uint8_t code = promotedCode(v.rec.code());
    setIntResult(v, wrapToCode(convertedTo(v.rec, code), code), code);
  }
  makeComputed(v);
  return 0;
}

int applyAddressOf(EvalValue& v) {
  if (refusesAddress(v.rec.locationClass)) return msg::NotAddressable;
  if (derivationCount(v.rec.type) >= kMaxDerivations) return msg::IllegalType;
  const uint32_t address = v.rec.address;
  addPointerLevel(v.rec, pointerAttributesReaching(address));
  v.rec.setInt(static_cast<int32_t>(address));
  makeComputed(v);
  return 0;
}

int applyIndirection(EvalValue& v) {
  if (!isPointerOrArray(v.rec.type)) return msg::IllegalType;
  if (outermost(v.rec.type) == Derivation::Pointer) v.rec.address = v.rec.uintValue();
  removeOutermostLevel(v.rec);
  v.rec.locationClass = sc::Memory;
  v.rec.repeat = 0;
  v.rec.place = {};
  v.variableName.clear();
  return 0;
}

void applyComputed(EvalValue& v) { makeComputed(v); }

int applyBinary(OperatorContext& ctx, BinOp op, EvalValue& l, EvalValue& r) {
  if (op == BinOp::Assign) return assign(ctx, l, r);
  int e = 0;
  if (isPointerOrArray(l.rec.type) || isPointerOrArray(r.rec.type)) {
    e = pointerArithmetic(op, l, r);
  } else if (!isArithmeticValue(l.rec.type) || !isArithmeticValue(r.rec.type)) {
    return msg::IllegalType;
  } else {
    e = arithmetic(op, l, r);
  }
  if (e) return e;
  l.known = l.known && r.known;
  makeComputed(l);
  return 0;
}

}  // namespace yav
