// The demo program loaded on the simulated board, with its own settings file: what the window
// models need to be tested against a real stop. Also reads addresses from the linker's map of
// the demo, so expectations come from the toolchain rather than from the debugger.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "support/fake_ui_port.h"
#include "target/chip_target.h"
#include "target/connection.h"

namespace yav::test {

class DemoBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("yav-ui-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ::setenv("YAV_INI", (dir_ / "YAVKT55R.INI").c_str(), 1);
    platform::iniSet("OPTIONS", "RESETONCONNECT", "NO");
    target::targetState(k).libraryFolder = platform::programFolder();
    ASSERT_TRUE(target::connectTarget(k));
    demo_ = std::filesystem::path(platform::programFolder()) / "examples/demo";
    if (!std::filesystem::exists(demo_ / "demo.s08")) GTEST_SKIP() << "demo program not built (sdcc missing)";
    run("path \"" + demo_.string() + "\"");
    run("load " + (demo_ / "demo.s08").string());
    ASSERT_TRUE(k.debugInfoLoaded);
    ui.out.clear();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void run(const std::string& line) { docmd(k, line.c_str(), 1); }
  std::filesystem::path tempFile(const std::string& name) const { return dir_ / name; }

  // The address the linker gave a symbol ("_main", "Fmain$fill_table$0$0"), from demo.map.
  std::optional<uint32_t> mapAddress(const std::string& symbol) const {
    std::ifstream in(demo_ / "demo.map");
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      std::string a, b, c;
      words >> a >> b;
      if (a.size() == 2 && a[1] == ':') words >> c; else c = b, b = a;
      if (c == symbol) return static_cast<uint32_t>(std::stoul(b, nullptr, 16));
    }
    return std::nullopt;
  }

  FakeUiPort ui;
  Kernel k{ui};
  std::filesystem::path dir_, demo_;
};

inline std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace yav::test
