#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/command_file.h"
#include "engine/dispatcher.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

namespace fs = std::filesystem;

struct CommandFileTest : ::testing::Test {
  test::FakeUiPort ui;
  Kernel k{ui};
  // One folder per test and process: ctest runs tests of this suite side by side.
  fs::path dir = fs::path(::testing::TempDir()) /
                 ("yav_cmdfiles_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir / "lib");
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& rel, const std::string& text) {
    std::ofstream(dir / rel, std::ios::binary) << text;
    return (dir / rel).string();
  }
};

TEST_F(CommandFileTest, EchoesEachLineAndReportsErrorsInline) {
  std::string f = write("a.in", "ste\ninternals\nstatus;status\r\nfiles\n");
  EXPECT_TRUE(runCommandFile(k, f));
  EXPECT_EQ(ui.out,
            "ste\n#error: unknown command: ste\n"
            "internals\n"
            "status;status\nSTOPPED\nSTOPPED\n"
            "files\n#error: no C source defined\n");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(k.cmdfile.inputMark);
  EXPECT_EQ(k.cmdfile.lastResult, 1);
}

TEST_F(CommandFileTest, QuietModeDoesNotEcho) {
  k.cmdfile.quiet = true;
  runCommandFile(k, write("q.in", "internals\nstatus\n"));
  EXPECT_EQ(ui.out, "STOPPED\n");
}

TEST_F(CommandFileTest, SearchesTheSourcePathAndReportsAMissingFile) {
  write("lib/found.in", "internals\nstatus\n");
  k.cmdfile.sourcePath = "/nowhere|" + (dir / "lib").string() + "/";
  docmd(k, "input found.in", 1);
  EXPECT_EQ(ui.out, "internals\nstatus\nSTOPPED\n");
  docmd(k, "input missing.in", 1);
  EXPECT_EQ(ui.boxes.back(), "Error: missing.in: cannot redirect\n");
  EXPECT_EQ(k.cmdfile.lastResult, 0);
}

TEST_F(CommandFileTest, NestedFilesRunCompletelyAndKeepTheOuterMark) {
  std::string inner = write("inner.in", "internals\n");
  std::string outer = write("outer.in", "input " + inner + "\nbogus\nstatus\n");
  runCommandFile(k, outer);
  EXPECT_EQ(ui.out, "input " + inner + "\ninternals\nbogus\n#error: unknown command: bogus\nstatus\nSTOPPED\n");
}

TEST_F(CommandFileTest, QuitEndsTheFile) {
  runCommandFile(k, write("quit.in", "internals\nquit\nstatus\n"));
  EXPECT_EQ(ui.out, "internals\nquit\n");
  EXPECT_TRUE(ui.closeRequested);
}

TEST_F(CommandFileTest, CloseRequestIsHeldBackUntilTheFileEnds) {
  std::string f = write("close.in", "internals\nstatus\n");
  ui.nextPump.closeRequested = true;  // arrives while the first line runs
  runCommandFile(k, f);
  EXPECT_EQ(ui.out, "internals\nstatus\nSTOPPED\n");
  EXPECT_TRUE(ui.closeRequested);
}

TEST_F(CommandFileTest, InputWithoutNameReportsMissingName) {
  docmd(k, "input", 1);
  EXPECT_EQ(ui.boxes.back(), "Error: missing input file name \n");
}

}  // namespace
}  // namespace yav
