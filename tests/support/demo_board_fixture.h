// The demo program loaded on the simulated board, with its own settings file: what the window
// models need to be tested against a real stop. Also reads addresses from the linker's map of
// the demo, so expectations come from the toolchain rather than from the debugger.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "support/fake_ui_port.h"
#include "support/temp_settings.h"
#include "target/chip_target.h"
#include "target/connection.h"

namespace yav::test {

class DemoBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = std::make_unique<TempSettings>("yav-ui-");
    dir_ = settings_->dir;
    platform::iniSet("OPTIONS", "RESETONCONNECT", "NO");
    target::targetState(k).libraryFolder = platform::programFolder();
    demo_ = std::filesystem::path(platform::programFolder()) / "examples/demo";
    if (!std::filesystem::exists(demo_ / "demo.s08")) GTEST_SKIP() << "demo program not built (sdcc missing)";
    ASSERT_TRUE(target::connectTarget(k));
    run("path \"" + demo_.string() + "\"");
    run("load " + (demo_ / "demo.s08").string());
    ASSERT_TRUE(k.debugInfoLoaded);
    ui.out.clear();
  }
  void TearDown() override { settings_.reset(); }
  void run(const std::string& line) { docmd(k, line.c_str(), 1); }
  std::filesystem::path tempFile(const std::string& name) const { return dir_ / name; }

  // Runs to a place of the demo ("shapes.c:36", "/e shapes_perimeter()"), leaving no
  // breakpoint behind.
  void stopAt(const std::string& place) {
    run("del *");
    run("b " + place);
    run("go");
    run("del *");
  }
  // Inside shapes_walk() in main's first turn: shapes_init() and fill_table(0) have run.
  void stopInWalk() { stopAt("shapes.c:36"); }

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
  std::unique_ptr<TempSettings> settings_;
  std::filesystem::path dir_, demo_;
};

inline std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace yav::test
