// A kernel whose output reaches a command-window model, and the demo program's symbols.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "support/fake_ui_port.h"
#include "ui/command_window.h"

namespace yav::test {

inline std::filesystem::path buildFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

inline std::string demoProgram() { return (buildFolder() / "examples/demo/demo.s08").string(); }

class ModelUi : public FakeUiPort {
 public:
  void output(std::string_view text) override {
    if (model) model->output(text);
    else out += text;
  }
  CommandWindowModel* model = nullptr;
};

// Sets an environment variable for one test and puts the old value back.
class EnvSetting {
 public:
  EnvSetting(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~EnvSetting() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Loads the demo's symbols (no target: nothing is downloaded).
inline void loadDemoSymbols(Kernel& k) {
  ASSERT_TRUE(std::filesystem::exists(demoProgram())) << demoProgram();
  const std::string line = "load /S " + demoProgram();
  runCommandLine(k, line.c_str(), 1);
  ASSERT_FALSE(k.prog.program->tables.files.empty());
}

}  // namespace yav::test
