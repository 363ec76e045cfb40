#include "engine/kernel_print_env.h"

#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"

namespace yav {

TargetMemory* KernelPrintEnv::memory() { return targetMemory(k_); }

std::optional<std::string> KernelPrintEnv::functionNameAt(uint32_t address) {
  const FunctionEntry* f = k_.prog.program->tables.functionStartingAt(address);
  if (!f) return std::nullopt;
  return f->name;
}

// A member or element the target fails to give counts as an error shown.
bool KernelPrintEnv::reload(ValueRecord& v) {
  const bool ok = evalReload(kernelEvaluator(k_), v);
  if (!ok) errshown(k_);
  return ok;
}

}  // namespace yav
