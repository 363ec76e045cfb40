// Run control on real SDCC programs (the demo, blinky and the run-control program), checked
// against witnesses outside the debugger: the simulator's own record of calls in progress and its
// registers, SDCC's listings for addresses and lines, and the values the C code computes.
//
// For every function with source: each kind of breakpoint stops there; at every stop the frame
// chain is the simulator's call record (function, SP at entry, PC or return address of each
// frame, interrupt frames included); `finish`, from a stop reached by `go` and by `step`, ends
// right after the frame's return, at its return address with the caller's SP; locals and
// arguments of every frame evaluate to the C code's values or are reported not known.
#include <chrono>
#include <cstdio>
#include <sstream>

#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "target/connection.h"
#include "target/run_control_cases.h"
#include "target/sdcc_listing.h"
#include "target/sim_probe.h"
#include "target/target_fixture.h"

namespace yav::test {
namespace {

// A front-end whose stop request comes when a command has run longer than it may: a run that
// would go on for ever ends, and the test reports it as a hang.
class BoundedUi : public FakeUiPort {
 public:
  void arm(std::chrono::seconds limit) {
    deadline_ = std::chrono::steady_clock::now() + limit;
    armed_ = true;
    expired = false;
  }
  void disarm() { armed_ = false; }
  PumpResult pumpEvents() override {
    PumpResult r = FakeUiPort::pumpEvents();
    if (armed_ && std::chrono::steady_clock::now() > deadline_) {
      r.stop = true;
      expired = true;
    }
    return r;
  }
  bool expired = false;

