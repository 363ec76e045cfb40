#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
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

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(CommandFileTest, FilesRunningThemselvesStopAtTheNestingLimitAndGoOn) {
  // One file running itself, and two running each other: each level still runs its next line.
  const std::string self = write("self.in", "input " + (dir / "self.in").string() + "\nstatus\n");
  write("ping.in", "input " + (dir / "pong.in").string() + "\nstatus\n");
  write("pong.in", "input " + (dir / "ping.in").string() + "\nstatus\n");
  k.disp.internals = true;  // for `status`
  for (const std::string& start : {self, (dir / "ping.in").string()}) {
    ui.out.clear();
    EXPECT_TRUE(runCommandFile(k, start));
    EXPECT_EQ(count(ui.out, "#error: "), 1u) << start;
    EXPECT_EQ(count(ui.out, "in: command files nested more than 64 deep, not run\n"), 1u);
    EXPECT_EQ(count(ui.out, "STOPPED\n"), 64u);
    EXPECT_EQ(k.cmdfile.depth, 0);
    EXPECT_FALSE(k.cmdfile.inputMark);
  }
}

TEST_F(CommandFileTest, LinesLongerThan511CharactersAreSkippedWhole) {
  struct Case {
    std::string text;
    std::string out;  // with `name` for the file's path
  };
  k.disp.internals = true;  // for `status`
  const std::string pad511 = "status" + std::string(505, ' ');
  const Case cases[] = {
      // 511 characters before the line end are one command, with either line end.
      {pad511 + "\ninternals\n", pad511 + "\nSTOPPED\ninternals\n"},
      {pad511 + "\r\ninternals\n", pad511 + "\nSTOPPED\ninternals\n"},
      // One more is too long; the rest of the line is never run as a command of its own.
      {pad511 + " \ninternals\n", "#error: name: line 1 longer than 511 characters, skipped\ninternals\n"},
      {std::string(511, ' ') + "status\nrem\n", "#error: name: line 1 longer than 511 characters, skipped\nrem\n"},
      {"rem\n" + std::string(5000, 'x') + ";status", "rem\n#error: name: line 2 longer than 511 characters, skipped\n"},
  };
  for (const Case& c : cases) {
    ui.out.clear();
    const std::string name = write("long.in", c.text);
    EXPECT_TRUE(runCommandFile(k, name));
    std::string expected = c.out;
    if (size_t at = expected.find("name:"); at != std::string::npos) expected.replace(at, 4, name);
    EXPECT_EQ(ui.out, expected) << c.text.size();
  }
}

TEST_F(CommandFileTest, FoldersDevicesAndFifosAreRefusedWithoutWaiting) {
  const std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::alarm(20);  // a read that waits for a writer ends the test program instead of hanging it
  for (const std::string& name : {dir.string(), std::string("/dev/zero"), fifo}) {
    ui.boxes.clear();
    EXPECT_FALSE(runCommandFile(k, name));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0], "Error: " + name + ": cannot redirect (not a regular file)\n");
    EXPECT_EQ(k.cmdfile.lastResult, 0);
  }
  // `load` refuses a FIFO in the same way instead of waiting for a writer.
  ui.boxes.clear();
  docmd(k, ("load " + fifo).c_str(), 1);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], "Error: DBCOM: can't open: " + fifo + "\n");
  ::alarm(0);
}

}  // namespace
}  // namespace yav
