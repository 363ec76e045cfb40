// A kernel wired to the simulated cable and chip libraries of the build tree, with its own
// settings file and a clean fault environment.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/kernel.h"
#include "target/chip_target.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "support/fake_ui_port.h"

namespace yav::test {

inline constexpr const char* kFaultVariables[] = {
    "YAVSIM_NO_CABLE",     "YAVSIM_CABLE_ERROR",  "YAVSIM_LINK_LOST_AFTER", "YAVSIM_FAIL_EMLOAD",
    "YAVSIM_REFUSE_PUTREGS", "YAVSIM_NO_BACKGROUND", "YAVSIM_USB_DEVICES",     "YAVSIM_LPT_PORTS",
};

class TargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : kFaultVariables) ::unsetenv(v);
    dir_ = std::filesystem::temp_directory_path() /
           ("yav-target-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ini_ = (dir_ / "YAVKT55R.INI").string();
    ::setenv("YAV_INI", ini_.c_str(), 1);
    target::targetState(k).libraryFolder = platform::programFolder();
  }
  void TearDown() override {
    for (const char* v : kFaultVariables) ::unsetenv(v);
    std::filesystem::remove_all(dir_);
  }
  void setting(const char* section, const char* key, const std::string& value) {
    ASSERT_TRUE(platform::iniSet(section, key, value));
  }
  std::string file(const std::string& name, const std::string& text) {
    std::string path = (dir_ / name).string();
    std::ofstream(path) << text;
    return path;
  }
  bool boxSaid(const std::string& text) const {
    for (const std::string& b : ui.boxes)
      if (b.find(text) != std::string::npos) return true;
    return false;
  }

  FakeUiPort ui;
  Kernel k{ui};
  std::filesystem::path dir_;
  std::string ini_;
};

}  // namespace yav::test
