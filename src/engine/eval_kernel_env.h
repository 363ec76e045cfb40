// The evaluator's view of the kernel: the loaded program's symbols and labels, the register
// model, the frame chain and target memory.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "engine/kernel.h"
#include "model/eval_env.h"

namespace yav {

struct FunctionEntry;

// What the evaluator needs from parts of the kernel that hold their own state: the selected
// frame and the frame chain, the register model, and memory writes. Unset parts answer "none".
struct KernelEvalHooks {
  // Function of the selected frame (the current function when there is no frame), and its
  // register-argument flag.
  std::function<FunctionEntry*()> currentFunction;
  std::function<bool()> currentArgumentsSaved;
  // Frame base of the first frame, from the selected one outwards, running `function`.
  std::function<std::optional<uint32_t>(const FunctionEntry* function)> frameBase;
  std::function<std::optional<uint32_t>(int number)> readRegister;
  std::function<bool(int number, uint32_t value)> setRegister;
  std::function<uint32_t()> currentPc;
  std::function<void()> pcChanged;
  std::function<bool(uint8_t space, uint32_t address, std::span<const uint8_t> bytes)> writeMemory;
};

class KernelEvalEnv : public EvalEnv {
 public:
  KernelEvalEnv(Kernel& k, KernelEvalHooks hooks) : k_(k), hooks_(std::move(hooks)) {}

  std::optional<EvalSymbol> lookupVariable(const QualifiedName& name, bool inFrame) override;
  std::optional<uint32_t> frameBase(const EvalSymbol& symbol) override;
  std::optional<EvalFunction> findFunction(std::string_view file, std::string_view name) override;
  std::optional<EvalType> findTypedef(std::string_view name) override;
  std::optional<EvalType> findTag(uint8_t kind, std::string_view tag) override;
  std::optional<uint32_t> findLabel(std::string_view name) override;
  void setDebuggerVariable(std::string_view name, uint32_t value) override;
  int registerByName(std::string_view name) override;
  std::optional<uint32_t> readRegister(int number) override;
  bool setRegister(int number, uint32_t value) override;
  uint32_t currentPc() override;
  void pcChanged() override;
  TargetMemory* memory() override;
  bool writeMemory(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override;

 private:
  Kernel& k_;
  KernelEvalHooks hooks_;
};

}  // namespace yav
