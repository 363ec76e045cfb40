// The run loop and the execution commands on the demo program, through the simulated board: unit
// counting and its status texts, instruction steps, nested execution from event actions.
#include "engine/dispatcher.h"
#include "engine/kernel_eval.h"
#include "engine/display_state.h"
#include "engine/frames.h"
#include "target/connection.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

class RunLoopTest : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    setting("OPTIONS", "RESETONCONNECT", "NO");
    ASSERT_TRUE(target::connectTarget(k));
    const auto demo = std::filesystem::path(platform::programFolder()) / "examples/demo/demo.s08";
    if (!std::filesystem::exists(demo)) GTEST_SKIP() << "demo program not built (sdcc missing)";
    run("load " + demo.string());
    ASSERT_TRUE(k.debugInfoLoaded);
  }
  void run(const std::string& line) { docmd(k, line.c_str(), 1); }
  // The line the last stop showed, without its source text: "main.c:21".
  std::string stopLine() const {
    if (ui.stops.empty()) return {};
    const std::string& s = ui.stops.back();
    return s.substr(0, s.find(": "));
  }
  int count() {
    int error = 0;
    const char* text = "main.c:count";
    auto v = xexpr(k, text, error);
    return (error || !v) ? -1 : v->intValue();
  }
};

TEST_F(RunLoopTest, ACountedStepShowsItsProgressAndStopsAfterItsUnits) {
  run("go main.c:24");
  ASSERT_EQ(stopLine(), "main.c:24");
  ui.leftStatusLog.clear();
  run("step 3");
  EXPECT_EQ(stopLine(), "main.c:28");  // 25, 26, then the loop's first line (27 has no code)
  std::vector<std::string> counts;
  for (const std::string& s : ui.leftStatusLog) {
    if (s.rfind(" Stepping: ", 0) == 0) counts.push_back(s);
  }
  EXPECT_EQ(counts, (std::vector<std::string>{" Stepping: 1 out of 3 ", " Stepping: 2 out of 3 ", " Stepping: 3 out of 3 "}));
  EXPECT_EQ(ui.status[0], "Command");
  run("internals");
  ui.out.clear();
  run("status");
  EXPECT_EQ(ui.out, "STOPPED\n");
}

TEST_F(RunLoopTest, UnitsInsideInactiveFunctionsAreNotCounted) {
  // Stepping over calls of inactive functions: each C line of main counts once, however many
  // instructions the calls take.
  run("go main.c:28");
  const int before = count();
  run("step 9");  // 29 .. 36 (eight lines) and back to 28: one round of the loop
  EXPECT_EQ(stopLine(), "main.c:28");
  EXPECT_EQ(count(), before + 1);
}

TEST_F(RunLoopTest, AnInstructionStepMovesByOneInstruction) {
  run("go main.c:21");
  const uint32_t pc = currentPc(k);
  run("si");
  // main.c:21 writes SOPT1 (0x1802) with LDA #imm (2 bytes) then STA ext (3 bytes).
  EXPECT_EQ(currentPc(k), pc + 2);
  run("si 2");  // STA, then JSR console_init lands on its first instruction
  const FunctionEntry* init = k.prog.program->tables.findFunction("console_init");
  ASSERT_NE(init, nullptr);
  EXPECT_EQ(currentPc(k), init->address());
  EXPECT_NE(ui.out.find("console_init() is now ACTIVE !!\n"), std::string::npos);
}

TEST_F(RunLoopTest, ABreakpointWhoseActionGoesKeepsTheTargetRunning) {
  // The action's own `go` does not start a second loop: the outer one goes on to the next stop.
  run("go main.c:30");
  const int before = count();
  run("b main.c:36 { go }");
  run("b main.c:30");
  run("go");
  EXPECT_EQ(stopLine(), "main.c:30");
  EXPECT_EQ(count(), before + 1);  // the breakpoint at count++ was passed once
  EXPECT_EQ(k.exec.depth, 0);
  run("del *");
  run("b main.c:36 { x 1 }");  // a breakpoint with an action stops after running it
  run("go");
  EXPECT_EQ(stopLine(), "main.c:36");
}

TEST_F(RunLoopTest, EscapeStopsAFreeRunThatWouldNeverEnd) {
  run("go main.c:28");
  ui.stopAfterPumps = 50;  // no breakpoint: only the stop request can end this run
  run("go");
  EXPECT_EQ(ui.stopAfterPumps, 0);
  EXPECT_EQ(k.exec.depth, 0);
  EXPECT_FALSE(k.exec.running);
  EXPECT_EQ(ui.status[0], "Command");
  ASSERT_FALSE(ui.stops.empty());  // where it stopped is shown
  run("go main.c:28");
  ui.stopAfterPumps = 300;  // the same for a step that cannot end (main never returns)
  run("finish");
  EXPECT_EQ(ui.stopAfterPumps, 0);
  EXPECT_EQ(k.exec.depth, 0);
}

