#include "engine/eval_kernel_env.h"

#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "model/registers.h"
#include "model/symbols_lookup.h"

namespace yav {

namespace {

EvalSymbol toEvalSymbol(const SymbolEntry& s, const FunctionEntry* scope, bool saved) {
  EvalSymbol e;
  e.link = s.symbolLink;
  e.storageClass = s.storageClass;
  e.addressSpace = s.addressSpace;
  e.pointerAttributes = s.pointerAttributes;
  e.type = s.type;
  e.aux = s.aux;
  e.address = s.value;
  e.secondAddress = s.secondAddress;
  e.bitNumber = s.bitNumber;
  e.bitWidth = s.bitWidth;
  // Only the first argument arrives in a register; a static argument after it is in its place
  // from the call on.
  const bool firstArgument = scope && !scope->locals.empty() && &scope->locals.front() == &s;
  const bool laterInRegister = s.storageClass == sc::StaticRegisterArgument || s.storageClass == sc::RegisterArgument;
  e.registerArgumentsSaved = saved || (laterInRegister && !firstArgument);
  e.scope = scope;
  return e;
}

}  // namespace

// Names resolve in the selected frame: its function, and its register-argument flag (set once
// the function's arguments passed in registers sit in their frame slots). Without a frame, the
// function at the PC still gives the scope of its names, none of which has a frame address then.
FunctionEntry* KernelEvalEnv::currentFunction() {
  if (const Frame* f = selectedFrame(k_)) return f->function;
  return k_.prog.program->tables.functionAt(yav::currentPc(k_));
}

std::optional<EvalSymbol> KernelEvalEnv::lookupVariable(const QualifiedName& q, bool) {
  const SymbolTables& t = k_.prog.program->tables;
  FunctionEntry* current = currentFunction();
  const Frame* selected = selectedFrame(k_);
  const bool saved = selected && selected->registerArgumentsSaved;
  std::string_view function = q.function;
  if (q.hasFunction && function.empty()) {
    if (!current) return std::nullopt;
    function = current->name;
  }
  const VariableLookup r = yav::lookupVariable(t, q.hasFile ? std::string_view(q.file) : std::string_view(),
                                               q.hasFunction ? function : std::string_view(), q.variable, current, saved);
  if (r.symbol) return toEvalSymbol(*r.symbol, r.scope, r.registerArgumentsSaved);
  // An enum constant: a member of some enum descriptor of the program.
  if (!q.hasFile && !q.hasFunction) {
    for (const auto& [offset, d] : t.aggregates) {
      for (const AggregateMember& m : d->members) {
        if (m.storageClass != sc::EnumMember || m.name != q.variable) continue;
        EvalSymbol e;
        e.storageClass = sc::EnumMember;
        e.type = tc::Int;
        e.address = static_cast<uint32_t>(m.value);
        return e;
      }
    }
  }
  return std::nullopt;
}

bool KernelEvalEnv::registersHeldBySelectedFrame(bool argument) {
  const Frame* f = selectedFrame(k_);
  return !f || registersHeldBy(k_, *f, argument);
}

std::optional<uint32_t> KernelEvalEnv::frameBase(const EvalSymbol& symbol) {
  return frameBaseOf(k_, static_cast<const FunctionEntry*>(symbol.scope));
}

std::optional<EvalFunction> KernelEvalEnv::findFunction(std::string_view file, std::string_view name) {
  const SymbolTables& t = k_.prog.program->tables;
  const FileEntry* f = nullptr;
  if (!file.empty()) {
    f = t.findFile(file);
    if (!f) return std::nullopt;
  }
  const FunctionEntry* fn = t.findFunction(name, f);
  if (!fn || fn->isOuterScope()) return std::nullopt;
  EvalFunction e;
  e.entry = fn->address();
  e.returnType = outermost(fn->type) == Derivation::Function ? removeOutermost(fn->type) : fn->type;
  e.aux = fn->aux;
  e.addressSpace = fn->addressSpace;
  e.pointerAttributes = fn->memoryModel == 'H' ? kPointerFar : 0;  // banked: the pointer carries a page
  e.storageClass = fn->storageClass == sc::LocalFunction ? sc::LocalFunction : sc::GlobalFunction;
  return e;
}

std::optional<EvalType> KernelEvalEnv::findTypedef(std::string_view name) {
  auto fromScope = [&](const FunctionEntry* scope) -> std::optional<EvalType> {
    if (!scope) return std::nullopt;
    const SymbolEntry* s = scope->findLocal(name);
    if (!s || s->storageClass != sc::Typedef) return std::nullopt;
    return EvalType{s->type, s->aux, s->pointerAttributes};
  };
  if (auto t = fromScope(currentFunction())) return t;
  for (const auto& file : k_.prog.program->tables.files) {
    if (auto t = fromScope(file->outerScope())) return t;
  }
  return std::nullopt;
}

std::optional<EvalType> KernelEvalEnv::findTag(uint8_t kind, std::string_view tag) {
  const SymbolEntry* s = k_.prog.program->tables.findTag(kind, tag);
  if (!s) return std::nullopt;
  return EvalType{s->type, s->aux, s->pointerAttributes};
}

std::optional<uint32_t> KernelEvalEnv::findLabel(std::string_view name) {
  const LabelEntry* e = k_.prog.program->labels.rensym(name);
  if (!e) return std::nullopt;
  return e->value;
}

void KernelEvalEnv::setDebuggerVariable(std::string_view name, uint32_t value) {
  k_.prog.program->labels.createVariable(name, value);
}

int KernelEvalEnv::registerByName(std::string_view name) { return yav::registerByName(name); }

std::optional<uint32_t> KernelEvalEnv::readRegister(int number) { return yav::readRegister(k_.regs.file, number); }

bool KernelEvalEnv::setRegister(int number, uint32_t value) { return setKernelRegister(k_, number, value); }

uint32_t KernelEvalEnv::currentPc() { return yav::currentPc(k_); }

std::optional<double> KernelEvalEnv::simulatedMicroseconds() {
  if (!k_.target) return std::nullopt;
  return k_.target->simulatedMicroseconds();
}

// The user moved the program counter (the frames followed it): the views follow too.
void KernelEvalEnv::pcChanged() { k_.ui->refreshViews(kViewSource | kViewStack | kViewVariables); }

TargetMemory* KernelEvalEnv::memory() { return targetMemory(k_); }

bool KernelEvalEnv::writeMemory(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) {
  TargetMemory* m = targetMemory(k_);
  return m && m->write(space, address, bytes);
}

}  // namespace yav