 private:
  std::chrono::steady_clock::time_point deadline_;
  bool armed_ = false;
};

constexpr std::chrono::seconds kRunLimit{5};

std::string hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", v);
  return text;
}

class RunControl : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    k.ui = &bounded;
    setting("OPTIONS", "RESETONCONNECT", "NO");
    ASSERT_TRUE(target::connectTarget(k));
    ASSERT_TRUE(sim.attach()) << "the chip library has no entry emcalls";
  }

  // Loads `program` and reads its listings; false (with the test skipped) when SDCC did not
  // build it.
  bool load(const std::string& program) {
    const ProgramPlace& place = programPlace(program);
    const auto dir = std::filesystem::path(platform::programFolder()) / place.folder;
    const auto file = dir / (program + ".s08");
    if (!std::filesystem::exists(file)) return false;
    std::string error;
    listing = SdccListing::read(dir, program, error);
    EXPECT_TRUE(listing) << error;
    run("load " + file.string());
    EXPECT_TRUE(k.debugInfoLoaded);
    return listing && k.debugInfoLoaded;
  }

  void run(const std::string& line) { docmd(k, line.c_str(), 1); }
  // Runs an execution command with a time limit; false when it had to be stopped.
  bool runBounded(const std::string& line) {
    bounded.arm(kRunLimit);
    run(line);
    bounded.disarm();
    if (bounded.expired) ADD_FAILURE() << "`" << line << "` did not stop within " << kRunLimit.count() << " s (hang)";
    return !bounded.expired;
  }

  // From reset, with no events and an empty call record, through the case's prelude.
  bool startFresh(const RunCase& c) {
    run("del *");
    run("reset");
    sim.record();
    for (const char* line : c.prelude)
      if (!runBounded(line)) return false;
    return true;
  }

  const ListedFunction& listed(const char* name) {
    const ListedFunction* f = listing->function(name);
    if (!f) throw std::runtime_error(std::string("no function ") + name + " in SDCC's listings");
    return *f;
  }

  // The record's frames as text, innermost first, as the debugger's chain should read.
  std::vector<std::string> recordedChain() {
    const std::vector<yavsim_call> calls = sim.calls();
    std::vector<std::string> out;
    for (size_t i = calls.size(); i-- > 0;) {
      const uint16_t pc = i + 1 == calls.size() ? sim.pc() : calls[i + 1].return_address;
      out.push_back(listing->nameAt(calls[i].entry) + " sp=" + hex(calls[i].sp) + " pc=" + hex(pc));
    }
    return out;
  }
  std::vector<std::string> debuggerChain() {
    std::vector<std::string> out;
    for (const Frame& f : frameChain(k).frames)
      out.push_back((f.function ? f.function->name : std::string("(none)")) + " sp=" + hex(f.sp) + " pc=" + hex(f.pc));
    return out;
  }
  void expectChainIsTheRecord(const std::string& where) {
    EXPECT_EQ(debuggerChain(), recordedChain()) << where << ": frame chain (innermost first) against the simulator";
  }

  // The simulator stands at the entry of `f`, in a frame of its own.
  void expectStoppedAtEntry(const ListedFunction& f, const std::string& where) {
    const std::vector<yavsim_call> calls = sim.calls();
    ASSERT_FALSE(calls.empty()) << where << ": no call in progress";
    EXPECT_EQ(listing->nameAt(calls.back().entry), f.name) << where << ": innermost call";
    EXPECT_EQ(hex(sim.pc()), hex(f.entry)) << where << ": PC";
  }

  // Each expected value, evaluated in its frame; an error is accepted only where the value may
  // be unknown to the debugger.
  void expectValues(const std::vector<ExpectedValue>& values, const std::string& where) {
    FrameChain& chain = frameChain(k);
    const std::vector<yavsim_call> calls = sim.calls();
    for (const ExpectedValue& v : values) {
      const std::string what = where + ": frame " + std::to_string(v.frame) + " " + v.expression;
      if (v.frame >= calls.size()) {
        ADD_FAILURE() << what << ": the simulator has no such frame (the case is wrong)";
        continue;
      }
      const std::string function = listing->nameAt(calls[calls.size() - 1 - v.frame].entry);
      if (v.frame >= chain.frames.size() || !chain.frames[v.frame].function ||
          chain.frames[v.frame].function->name != function) {
        ADD_FAILURE() << what << ": the debugger has no frame of " << function << " there";
        continue;
      }
      chain.current = v.frame;
      int error = 0;
      const char* text = v.expression;
      const auto value = xexpr(k, text, error);
      chain.current = 0;
      if (error || !value) {
        if (v.need == Need::Known) ADD_FAILURE() << what << ": not known (" << errtext(error) << "), expected " << v.value;
        continue;
      }
      EXPECT_EQ(value->intValue(), v.value) << what;
    }
  }

  // `finish` from the stop the test stands at: it ends right after the innermost frame returns.
  void finishAndCheck(const std::string& where) {
    const std::vector<yavsim_call> before = sim.calls();
    ASSERT_FALSE(before.empty());
    const yavsim_call leaving = before.back();
    if (!runBounded("finish")) return;
    const std::string at = where + ", after finish";
    EXPECT_EQ(stopReasonName(k.exec.lastStop.reason), std::string("finish")) << at;
    EXPECT_EQ(hex(sim.pc()), hex(leaving.return_address)) << at << ": PC, the frame's return address";
    EXPECT_EQ(hex(sim.sp()), hex(leaving.sp + (leaving.interrupt ? 5 : 2))) << at << ": SP, the caller's";
    EXPECT_EQ(sim.calls().size(), before.size() - 1) << at << ": exactly the one frame left";
    expectChainIsTheRecord(at);
  }

  // From reset to the case's passage of its function through `b FUNC` and `go`; returns the
  // commands, for messages.
  std::string goToCase(const RunCase& c) {
    const ListedFunction& f = listed(c.function);
    const std::string command = breakCommand(BreakKind::Symbol, f.name, f.file, f.headerLine, f.entry, c.hit);
    if (!startFresh(c)) return command;
    run(command);
    if (runBounded("go")) expectStoppedAtEntry(f, command + "; go");
    return command + "; go";
  }

  BoundedUi bounded;
  SimProbe sim;
  std::optional<SdccListing> listing;
};

// ---- Each kind of breakpoint stops at the function, with the chain and values right.

