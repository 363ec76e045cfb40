#include "model/eval_operators.h"

#include <cstdint>

#include "model/eval_convert.h"
#include "model/eval_storage.h"
#include "model/messages.h"

namespace yav {

namespace {

void makeComputed(EvalValue& v) {
  v.rec.locationClass = loc::Computed;
  v.rec.symbolLink = 0;
  v.rec.repeat = 0;
  v.rec.place = {};
  v.variableName.clear();
}

void setIntResult(EvalValue& v, int32_t value, uint32_t type) {
  v.rec.type = type;
  if (type == tc::Int) {
    v.rec.aux.clear();
    v.rec.pointerAttributes = 0;
  }
  v.rec.setInt(value);
}

// Location classes whose address is not a target memory address.
bool refusesAddress(uint8_t cls) {
  switch (cls) {
    case 0: case 4: case 5: case 7: case 12: case 13: case 15: case 22: case 23: case 24: case 25:
    case loc::DebuggerVariable:
      return true;
  }
  return false;
}

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

// 32-bit signed integer arithmetic that never faults: division of the most negative value by
// -1 wraps, shifts by 32 or more fill with the sign (right) or zeros (left).
int integerBinary(BinOp op, int32_t a, int32_t b, bool divisorKnown, int32_t& out) {
  const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  switch (op) {
    case BinOp::Mul: out = static_cast<int32_t>(ua * ub); return 0;
    case BinOp::Div:
    case BinOp::Mod:
      if (b == 0) {
        if (divisorKnown) return msg::ZeroDivide;
        out = 0;
        return 0;
      }
      if (a == INT32_MIN && b == -1) out = op == BinOp::Div ? INT32_MIN : 0;
      else out = op == BinOp::Div ? a / b : a % b;
      return 0;
    case BinOp::Add: out = static_cast<int32_t>(ua + ub); return 0;
    case BinOp::Sub: out = static_cast<int32_t>(ua - ub); return 0;
    case BinOp::Shl: out = ub < 32 ? static_cast<int32_t>(ua << ub) : 0; return 0;
    case BinOp::Shr: out = ub < 32 ? a >> ub : (a < 0 ? -1 : 0); return 0;
    case BinOp::BitAnd: out = a & b; return 0;
    case BinOp::Xor: out = a ^ b; return 0;
    case BinOp::BitOr: out = a | b; return 0;
    case BinOp::LogAnd: out = a != 0 && b != 0; return 0;
    case BinOp::LogOr: out = a != 0 || b != 0; return 0;
    default: out = compare(op, a, b); return 0;
  }
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
  int32_t out = 0;
  if (const int e = integerBinary(op, l.rec.intValue(), r.rec.intValue(), r.known, out)) return e;
  // A truth value is an int: kept as an enum it would print as the member whose value is 0 or 1.
  if (isComparison(op) || op == BinOp::LogAnd || op == BinOp::LogOr) setIntResult(l, out, tc::Int);
  else l.rec.setInt(out);
  return 0;
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
  switch (v.locationClass) {
    case loc::Computed: case loc::LocalFunction: case loc::GlobalFunction: case loc::LabelValue: case 12:
      return false;
  }
  if (outermost(v.type) == Derivation::Array || outermost(v.type) == Derivation::Function || isStructOrUnion(v.type)) {
    return false;
  }
  return v.locationClass == loc::Timing || v.locationClass == loc::DebuggerVariable || valueTypeSize(v) != 0;
}

int assign(OperatorContext& ctx, EvalValue& l, EvalValue& r) {
  if (!isUpdatable(l.rec)) return msg::NotUpdatable;
  decayArray(r.rec);
  const bool lPointer = outermost(l.rec.type) == Derivation::Pointer;
  const bool rPointer = outermost(r.rec.type) == Derivation::Pointer;
  if (lPointer || rPointer) {
    if (!lPointer && l.rec.locationClass != loc::Register) return msg::IllegalType;
    if (rPointer) {
      if (lPointer && l.rec.type != r.rec.type) return msg::IllegalType;
    } else if (!(isIntegerValue(r.rec.type) && r.rec.locationClass == loc::Computed && r.rec.intValue() == 0)) {
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
  v.rec.setInt(v.rec.uintValue() == 0 ? 1 : 0);
  makeComputed(v);
  return 0;
}

int applyComplement(EvalValue& v) {
  if (!isIntegerCodeValue(v.rec.type)) return msg::IllegalType;
  v.rec.setInt(~v.rec.intValue());
  makeComputed(v);
  return 0;
}

int applyNegate(EvalValue& v) {
  if (!isArithmeticCodeValue(v.rec.type)) return msg::IllegalType;
  if (isFloatingValue(v.rec.type)) v.rec.setDouble(-v.rec.doubleValue());
  else v.rec.setInt(static_cast<int32_t>(0u - v.rec.uintValue()));
  makeComputed(v);
  return 0;
}

int applyPlus(EvalValue& v) {
  if (!isArithmeticCodeValue(v.rec.type)) return msg::IllegalType;
  makeComputed(v);
  return 0;
}

int applyAddressOf(EvalValue& v) {
  if (refusesAddress(v.rec.locationClass)) return msg::NotAddressable;
  if (derivationCount(v.rec.type) >= 12) return msg::IllegalType;
  const uint32_t address = v.rec.address;
  addPointerLevel(v.rec, address > 0xFFFF ? 0x3000 : 0);
  v.rec.setInt(static_cast<int32_t>(address));
  makeComputed(v);
  return 0;
}

int applyIndirection(EvalValue& v) {
  if (!isPointerOrArray(v.rec.type)) return msg::IllegalType;
  if (outermost(v.rec.type) == Derivation::Pointer) v.rec.address = v.rec.uintValue();
  removeOutermostLevel(v.rec);
  v.rec.locationClass = loc::Memory;
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
