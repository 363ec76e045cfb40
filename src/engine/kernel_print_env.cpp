#include "engine/kernel_print_env.h"

#include "engine/kernel_eval.h"
#include "model/loader.h"

namespace yav {

TargetMemory* KernelPrintEnv::memory() { return targetMemory(k_); }

std::optional<std::string> KernelPrintEnv::functionNameAt(uint32_t address) {
  const FunctionEntry* f = k_.prog.program->tables.functionStartingAt(address);
  if (!f) return std::nullopt;
  return f->name;
}

bool KernelPrintEnv::reload(ValueRecord& v) { return evalReload(kernelEvaluator(k_), v); }

}  // namespace yav
