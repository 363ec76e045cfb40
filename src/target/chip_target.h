// The kernel's target port over the cable and chip libraries: registers, memory, download,
// reset, halt, the break system, the link's course, the Target menu and the Setup dialog's side.
// It owns the target layer's state.
#pragma once
#include <memory>

#include "engine/kernel.h"
#include "engine/target_port.h"
#include "target/chip_setup.h"
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
  explicit ChipTarget(Kernel& k);
  ~ChipTarget() override;
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
  bool connect() override;
  bool reconnect() override;
  void shutdown() override;
  int fatalExitCode() const override;
  std::string menuTitle() const override;
  bool handleTargetCommand(int id) override;
  std::optional<int> resetCommandId() const override;
  VerifyResult verify(const VerifyRequest& request, const VerifyProgress& progress) override;
  TargetSetup* setup() override;

  TargetState state;

 private:
  Kernel& k_;
  ChipMemory memory_;
  ChipDownloader downloader_;
  ChipSetup setup_;
};

// The kernel's target port over the cable and chip libraries, made at start-up.
std::unique_ptr<TargetPort> makeTargetPort(Kernel& k);

// The target layer's state of this kernel, for the target layer's own functions and tests. The
// first call makes the kernel's target port when it has none; a kernel whose port is another
// (a test's fake) has no such state. The const form gives the defaults while there is no port.
TargetState& targetState(Kernel& k);
const TargetState& targetState(const Kernel& k);

// Conversion between the chip library's register block and the kernel's register file.
RegisterFile toRegisterFile(const RegisterBlock& block);
void toRegisterBlock(const RegisterFile& file, RegisterBlock& block);

}  // namespace yav::target
