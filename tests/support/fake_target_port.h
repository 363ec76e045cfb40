// A target port for engine tests: registers in a plain register file (writes can be refused),
// memory and download through whatever the test hands in, and counts of the other calls. It is
// its own Setup side too: chip libraries, chip choice and settings held in plain fields.
#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/target_port.h"
#include "engine/target_setup.h"

namespace yav::test {

class FakeTargetPort : public TargetPort, public TargetSetup {
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

  // The link's course: counted; connecting answers whether the target does.
  bool connect() override {
    ++connects;
    return isConnected;
  }
  bool reconnect() override {
    ++reconnects;
    return isConnected;
  }
  void shutdown() override { ++shutdowns; }
  int fatalExitCode() const override { return exitCode; }
  int connects = 0, reconnects = 0, shutdowns = 0, exitCode = 0;

  // The Target menu: the ids run, in order; those in `menuItems` are handled, and `onCommand`
  // acts for them as the target would.
  std::string menuTitle() const override { return title; }
  bool handleTargetCommand(int id) override {
    commandsRun.push_back(id);
    if (std::find(menuItems.begin(), menuItems.end(), id) == menuItems.end()) return false;
    if (onCommand) onCommand(id);
    return true;
  }
  std::optional<int> resetCommandId() const override { return resetItem; }
  std::string title;
  std::vector<int> menuItems, commandsRun;
  std::function<void(int)> onCommand;
  std::optional<int> resetItem;

  // Verify: the requests, answered with `verifyAnswer`.
  VerifyResult verify(const VerifyRequest& request, const VerifyProgress&) override {
    verifyRequests.push_back(request);
    return verifyAnswer;
  }
  std::vector<VerifyRequest> verifyRequests;
  VerifyResult verifyAnswer;

  // The Setup side: selecting a chip makes it current when a library offers it.
  TargetSetup* setup() override { return this; }
  std::vector<ChipLibraryRecord> chipLibraries() const override { return libraries; }
  std::string chipName() const override { return chip; }
  bool selectChip(std::string_view name) override {
    for (const ChipLibraryRecord& rec : libraries)
      if (std::find(rec.chips.begin(), rec.chips.end(), name) != rec.chips.end()) {
        chip = std::string(name);
        return true;
      }
    return false;
  }
  CableReport cableReport() override { return cable; }
  int chipSetup(ChipSetupStep step) override {
    setupSteps.push_back(step);
    return chipSetupAnswer;
  }
  ConnectionSettings connectionSettings() const override { return settings; }
  void setConnectionSettings(const ConnectionSettings& s) override { settings = s; }
  std::vector<ChipLibraryRecord> libraries;
  std::string chip;
  CableReport cable;
  std::vector<ChipSetupStep> setupSteps;
  int chipSetupAnswer = 1;
  ConnectionSettings settings;

  RegisterFile regs;
  bool isConnected = true;
  bool refuseRegisters = false;
  TargetMemory* mem;
  CodeDownloader* dl;
  int resets = 0, stops = 0, breakLoads = 0;
};

}  // namespace yav::test