class BreakpointStop : public RunControl, public ::testing::WithParamInterface<std::tuple<RunCase, BreakKind>> {};

TEST_P(BreakpointStop, StopsAtTheFunctionWithTheSimulatorsChainAndTheCsValues) {
  const auto& [c, kind] = GetParam();
  if (!load(c.program)) GTEST_SKIP() << c.program << " not built (sdcc missing)";
  const ListedFunction& f = listed(c.function);
  ASSERT_TRUE(startFresh(c));
  const std::string command = breakCommand(kind, f.name, f.file, f.headerLine, f.entry, c.hit);
  run(command);
  ASSERT_TRUE(runBounded("go"));
  const std::string where = command + "; go";
  EXPECT_EQ(stopReasonName(k.exec.lastStop.reason), std::string("breakpoint")) << where;
  expectStoppedAtEntry(f, where);
  expectChainIsTheRecord(where);
  expectValues(c.atStop, where);
}

// ---- `finish` from a stop reached by `go`.

class FinishAfterGo : public RunControl, public ::testing::WithParamInterface<RunCase> {};

TEST_P(FinishAfterGo, EndsRightAfterTheFrameReturns) {
  const RunCase& c = GetParam();
  if (!load(c.program)) GTEST_SKIP() << c.program << " not built (sdcc missing)";
  const std::string where = goToCase(c);
  ASSERT_FALSE(HasFatalFailure());
  run("del *");  // a recursive function would stop at its own breakpoint again
  finishAndCheck(where);
  expectValues(c.afterFinish, where + "; finish");
}

// ---- `finish` from a stop reached by `step` from the line of the call.

class FinishAfterStep : public RunControl, public ::testing::WithParamInterface<RunCase> {};

TEST_P(FinishAfterStep, EndsRightAfterTheFrameReturns) {
  const RunCase& c = GetParam();
  if (!load(c.program)) GTEST_SKIP() << c.program << " not built (sdcc missing)";
  const ListedFunction& f = listed(c.function);
  // Where the function is called from: the line of the call whose return address the record
  // holds at the function's entry.
  goToCase(c);
  ASSERT_FALSE(HasFatalFailure());
  const std::optional<ListedLine> call = listing->lineBefore(sim.calls().back().return_address);
  ASSERT_TRUE(call) << "no C line before the return address";
  const std::string callLine = call->file + ":" + std::to_string(call->line);

  // A C-line step goes over calls of inactive functions: the function is made active first.
  ASSERT_TRUE(startFresh(c));
  ASSERT_TRUE(runBounded("go " + callLine));
  run("activ " + f.name);
  ASSERT_TRUE(runBounded("step"));
  const std::string where = "go " + callLine + "; activ " + f.name + "; step";
  const std::vector<yavsim_call> calls = sim.calls();
  ASSERT_FALSE(calls.empty()) << where;
  ASSERT_EQ(listing->nameAt(calls.back().entry), f.name) << where << ": the step did not enter " << f.name;
  expectChainIsTheRecord(where);
  finishAndCheck(where);
}

std::string caseName(const RunCase& c) {
  std::string name = std::string(c.program) + "_" + c.function;
  if (c.hit > 1) name += "_hit" + std::to_string(c.hit);
  return name;
}

INSTANTIATE_TEST_SUITE_P(Programs, BreakpointStop,
                         ::testing::Combine(::testing::ValuesIn(runCases()), ::testing::ValuesIn(kBreakKinds)),
                         [](const auto& info) {
                           return caseName(std::get<0>(info.param)) + "_" + breakKindName(std::get<1>(info.param));
                         });
INSTANTIATE_TEST_SUITE_P(Programs, FinishAfterGo, ::testing::ValuesIn(returningCases()),
                         [](const auto& info) { return caseName(info.param); });
INSTANTIATE_TEST_SUITE_P(Programs, FinishAfterStep, ::testing::ValuesIn(steppedIntoCases()),
                         [](const auto& info) { return caseName(info.param); });

}  // namespace
}  // namespace yav::test
