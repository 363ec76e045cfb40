// A kernel with the demo program loaded into a simulated 64 KiB memory and a register file
// that can be told to refuse writes: what the display commands need, with no target library.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "engine/dispatcher.h"
#include "support/fake_target_port.h"
#include "engine/kernel.h"
#include "engine/kernel_eval.h"
#include "support/fake_ui_port.h"

namespace yav::test {

inline std::string demoProgramPath() {
  std::error_code ec;
  const auto exeDir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  for (const auto& p : {exeDir / "examples/demo/demo.s08", std::filesystem::path("../examples/demo/demo.s08")}) {
    if (std::filesystem::exists(p)) return std::filesystem::absolute(p).string();
  }
  return {};
}

class RamMemory : public TargetMemory {
 public:
  bool read(uint8_t, uint32_t address, std::span<uint8_t> out) override {
    if (address + out.size() > bytes.size()) return false;
    std::copy_n(bytes.begin() + address, out.size(), out.begin());
    return true;
  }
  bool write(uint8_t, uint32_t address, std::span<const uint8_t> in) override {
    if (address + in.size() > bytes.size()) return false;
    std::copy(in.begin(), in.end(), bytes.begin() + address);
    return true;
  }
  std::array<uint8_t, 0x10000> bytes{};
};

class RamDownloader : public CodeDownloader {
 public:
  explicit RamDownloader(RamMemory& m) : m_(m) {}
  bool begin() override { return true; }
  bool block(const uint8_t* data, uint32_t address, size_t length, uint32_t, uint8_t) override {
    return m_.write(0, address, std::span<const uint8_t>(data, length));
  }
  void end() override {}

 private:
  RamMemory& m_;
};

// A front-end that answers text prompts.
class PromptingUi : public FakeUiPort {
 public:
  bool askText(std::string_view, std::string_view prompt, std::string& answer) override {
    prompts.emplace_back(prompt);
    statusWhileAsked = status[0] + "|" + status[2];
    answer = textAnswer;
    return answerGiven;
  }
  std::vector<std::string> prompts;
  std::string statusWhileAsked;
  std::string textAnswer;
  bool answerGiven = true;
};

class DisplayFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string demo = demoProgramPath();
    if (demo.empty()) GTEST_SKIP() << "demo program not built (sdcc missing)";
    auto port = std::make_unique<FakeTargetPort>(&ram, &downloader);
    targetPort = port.get();
    k.target = std::move(port);
    k.cmdfile.inputMark = true;  // errors go to the output
    run("load " + demo);
  }
  std::string run(const std::string& line) {
    ui.out.clear();
    docmd(k, line.c_str(), 1);
    return ui.out;
  }
  uint32_t address(const std::string& expression) {
    const char* p = expression.c_str();
    int error = 0;
    auto v = xexpr(k, p, error, true);
    EXPECT_EQ(error, 0) << expression;
    return v->address;
  }
  std::string bytesAt(uint32_t a, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += fmtHex(ram.bytes[a + i]);
    return s;
  }
  static std::string fmtHex(uint8_t b) {
    const char* digits = "0123456789abcdef";
    return {digits[b >> 4], digits[b & 15]};
  }

  PromptingUi ui;
  Kernel k{ui};
  RamMemory ram;
  RamDownloader downloader{ram};
  FakeTargetPort* targetPort = nullptr;  // the kernel's target: registers, refusals
};

}  // namespace yav::test
