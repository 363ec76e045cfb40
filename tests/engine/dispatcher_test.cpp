#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/cmdtab.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

struct DispatcherTest : ::testing::Test {
  test::FakeUiPort ui;
  Kernel k{ui};
  std::string lastBox() { return ui.boxes.empty() ? std::string() : ui.boxes.back(); }
};

TEST_F(DispatcherTest, WordsMatchWholeAndInAnyCase) {
  struct Case {
    const char* text;
    const char* row;  // expected row name, or null for unknown
  } cases[] = {
      {"STEP", "step"}, {"Step", "step"}, {"step", "step"}, {"s", "s"},   {"ste", nullptr},
      {"stepx", nullptr}, {"go/x", nullptr}, {"go x", "go"}, {"s;s", "s"}, {"rem\x7f", "rem"},
      {"x\xff", "x"},     {"*", "*"},        {"", nullptr},
  };
  for (const Case& c : cases) {
    const CmdRow* r = findCommand(k, c.text);
    if (!c.row) {
      EXPECT_EQ(r, nullptr) << c.text;
    } else {
      ASSERT_NE(r, nullptr) << c.text;
      EXPECT_STREQ(r->name, c.row) << c.text;
    }
  }
  EXPECT_EQ(findCommand(k, "STEP")->func, findCommand(k, "step")->func);
}

TEST_F(DispatcherTest, UnknownWordReportsItsText) {
  EXPECT_STREQ(docmd(k, "ste now", 1), "");
  EXPECT_EQ(lastBox(), "Error: unknown command: ste now\n");
  EXPECT_EQ(k.disp.commandCount, 0);
}

TEST_F(DispatcherTest, InternalWordsFollowTheSwitch) {
  docmd(k, "status", 1);
  EXPECT_EQ(lastBox(), "Error: unknown command: status\n");
  docmd(k, "internals", 1);
  docmd(k, "status", 1);
  EXPECT_EQ(ui.out, "STOPPED\n");
  k.exec.running = true;
  docmd(k, "status", 1);
  EXPECT_EQ(ui.out, "STOPPED\nRUNNING\n");
  docmd(k, "internals off", 1);
  ui.boxes.clear();
  docmd(k, "status", 1);
  EXPECT_EQ(lastBox(), "Error: unknown command: status\n");
}

TEST_F(DispatcherTest, SemicolonSplitsStatements) {
  docmd(k, "internals", 1);
  // docmd runs one statement and hands back the rest.
  EXPECT_STREQ(docmd(k, "status;status", 1), "status");
  EXPECT_EQ(ui.out, "STOPPED\n");
  ui.out.clear();
  runCommandLine(k, "  status;status ;  status", 1);
  EXPECT_EQ(ui.out, "STOPPED\nSTOPPED\nSTOPPED\n");
  ui.out.clear();
  runCommandLine(k, "status } status", 1);
  EXPECT_EQ(ui.out, "STOPPED\n");
}

TEST_F(DispatcherTest, TextAfterACommandWithoutSemicolonIsMissingSemicolon) {
  docmd(k, "internals", 1);
  EXPECT_STREQ(docmd(k, "status now", 1), "");
  EXPECT_EQ(ui.out, "STOPPED\n");
  EXPECT_EQ(lastBox(), "Error: missing ';': now\n");
}

TEST_F(DispatcherTest, NeedDebugWordsAreRefusedWithoutSourceAndDoNotCount) {
  docmd(k, "internals", 1);
  const uint16_t before = k.disp.commandCount;
  docmd(k, "files", 1);
  EXPECT_EQ(lastBox(), "Error: no C source defined\n");
  EXPECT_EQ(k.disp.commandCount, before);
  docmd(k, "internals", 1);
  EXPECT_EQ(k.disp.commandCount, before + 1);
}

TEST_F(DispatcherTest, StopKeyWhilePumpingSetsTheStopRequest) {
  k.exec.running = true;
  ui.nextPump.stop = true;
  docmd(k, "rem", 1);
  EXPECT_TRUE(k.exec.stopreq);
  EXPECT_FALSE(k.exec.running);
}

TEST_F(DispatcherTest, NotYetBuiltWordsReportCommandNotSupported) {
  docmd(k, "rtmem", 1);
  EXPECT_EQ(lastBox(), "Error: command not supported\n");
}

TEST_F(DispatcherTest, QuitStopsCountingAndAsksToClose) {
  docmd(k, "quit", 1);
  EXPECT_TRUE(ui.closeRequested);
  const uint16_t c = k.disp.commandCount;
  docmd(k, "rem", 1);
  EXPECT_EQ(k.disp.commandCount, c);
}

std::string slurp(const std::string& path) {
  std::ifstream f(path);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string temp_path(const char* name) { return ::testing::TempDir() + name; }

TEST_F(DispatcherTest, RecordLogsEveryLineIncludingComments) {
  const std::string log = temp_path("yav_record.log");
  docmd(k, ("record " + log).c_str(), 1);
  docmd(k, ";just a note", 1);
  docmd(k, "  ;x", 1);
  EXPECT_EQ(lastBox(), "Error: unknown command: ;x\n");
  docmd(k, ("record " + log).c_str(), 1);
  EXPECT_EQ(lastBox(), "Error: log file already opened\n");
  docmd(k, "record", 1);
  EXPECT_EQ(k.disp.log, nullptr);
  EXPECT_EQ(slurp(log), ";just a note\n  ;x\nrecord " + log + "\nrecord\n");
}

TEST_F(DispatcherTest, RecordIntoAnImpossiblePathReportsCannotCreate) {
  docmd(k, "record /nonexistent-dir/x.log", 1);
  EXPECT_EQ(lastBox(), "Error: cannot create file /nonexistent-dir/x.log\n");
}

TEST_F(DispatcherTest, EventActionLinesAreNotLogged) {
  const std::string log = temp_path("yav_record2.log");
  docmd(k, ("record " + log).c_str(), 1);
  k.disp.eventAction = true;
  docmd(k, "rem hidden", 0);
  k.disp.eventAction = false;
  docmd(k, "record", 1);
  EXPECT_EQ(slurp(log), "record\n");  // the opening line ran before the log existed
}

}  // namespace
}  // namespace yav
