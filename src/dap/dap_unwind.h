// Callers the frame chain does not know: after a free run the debugger follows only the function
// where the run stopped. Its callers are found on the stack, as the return addresses that follow
// a call of the function above them.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"

namespace yav::dap {

struct CallerFrame {
  const FunctionEntry* function = nullptr;
  uint32_t returnAddress = 0;
  uint32_t line = 0;  // the line of the call
};

// The callers of `callee`, innermost first, from the return addresses on the stack above the
// stack pointer; the search ends at `main` or where no call of the function is found.
std::vector<CallerFrame> callersOnStack(Kernel& k, const FunctionEntry* callee);

}  // namespace yav::dap