TEST_F(RunLoopTest, StepWithoutDebugInformationIsOneInstruction) {
  run("go main.c:21");
  k.debugInfoLoaded = false;  // as after loading a plain image of the same code
  const uint32_t pc = currentPc(k);
  run("step");
  EXPECT_EQ(currentPc(k), pc + 2);
  EXPECT_TRUE(k.exec.insnmode);
}

TEST_F(RunLoopTest, FinishOutsideFunctionsWithSourceRunsOneUnit) {
  // At the start-up code no function with source holds the PC: `finish` is a plain step.
  run("zero");
  run("finish");
  EXPECT_EQ(stopLine(), "main.c:21");
  EXPECT_FALSE(k.exec.finishmode);
}


// Every execution command ends in one stop record saying why the run ended, with the user events
// that fired, the PC and the depth of the call stack.
TEST_F(RunLoopTest, EachRunEndsInOneStopRecordSayingWhy) {
  struct Case {
    const char* command;
    StopReason reason;
    std::vector<uint16_t> events;
    size_t frames;  // console_putc <- console_puts <- main, as main.c:24 makes them
  };
  int error = 0;
  const char* at = "&fact_result";
  const std::unique_ptr<ValueRecord> place = xexpr(k, at, error);
  ASSERT_TRUE(place && !error);
  const uint32_t factResult = place->uintValue();
  const std::vector<Case> cases = {
      {"b console_putc", StopReason::StepEnd, {}, 0},  // (no run: no record)
      {"go", StopReason::Breakpoint, {1}, 3},
      {"step", StopReason::StepEnd, {}, 3},
      {"finish", StopReason::Finish, {}, 2},
      {"del *", StopReason::StepEnd, {}, 0},
      {"go main.c:29", StopReason::StepEnd, {}, 1},
      {"db /t:w fact_result", StopReason::StepEnd, {}, 0},
      {"go", StopReason::DataAccess, {1}, 1},
  };
  uint32_t serial = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const size_t before = ui.stopRecords.size();
    run(c.command);
    if (c.frames == 0) {
      EXPECT_EQ(ui.stopRecords.size(), before) << "a command that runs nothing ends in no stop";
      continue;
    }
    ASSERT_EQ(ui.stopRecords.size(), before + 1);
    const StopRecord& stop = ui.stopRecords.back();
    EXPECT_EQ(stopReasonName(stop.reason), std::string(stopReasonName(c.reason)));
    EXPECT_EQ(stop.events, c.events);
    EXPECT_EQ(stop.pc, currentPc(k));
    EXPECT_EQ(stop.frames, c.frames);
    EXPECT_EQ(stop.serial, ++serial);
    EXPECT_EQ(k.exec.lastStop.serial, stop.serial);
  }
  const StopRecord& data = ui.stopRecords.back();
  EXPECT_EQ(data.dataAddress, factResult);
  EXPECT_EQ(data.dataAccess, 'W');
  // A stop request ends a run that nothing else would end.
  run("del *");
  ui.stopAfterPumps = 50;
  run("go");
  EXPECT_EQ(ui.stopRecords.back().reason, StopReason::StopRequest);
}

// A watchpoint on data runs its action at each write and the run goes on; the stop comes from the
// breakpoint after it. fact_result = factorial(5) writes its four bytes one instruction after the
// other: the action runs four times.
TEST_F(RunLoopTest, ADataWatchpointActsAtEachWriteAndTheRunGoesOn) {
  run("go main.c:30");
  run("dw /t:w fact_result { mess \"written\\n\" }");
  run("b main.c:31");
  ui.out.clear();
  ui.stopRecords.clear();
  run("go");
  size_t writes = 0;
  for (size_t at = 0; (at = ui.out.find("written\n", at)) != std::string::npos; at += 8) ++writes;
  EXPECT_EQ(writes, 4u) << ui.out;
  ASSERT_EQ(ui.stopRecords.size(), 1u);
  EXPECT_EQ(ui.stopRecords.back().reason, StopReason::Breakpoint);
  EXPECT_EQ(stopLine(), "main.c:31");
}


// Whether the events can be placed is answered without a question, a box or a run; a change
// event takes the comparators of a write watch of its variable.
TEST_F(RunLoopTest, BreakPlacementIsJudgedWithoutAsking) {
  run("b main.c:30, main.c:31");
  EXPECT_EQ(k.target->breakPlacementProblem(), std::nullopt);
  run("db /t:w main.c:count");
  EXPECT_EQ(k.target->breakPlacementProblem(), std::optional<std::string>("Too Many Code Breakpoints."));
  run("del 2");
  EXPECT_EQ(k.target->breakPlacementProblem(), std::nullopt);
  run("b main.c:count");  // a change event: the second data break
  EXPECT_EQ(k.target->breakPlacementProblem(), std::nullopt);
  run("db /t:w fact_result");  // four bytes: two comparators more
  EXPECT_EQ(k.target->breakPlacementProblem(), std::optional<std::string>("Too Many DATA Breakpoints."));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace yav::test
