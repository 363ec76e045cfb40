#include "engine/kernel.h"

#include "engine/eval_kernel_env.h"
#include "model/evaluator.h"

namespace yav {

EvalState::EvalState() = default;
EvalState::~EvalState() = default;

Kernel::~Kernel() {
  if (disp.log) std::fclose(disp.log);
  if (out.redirect) std::fclose(out.redirect);
}

}  // namespace yav
