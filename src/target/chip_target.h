// The kernel's target port over the cable and chip libraries: registers, memory, download,
// reset, halt and the break system. It owns the target layer's state.
#pragma once
#include "engine/kernel.h"
#include "engine/target_port.h"
#include "target/target_access.h"
#include "target/target_state.h"

namespace yav::target {

// Writes code blocks through the chip library's load bracket.
class ChipDownloader : public CodeDownloader {
 public:
  explicit ChipDownloader(Kernel& k) : k_(k) {}
  bool begin() override;
  bool block(const uint8_t* data, uint32_t address, size_t length, uint32_t second, uint8_t flags) override;
  void end() override;

 private:
  Kernel& k_;
};

class ChipTarget : public TargetPort {
 public:
  explicit ChipTarget(Kernel& k) : k_(k), memory_(k), downloader_(k) {}
  ChipTarget(const ChipTarget&) = delete;
  ChipTarget& operator=(const ChipTarget&) = delete;

  bool connected() const override;
  bool readRegisters(RegisterFile& out) override;
  bool writeRegisters(const RegisterFile& in) override;
  TargetMemory* memory() override;
  CodeDownloader* downloader() override;
  bool reset(int flag) override;
  bool stop() override;
  void loadBreaks(bool withActiveFunctions) override;
  void loadFunctionBreaks(FunctionEntry& function) override;
  bool startCode() override;
  void beginRunLoop() override;
  std::optional<uint32_t> run(bool freeRun) override;
  std::optional<DataHit> dataBreakHit() override;
  std::optional<std::string> breakPlacementProblem() override;
  bool instructionStep() override;
  bool straightLine(uint32_t from, uint32_t to) override;
  std::optional<int> pin(const std::string& name, std::optional<int> level) override;
  std::optional<double> simulatedMicroseconds() override;

  TargetState state;

 private:
  Kernel& k_;
  ChipMemory memory_;
  ChipDownloader downloader_;
};

// The target layer's state of this kernel; the first call makes the kernel's target port.
TargetState& targetState(Kernel& k);
const TargetState& targetState(const Kernel& k);

// Conversion between the chip library's register block and the kernel's register file.
RegisterFile toRegisterFile(const RegisterBlock& block);
void toRegisterBlock(const RegisterFile& file, RegisterBlock& block);

}  // namespace yav::target
