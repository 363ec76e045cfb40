// The demo program loaded on the simulated board, for the view models that read live values:
// each test has its own settings file and goes to the stops it needs.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
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
    const std::filesystem::path demo = std::filesystem::path(platform::programFolder()) / "examples/demo";
    if (!std::filesystem::exists(demo / "demo.s08")) GTEST_SKIP() << "demo program not built (sdcc missing)";
    ASSERT_TRUE(target::connectTarget(k));
    run("path \"" + demo.string() + "\"");
    run("load " + (demo / "demo.s08").string());
    ASSERT_TRUE(k.debugInfoLoaded);
    ui.out.clear();
  }
  void TearDown() override { settings_.reset(); }
  void run(const std::string& line) { docmd(k, line.c_str(), 1); }
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
  std::filesystem::path tempFile(const std::string& name) const { return dir_ / name; }

  FakeUiPort ui;
  Kernel k{ui};
  std::unique_ptr<TempSettings> settings_;
  std::filesystem::path dir_;
};

}  // namespace yav::test
