#include "engine/kernel_eval.h"

#include "engine/eval_kernel_env.h"
#include "engine/frames.h"
#include "model/loader.h"

namespace yav {

Evaluator& kernelEvaluator(Kernel& k) {
  if (!k.eval.evaluator) {
    k.eval.env = std::make_unique<KernelEvalEnv>(k);
    k.eval.evaluator = std::make_unique<Evaluator>(*k.eval.env);
  }
  return *k.eval.evaluator;
}

std::unique_ptr<ValueRecord> xexpr(Kernel& k, const char*& text, int& error, bool evaluate) {
  return xexpr(kernelEvaluator(k), text, error, evaluate);
}

bool refreshRegisters(Kernel& k) {
  RegisterFile fresh;
  if (!k.target || !k.target->readRegisters(fresh)) return false;
  k.regs.previous = k.regs.valid ? k.regs.file : fresh;
  k.regs.file = fresh;
  k.regs.valid = true;
  return true;
}

bool setKernelRegister(Kernel& k, int number, uint32_t value) {
  const uint32_t pcBefore = currentPc(k);
  const bool ok = setRegister(k.regs.file, number, value, [&k](const RegisterFile& f) {
    return k.target && k.target->writeRegisters(f);
  });
  // A program counter moved by hand: the frames start again where it points now.
  if (ok && (number == REG_PC || number == REG_PPC || number == REG_PPAGE) && currentPc(k) != pcBefore) {
    framesFollowPc(k);
  }
  return ok;
}

uint32_t currentPc(const Kernel& k) { return pagedPc(k.regs.file); }

}  // namespace yav
