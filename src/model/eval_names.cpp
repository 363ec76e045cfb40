// Names in expressions: debugger variables, registers, sizeof, functions, debug symbols with
// their storage classes, labels.
#include <string>

#include "model/eval_parser.h"
#include "model/eval_typename.h"
#include "model/messages.h"
#include "model/registers.h"

namespace yav {

namespace {

EvalValue intValue(int32_t value, uint8_t cls = sc::Computed) {
  EvalValue v;
  v.rec.type = tc::Int;
  v.rec.setInt(value);
  v.rec.locationClass = cls;
  return v;
}

// An address or size: typed like a constant written with that value, so that it keeps its
// value (an int where it fits, else the first wider type that holds it).
EvalValue numberValue(uint32_t value, uint8_t cls = sc::Computed) {
  EvalValue v = intValue(static_cast<int32_t>(value), cls);
  v.rec.type = integerConstantCode(value, false, false, false);
  return v;
}

// `$` names of values the target measures rather than holds in a register; read only.
struct MeasuredName {
  std::string_view name;
  std::optional<double> (EvalEnv::*read)();
};
constexpr MeasuredName kMeasuredNames[] = {
    {"time", &EvalEnv::simulatedMicroseconds},
};

// The measured value of that name (typed only when not evaluating); nothing when no such name
// or the target does not measure it.
std::optional<EvalValue> measuredValue(EvalEnv& env, std::string_view name, bool evaluate) {
  for (const MeasuredName& m : kMeasuredNames) {
    if (name != m.name) continue;
    EvalValue v;
    v.rec.type = tc::Double;
    if (!evaluate) return v;
    const std::optional<double> value = (env.*m.read)();
    if (!value) return std::nullopt;
    v.rec.setDouble(*value);
    return v;
  }
  return std::nullopt;
}
}  // namespace

EvalValue Parser::name(const Token& t) {
  const QualifiedName& q = t.name.name;
  ev_.lastName = q;
  if (!q.valid) {
    fail(msg::IncorrectVariable);
    return intValue(0);
  }
  if (q.isAbsolute) return numberValue(q.absolute);
  const bool plain = !q.hasColon && !q.hasFunction;
  if (plain && q.variable[0] == '$') return registerValue(std::string_view(q.variable).substr(1));
  if (plain && q.variable == "sizeof") return sizeofValue();
  EvalEnv& env = ev_.env();
  if (!q.hasFunction) {
    if (std::optional<EvalFunction> f = env.findFunction(q.file, q.variable)) return functionValue(*f);
  }
  if (std::optional<EvalSymbol> s = env.lookupVariable(q, ev_.evaluate)) return symbolValue(*s);
  // Labels have no file or function: a qualified name found in no scope names nothing.
  if (q.hasFile || q.hasFunction) {
    fail(msg::NotAccessible);
    return intValue(0);
  }
  if (std::optional<uint32_t> label = env.findLabel(q.variable)) {
    EvalValue v = numberValue(*label, sc::LabelValue);
    v.rec.address = *label;
    return v;
  }
  if (std::optional<uint32_t> label = env.findLabel("_" + q.variable)) {
    // A label read as a variable: the byte at its address.
    EvalValue v;
    v.rec.type = tc::UnsignedChar;
    v.rec.address = *label;
    v.rec.locationClass = sc::LabelVariable;
    load(v);
    return v;
  }
  fail(msg::NotAccessible);
  return intValue(0);
}

EvalValue Parser::debuggerVariable() {
  const std::string_view n = sc_.plainName();
  if (n.empty()) {
    fail(msg::SyntaxError);
    return intValue(0);
  }
  // The user's own variables are stored as "..name"; the ones the kernel maintains (".text",
  // ".tsize"...) keep their single dot and are found when no user variable has the name.
  std::string stored = ".." + std::string(n);
  std::optional<uint32_t> value = ev_.env().findLabel(stored);
  if (!value) {
    const std::string maintained = "." + std::string(n);
    if ((value = ev_.env().findLabel(maintained))) stored = maintained;
  }
  if (!value) {
    ev_.env().setDebuggerVariable(stored, 0);
    value = 0;
  }
  EvalValue v;
  v.rec.type = tc::UnsignedLong;
  v.rec.setInt(static_cast<int32_t>(*value));
  v.rec.locationClass = sc::DebuggerVariable;
  v.variableName = stored;
  return v;
}

EvalValue Parser::registerValue(std::string_view registerName) {
  const int number = ev_.env().registerByName(registerName);
  if (number == 0) {
    if (std::optional<EvalValue> measured = measuredValue(ev_.env(), registerName, ev_.evaluate)) return *measured;
    fail(msg::NotAccessible);
    return intValue(0);
  }
  EvalValue v;
  v.rec.type = tc::UnsignedLong;
  v.rec.address = static_cast<uint32_t>(number);
  v.rec.locationClass = sc::MachineRegister;
  load(v);
  return v;
}

EvalValue Parser::sizeofValue() {
  if (next().kind != Tok::LParen) {
    fail(msg::SyntaxError);
    return intValue(0);
  }
  size_t pos = sc_.cursor();
  if (std::optional<ParsedTypeName> type = readTypeName(sc_.text(), pos, ev_.env())) {
    sc_.setCursor(pos);
    return numberValue(type->size);
  }
  // The operand is only typed: sizeof reads and writes nothing.
  const bool evaluate = ev_.evaluate;
  ev_.evaluate = false;
  EvalValue operand = expression();
  ev_.evaluate = evaluate;
  if (next().kind != Tok::RParen) fail(msg::SyntaxError);
  return numberValue(valueTypeSize(operand.rec));
}

EvalValue Parser::functionValue(const EvalFunction& f) {
  EvalValue v;
  v.rec.type = addPointer(addDerivation(f.returnType, Derivation::Function));
  v.rec.aux = f.aux;
  v.rec.aux.insert(v.rec.aux.begin(), AuxWord{f.pointerAttributes, aggregateOf(f.aux)});
  v.rec.auxOwned = true;
  v.rec.pointerAttributes = f.pointerAttributes;
  v.rec.addressSpace = f.addressSpace;
  v.rec.address = f.entry;
  v.rec.setInt(static_cast<int32_t>(f.entry));
  v.rec.locationClass = f.storageClass;
  v.rec.symbolKind = f.storageClass;
  return v;
}

EvalValue Parser::symbolValue(const EvalSymbol& s) {
  EvalValue v;
  ValueRecord& r = v.rec;
  r.symbolLink = s.link;
  r.symbolKind = s.storageClass;
  r.addressSpace = s.addressSpace;
  r.pointerAttributes = s.pointerAttributes;
  r.type = s.type;
  r.aux = s.aux;
  v.rec.place = {s.bitNumber, s.bitWidth};
  const bool saved = s.registerArgumentsSaved;
  const StorageClassInfo& cls = storageClass(s.storageClass);
  if (cls.is(scp::Function)) {
    r.type = tc::UnsignedLong;
    r.address = s.address;
    r.locationClass = s.storageClass;
  } else if (cls.place == FramePlace::FirstArgument) {
    // Until it is saved the argument is still in its register.
    r.address = frameAddress(s);
    r.locationClass = saved ? sc::Memory : sc::FirstRegisterArgument;
  } else if (s.storageClass == sc::Register || s.storageClass == sc::EnumMember) {
    r.address = s.address;  // the register number or the member value
    r.locationClass = s.storageClass;
  } else if (s.storageClass == sc::RegisterArgument) {
    // An argument kept in a register: until the function has moved it there, it is where the
    // call passed it (A, or X:A for wider values).
    r.address = saved ? s.secondAddress : static_cast<uint32_t>(firstArgumentRegister(s.type));
    r.locationClass = sc::Register;
  } else {
    r.address = frameAddress(s);
    r.locationClass = s.storageClass;
  }
  load(v);
  return v;
}

uint32_t Parser::frameAddress(const EvalSymbol& s) {
  const FramePlace place = storageClass(s.storageClass).place;
  if (place == FramePlace::Fixed) return s.address;
  const std::optional<uint32_t> base = ev_.evaluate ? ev_.env().frameBase(s) : std::nullopt;
  if (!base) {
    // No active call of the symbol's function: it has no place, and whatever lies at
    // address 0 is not its value.
    if (ev_.evaluate) fail(msg::NotAccessible);
    return 0;
  }
  switch (place) {
    case FramePlace::RegisterNumber: return s.address;
    case FramePlace::AboveBase: return *base + s.address + 2;
    case FramePlace::BelowBase: return *base - s.address;
    case FramePlace::FirstArgument:
      if (!s.registerArgumentsSaved) return static_cast<uint32_t>(firstArgumentRegister(s.type));
      return s.storageClass == sc::FirstRegisterArgument ? *base + s.address : s.address;
    default: return *base;
  }
}

}  // namespace yav
