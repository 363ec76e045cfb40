// The kernel's evaluator and register model: how commands evaluate expressions and reach the
// processor registers, with the target reached only through the target port.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/kernel.h"
#include "model/evaluator.h"
#include "model/registers.h"

namespace yav {

// Evaluates one expression at `text` (advanced past it) in the selected frame.
std::unique_ptr<ValueRecord> xexpr(Kernel& k, const char*& text, int& error, bool evaluate = true);

// The kernel's evaluator (created on first use, bound to the loaded program).
Evaluator& kernelEvaluator(Kernel& k);

// Reads the registers from the target into the kernel's copy, keeping the previous copy so
// that views can show what changed. False when no target answers.
bool refreshRegisters(Kernel& k);

// Sets one register: the copy, then the target; a refused write keeps the old value.
bool setKernelRegister(Kernel& k, int number, uint32_t value);

// The kernel's notion of the current PC: the paged program counter.
uint32_t currentPc(const Kernel& k);

}  // namespace yav
