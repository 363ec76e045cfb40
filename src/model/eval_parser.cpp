#include "model/eval_parser.h"

#include "model/eval_convert.h"
#include "model/eval_operators.h"
#include "model/eval_storage.h"
#include "model/eval_typename.h"
#include "model/messages.h"
#include "model/storage_classes.h"

namespace yav {

namespace {

EvalValue intConstant(int32_t value, uint8_t code = tc::Int) {
  EvalValue v;
  v.rec.type = code;
  v.rec.setInt(wrapToCode(value, code));
  return v;
}
}  // namespace

Token Parser::next() {
  if (failed()) {
    Token end;
    end.start = endCursor();
    return end;
  }
  if (pushed_) {
    Token t = std::move(*pushed_);
    pushed_.reset();
    return t;
  }
  Token t = sc_.next(ev_.assignmentAllowed);
  if (t.kind == Tok::Bad) {
    fail(msg::SyntaxError);
    t.kind = Tok::End;
  }
  return t;
}

void Parser::pushBack(Token t) {
  if (failed()) return;
  if (pushed_) {
    fail(msg::InternalError);
    return;
  }
  pushed_ = std::move(t);
}

void Parser::fail(int error) {
  if (ev_.pendingError == 0) ev_.pendingError = error;
}

void Parser::load(EvalValue& v) {
  if (ev_.evaluate && v.rec.locationClass != sc::MachineRegister && isRegisterHeldLocation(v.rec.locationClass) &&
      !ev_.env().registersHeldBySelectedFrame(storageClass(v.rec.symbolKind).is(scp::Argument))) {
    // The registers hold the innermost call's values, not this frame's.
    fail(msg::NotKnownInFrame);
    return;
  }
  if (ev_.evaluate || !needsTarget(v.rec)) {
    // A symbol held in a register the processor does not have (a register variable whose
    // register is not recorded) has no value to show; a read the target fails (the link is lost,
    // the address is refused) is an error, never a 0.
    if (!reloadValue(ev_.env(), v.rec)) {
      fail(isRegisterHeldLocation(v.rec.locationClass) ? msg::UnknownRegister : msg::NotAccessible);
    }
    v.known = true;
  } else {
    v.rec.bits = 0;
    v.known = false;
  }
}

EvalValue Parser::expression() {
  DepthGuard guard(*this);
  if (failed()) return intConstant(0);
  EvalValue left = unary();
  return binaryRest(std::move(left), 0);
}

EvalValue Parser::binaryRest(EvalValue left, int minPrecedence) {
  for (;;) {
    Token t = next();
    if (t.kind != Tok::Binary || binaryOperator(t.op).precedence <= minPrecedence) {
      pushBack(std::move(t));
      return left;
    }
    const int precedence = binaryOperator(t.op).precedence;
    EvalValue right = unary();
    for (;;) {
      Token u = next();
      const bool tighter = u.kind == Tok::Binary && binaryOperator(u.op).precedence > precedence;
      pushBack(std::move(u));
      if (!tighter || failed()) break;
      right = binaryRest(std::move(right), precedence);
    }
    if (failed()) return left;
    OperatorContext ctx{ev_.env(), ev_.evaluate};
    if (const int e = applyBinary(ctx, t.op, left, right)) fail(e);
  }
}

EvalValue Parser::unary() {
  DepthGuard guard(*this);
  Token t = next();
  if (failed()) return intConstant(0);
  const bool unaryOperator = t.kind == Tok::Not || t.kind == Tok::Tilde || t.kind == Tok::Hash ||
                             (t.kind == Tok::Binary && (t.op == BinOp::Mul || t.op == BinOp::BitAnd ||
                                                        t.op == BinOp::Add || t.op == BinOp::Sub));
  if (unaryOperator) {
    EvalValue v = unary();
    if (failed()) return v;
    int e = 0;
    switch (t.kind) {
      case Tok::Not: e = applyNot(v); break;
      case Tok::Tilde: e = applyComplement(v); break;
      case Tok::Hash: applyComputed(v); break;
      default:
        switch (t.op) {
          case BinOp::Mul:
            e = applyIndirection(v);
            if (!e) load(v);
            break;
          case BinOp::BitAnd: e = applyAddressOf(v); break;
          case BinOp::Add: e = applyPlus(v); break;
          default: e = applyNegate(v); break;
        }
    }
    if (e) fail(e);
    return v;
  }
  EvalValue v;
  switch (t.kind) {
    case Tok::LParen:
      return parenthesised();
    case Tok::Integer:
      ev_.lastInteger = t.integer;
      v = intConstant(static_cast<int32_t>(t.integer), t.integerCode);
      break;
    case Tok::Floating:
      ev_.lastFloat = t.floating;
      v.rec.type = tc::Double;
      v.rec.setDouble(t.floating);
      break;
    case Tok::Dot:
      v = debuggerVariable();
      break;
    case Tok::Name:
      v = name(t);
      break;
    default:
      fail(msg::SyntaxError);
      return intConstant(0);
  }
  postfix(v);
  return v;
}

EvalValue Parser::parenthesised() {
  size_t pos = sc_.cursor();
  if (std::optional<ParsedTypeName> type = readTypeName(sc_.text(), pos, ev_.env())) {
    sc_.setCursor(pos);
    EvalValue v = unary();
    if (failed()) return v;
    if (!applyCast(*type, v.rec)) {
      fail(msg::SyntaxError);
      return v;
    }
    v.rec.locationClass = sc::Computed;
    v.rec.symbolLink = 0;
    v.rec.repeat = 0;
    v.rec.place = {};
    v.variableName.clear();
    return v;
  }
  EvalValue v = expression();
  if (next().kind != Tok::RParen) {
    fail(msg::SyntaxError);
    return v;
  }
  postfix(v);
  return v;
}

void Parser::postfix(EvalValue& v) {
  while (!failed()) {
    Token t = next();
    switch (t.kind) {
      case Tok::Dot:
        member(v);
        break;
      case Tok::Arrow:
        if (const int e = applyIndirection(v)) {
          fail(e);
          return;
        }
        member(v);
        break;
      case Tok::LBracket:
        subscript(v);
        break;
      default:
        pushBack(std::move(t));
        return;
    }
  }
}

void Parser::member(EvalValue& v) {
  const std::string_view field = sc_.plainName();
  if (field.empty()) {
    fail(msg::SyntaxError);
    return;
  }
  if (!isStructOrUnion(v.rec.type)) {
    fail(msg::IllegalType);
    return;
  }
  const AggregateDescriptor* d = aggregateOf(v.rec.aux);
  const AggregateMember* found = nullptr;
  if (d) {
    for (const AggregateMember& m : d->members) {
      if (m.name == field) {
        found = &m;
        break;
      }
    }
  }
  if (!found) {
    fail(msg::NoSuchMember);
    return;
  }
  v.rec.address += static_cast<uint32_t>(found->value);
  v.rec.type = found->type;
  v.rec.aux = found->aux;
  v.rec.auxOwned = false;
  v.rec.pointerAttributes = found->pointerAttributes;
  v.rec.locationClass = sc::Memory;
  v.rec.place = {found->bitNumber, found->bitWidth};  // a bit-field or _Bool member inside its unit
  v.variableName.clear();
  load(v);
}

void Parser::subscript(EvalValue& v) {
  DepthGuard guard(*this);
  EvalValue index = intConstant(0);
  uint32_t repeat = 0;
  Token t = next();
  if (t.kind == Tok::Hash) {
    if (outermost(v.rec.type) != Derivation::Array) {
      fail(msg::IllegalType);
      return;
    }
    repeat = v.rec.aux.empty() ? 0 : v.rec.aux.front().word;
    t = next();
  } else {
    pushBack(std::move(t));
    index = expression();
    t = next();
    if (t.kind == Tok::Hash) {
      EvalValue count = expression();
      if (failed()) return;
      if (!isIntegerCodeValue(count.rec.type) || count.rec.intValue() < 0) {
        fail(msg::IllegalType);
        return;
      }
      repeat = count.rec.uintValue();
      t = next();
    }
  }
  if (failed()) return;
  if (t.kind != Tok::RBracket) {
    fail(msg::SyntaxError);
    return;
  }
  if (!isPointerOrArray(v.rec.type) || !isIntegerCodeValue(index.rec.type)) {
    fail(msg::IllegalType);
    return;
  }
  if (outermost(v.rec.type) == Derivation::Pointer) v.rec.address = v.rec.uintValue();
  const uint32_t size = elementSize(v.rec);
  removeOutermostLevel(v.rec);
  v.rec.address += static_cast<uint32_t>(index.rec.intValue()) * size;
  v.rec.locationClass = sc::Memory;
  v.rec.repeat = repeat;
  v.rec.place = {};
  v.variableName.clear();
  load(v);
}

}  // namespace yav
