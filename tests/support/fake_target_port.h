// A target port for engine tests: registers in a plain register file (writes can be refused),
// memory and download through whatever the test hands in, and counts of the other calls.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "engine/target_port.h"

namespace yav::test {

class FakeTargetPort : public TargetPort {
 public:
  FakeTargetPort(TargetMemory* memory = nullptr, CodeDownloader* downloader = nullptr)
      : mem(memory), dl(downloader) {}

  bool connected() const override { return isConnected; }
  bool readRegisters(RegisterFile& out) override {
    out = regs;
    return isConnected;
  }
  bool writeRegisters(const RegisterFile& in) override {
    if (!isConnected || refuseRegisters) return false;
    regs = in;
    return true;
  }
  TargetMemory* memory() override { return mem; }
  CodeDownloader* downloader() override { return dl; }
  bool reset(int) override {
    ++resets;
    return isConnected;
  }
  bool stop() override {
    ++stops;
    return true;
  }
  void loadBreaks(bool) override { ++breakLoads; }
  void loadFunctionBreaks(FunctionEntry& f) override { f.armed = 1; }
  bool startCode() override { return isConnected; }
  std::optional<uint32_t> run(bool) override { return std::nullopt; }
  bool instructionStep() override { return false; }
  bool straightLine(uint32_t, uint32_t) override { return true; }
  // Pins known by name; driving one sets its level (-1 lets it go: it reads 1).
  std::optional<int> pin(const std::string& name, std::optional<int> level) override {
    const auto it = pins.find(name);
    if (!isConnected || it == pins.end()) return std::nullopt;
    if (level) it->second = *level < 0 ? 1 : *level;
    return it->second;
  }
  std::map<std::string, int> pins;
  // Simulated time; nothing: the target measures none.
  std::optional<double> simulatedMicroseconds() override { return isConnected ? microseconds : std::nullopt; }
  std::optional<double> microseconds;

  RegisterFile regs;
  bool isConnected = true;
  bool refuseRegisters = false;
  TargetMemory* mem;
  CodeDownloader* dl;
  int resets = 0, stops = 0, breakLoads = 0;
};

}  // namespace yav::test
