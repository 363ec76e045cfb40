#include "engine/kernel_eval.h"

#include "engine/eval_kernel_env.h"
#include "engine/frames.h"
#include "model/loader.h"

namespace yav {

namespace {

KernelEvalHooks make_hooks(Kernel& k) {
  KernelEvalHooks h;
  // Names resolve in the selected frame: its function, and its register-argument flag (set
  // once the function's arguments passed in registers sit in their frame slots). Without a
  // frame, the function at the PC still gives the scope of its names, none of which has a
  // frame address then.
  h.currentFunction = [&k]() -> FunctionEntry* {
    if (const Frame* f = selectedFrame(k)) return f->function;
    return k.prog.program->tables.functionAt(currentPc(k));
  };
  h.currentArgumentsSaved = [&k] {
    const Frame* f = selectedFrame(k);
    return f && f->registerArgumentsSaved;
  };
  h.frameBase = [&k](const FunctionEntry* f) -> std::optional<uint32_t> {
    return k.hooks.frameBase ? k.hooks.frameBase(k, f) : std::nullopt;
  };
  h.readRegister = [&k](int n) { return readRegister(k.regs.file, n); };
  h.setRegister = [&k](int n, uint32_t v) { return setKernelRegister(k, n, v); };
  h.currentPc = [&k] { return currentPc(k); };
  h.pcChanged = [&k] { k.ui->refreshViews(kViewSource); };
  h.writeMemory = [&k](uint8_t space, uint32_t address, std::span<const uint8_t> bytes) {
    return k.values.memory && k.values.memory->write(space, address, bytes);
  };
  return h;
}

}  // namespace

Evaluator& kernelEvaluator(Kernel& k) {
  if (!k.eval.evaluator) {
    k.eval.env = std::make_unique<KernelEvalEnv>(k, make_hooks(k));
    k.eval.evaluator = std::make_unique<Evaluator>(*k.eval.env);
    k.values.reload = [](Kernel& kk, ValueRecord& v) { return evalReload(kernelEvaluator(kk), v); };
    k.values.functionNameAt = [&k](uint32_t address) -> std::optional<std::string> {
      const FunctionEntry* f = k.prog.program->tables.functionStartingAt(address);
      if (!f) return std::nullopt;
      return f->name;
    };
  }
  return *k.eval.evaluator;
}

std::unique_ptr<ValueRecord> xexpr(Kernel& k, const char*& text, int& error, bool evaluate) {
  return xexpr(kernelEvaluator(k), text, error, evaluate);
}

bool refreshRegisters(Kernel& k) {
  RegisterFile fresh;
  if (!k.hooks.readTargetRegisters || !k.hooks.readTargetRegisters(k, fresh)) return false;
  k.regs.previous = k.regs.valid ? k.regs.file : fresh;
  k.regs.file = fresh;
  k.regs.valid = true;
  return true;
}

bool setKernelRegister(Kernel& k, int number, uint32_t value) {
  return setRegister(k.regs.file, number, value, [&k](const RegisterFile& f) {
    return k.hooks.writeTargetRegisters && k.hooks.writeTargetRegisters(k, f);
  });
}

uint32_t currentPc(const Kernel& k) { return pagedPc(k.regs.file); }

}  // namespace yav
