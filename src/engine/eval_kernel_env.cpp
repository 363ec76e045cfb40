#include "engine/eval_kernel_env.h"

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
  e.registerArgumentsSaved = saved;
  e.scope = scope;
  return e;
}

// Code pointers of banked functions carry a page: they are far pointers.
constexpr uint16_t kFarPointer = 0x3000;

}  // namespace

std::optional<EvalSymbol> KernelEvalEnv::lookupVariable(const QualifiedName& q, bool) {
  const SymbolTables& t = k_.prog.program->tables;
  FunctionEntry* current = hooks_.currentFunction ? hooks_.currentFunction() : nullptr;
  const bool saved = hooks_.currentArgumentsSaved && hooks_.currentArgumentsSaved();
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

std::optional<uint32_t> KernelEvalEnv::frameBase(const EvalSymbol& symbol) {
  if (!hooks_.frameBase) return std::nullopt;
  return hooks_.frameBase(static_cast<const FunctionEntry*>(symbol.scope));
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
  e.pointerAttributes = fn->memoryModel == 'H' ? kFarPointer : 0;
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
  if (hooks_.currentFunction) {
    if (auto t = fromScope(hooks_.currentFunction())) return t;
  }
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

std::optional<uint32_t> KernelEvalEnv::readRegister(int number) {
  return hooks_.readRegister ? hooks_.readRegister(number) : std::nullopt;
}

bool KernelEvalEnv::setRegister(int number, uint32_t value) {
  return hooks_.setRegister && hooks_.setRegister(number, value);
}

uint32_t KernelEvalEnv::currentPc() { return hooks_.currentPc ? hooks_.currentPc() : 0; }

void KernelEvalEnv::pcChanged() {
  if (hooks_.pcChanged) hooks_.pcChanged();
}

TargetMemory* KernelEvalEnv::memory() { return k_.values.memory; }

bool KernelEvalEnv::writeMemory(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) {
  return hooks_.writeMemory && hooks_.writeMemory(space, address, bytes);
}

}  // namespace yav
