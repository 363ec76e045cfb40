// The evaluator's view of the kernel: the loaded program's symbols and labels, the register
// model, the frame chain and target memory.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "engine/kernel.h"
#include "model/eval_env.h"

namespace yav {

struct FunctionEntry;

class KernelEvalEnv : public EvalEnv {
 public:
  explicit KernelEvalEnv(Kernel& k) : k_(k) {}

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
  bool registersHeldBySelectedFrame(bool argument) override;
  uint32_t currentPc() override;
  void pcChanged() override;
  std::optional<double> simulatedMicroseconds() override;
  TargetMemory* memory() override;
  bool writeMemory(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) override;

 private:
  FunctionEntry* currentFunction();
  Kernel& k_;
};

}  // namespace yav
