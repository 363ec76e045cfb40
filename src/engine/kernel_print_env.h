// The kernel as the value printers see it: target memory through the target port, function names
// from the loaded program, member and element reloads through the kernel's evaluator, the
// output settings. Each printer decides where the text goes.
#pragma once
#include "engine/kernel.h"
#include "model/print_env.h"

namespace yav {

class KernelPrintEnv : public PrintEnv {
 public:
  explicit KernelPrintEnv(Kernel& k) : k_(k) {}
  TargetMemory* memory() override;
  std::optional<std::string> functionNameAt(uint32_t address) override;
  int defaultRadix() const override { return k_.out.defaultRadix; }
  bool reload(ValueRecord& v) override;

 protected:
  Kernel& k_;
};

}  // namespace yav
