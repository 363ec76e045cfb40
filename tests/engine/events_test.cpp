// Breakpoints, watchpoints, change and data events on the demo program: creation and its
// refusals, listing, numbering, switching, deletion, saving, and the evaluation at a stop.
// Line numbers are those of examples/demo/main.c: main() runs from line 18 to line 38, line 20
// declares a local (no code), line 24 calls console_puts, line 26 console_putc.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "engine/events.h"
#include "engine/frames.h"
#include "engine/display_fixture.h"
#include "model/loader.h"

namespace yav::test {
namespace {

class EventsTest : public DisplayFixture {
 protected:
  std::string listing() { return run("b") + run("w"); }
  const DebugRecord* lineRecord(uint32_t line) {
    const SymbolTables& t = k.prog.program->tables;
    const DebugRecord* r = t.GetLineMatch(t.findFile("main.c"), line);
    EXPECT_NE(r, nullptr) << line;
    return r;
  }
  // A stop at a line of main(): the PC at the line's code, the frame of main, that line's record.
  std::optional<FiredEvent> stopAt(uint32_t line) {
    const DebugRecord* r = lineRecord(line);
    k.regs.file.pc = static_cast<uint16_t>(r->address);
    frame.function = r->function;
    frame.line = line;
    return evalevents(k, &frame, r);
  }
  static std::string hex(uint32_t v) {
    std::ostringstream s;
    s << "0x" << std::hex << v;
    return s.str();
  }
  EventState& events() { return eventState(k); }
  Frame frame;
};

constexpr const char* kTail = "  {} (user) (count = 1, left = 1) (on)\n";

TEST_F(EventsTest, ListingShowsThePlaceOfEachKind) {
  const uint32_t mainAt = address("main");
  const struct {
    const char* command;
    std::string line;
  } cases[] = {
      {"b main()", "(1)    main.c main():18:38"},
      {"b /e main()", "(1)    main.c main():18"},
      {"b main.c:24", "(1)    main.c:24"},
      {"b main.c:24:26", "(1)    main.c:24:26"},
      {"b main.c:", "(1)    main.c:anyline"},
      {"b @0x2080", "(1)    at absolute address: 0x    2080"},
      {"b main", "(1)    at: main (" + hex(mainAt) + ")"},
      {"b _main", "(1)    _main (" + hex(mainAt) + ")"},
      {"b mean", "(1)   mean "},
      {"db /t:w fact_result", "(1)    fact_result (write) "},
      {"db /t:r fact_result", "(1)    fact_result (read) "},
      {"db fact_result", "(1)    fact_result (access) "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.command), c.line + kTail) << c.command;
    EXPECT_EQ(run("b"), c.line + kTail) << c.command;
    run("del *");
  }
}

TEST_F(EventsTest, EmptyListsSayNoBreakpoint) {
  EXPECT_EQ(run("b"), "#error: no breakpoint\n");
  EXPECT_EQ(run("del *"), "#error: no breakpoint\n");
  run("w main.c:24");
  EXPECT_EQ(run("b"), "#error: no breakpoint\n");  // a watchpoint is not a breakpoint
  EXPECT_NE(run("w"), "#error: no breakpoint\n");
}

TEST_F(EventsTest, LineSpecRefusalsAreReportedAndKept) {
  const struct {
    const char* command;
    const char* report;
    int id;
  } cases[] = {
      {"b nosuch.c:3", "#error: nosuch.c: file not found\n", 75},
      {"b nosuch()", "#error: nosuch(): function not found\n", 76},
      {"b main():10", "#error: main():10: line not found\n", 77},
      {"b main.c:500", "#error: main.c:500: line not found\n", 77},
      {"b main.c:20", "#error: main.c:20: no code at that location\n", 85},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.command), c.report) << c.command;
    EXPECT_EQ(events().lastError, c.id) << c.command;
    EXPECT_TRUE(events().list.empty()) << c.command;
  }
  EXPECT_EQ(run("b :24"), "#error: Missing File/function specification for :24\n");
  run("b main.c:24");
  EXPECT_EQ(events().lastError, 0);
}

TEST_F(EventsTest, NewEventTakesTheLowestFreeNumber) {
  run("b main.c:24, main.c:26, main.c:28");
  run("del 2");
  EXPECT_EQ(run("b main.c:30"), std::string("(2)    main.c:30") + kTail);
  EXPECT_EQ(events().lastNumber, 2);
  EXPECT_EQ(run("b main.c:32"), std::string("(4)    main.c:32") + kTail);
}

TEST_F(EventsTest, CountFiresAtEveryThirdPassage) {
  run("b /c:3 main.c:24");
  std::string fired;
  for (int passage = 1; passage <= 7; ++passage) fired += stopAt(24) ? '1' : '0';
  EXPECT_EQ(fired, "0010010");
  EXPECT_FALSE(stopAt(26));  // another line of the same function never counts
}

TEST_F(EventsTest, SuspendedEventFiresOnlyOnceActivated) {
  EXPECT_EQ(run("b /i main.c:24"), "(1)    main.c:24  {} (user) (count = 1, left = 1) (off)\n");
  EXPECT_FALSE(stopAt(24));
  EXPECT_FALSE(stopAt(24));
  k.exec.lastmode = 0;
  run("b /a 1");
  EXPECT_EQ(k.exec.lastmode, ExecState::kReloadBreaks);
  ASSERT_TRUE(stopAt(24));
  run("b /s 1");
  EXPECT_FALSE(stopAt(24));
  EXPECT_EQ(run("b /a 9"), "#error: breakpoint not found\n");
  EXPECT_EQ(run("b /a main.c:24"), "#error: incorrect argumentfor:  Break/Watch activate \n");
}

TEST_F(EventsTest, SwitchingAllTouchesOnlyUserEvents) {
  k.disp.autoRemoveInternal = false;
  run("b /i main.c:24");
  LocSpec spec;
  locspec("main.c:26", spec);
  CodeEventRequest internal;
  internal.user = 0;
  internal.inactive = true;
  ASSERT_TRUE(setCodeEvent(k, spec, internal));
  run("b /a *");
  EXPECT_TRUE(findEvent(k, 1)->on);
  EXPECT_FALSE(findEvent(k, 2)->on);
}

TEST_F(EventsTest, SamePlaceUpdatesCountAndActionOfTheEvent) {
  run("w main.c:24 {u main.c:count = 1}");
  EXPECT_EQ(run("b /c:2 main.c:24 {u main.c:count = 2}"),
            "(1)    main.c:24  {u main.c:count = 2} (user) (count = 2, left = 2) (on)\n");
  ASSERT_EQ(events().list.size(), 1u);
  EXPECT_EQ(findEvent(k, 1)->watch, 1);  // still a watchpoint
  run("w main():24");                    // the same line named through its function
  EXPECT_EQ(events().list.size(), 1u);
  EXPECT_EQ(findEvent(k, 1)->action, "u main.c:count = 2");
}

TEST_F(EventsTest, ActionBlockWithoutBraceRunsToTheEndOfTheLine) {
  EXPECT_EQ(run("w main.c:24 {u main.c:count = 3"),
            "#error: '}' missing, assumed at end of line\n"
            "(1)    main.c:24  {u main.c:count = 3} (user) (count = 1, left = 1) (on)\n");
  run("w main.c:26 {}");
  EXPECT_EQ(findEvent(k, 2)->action, "");
  runCommandLine(k, "w main.c:28 {x {1}}; b main.c:30", 1);  // nested braces belong to the block
  EXPECT_EQ(findEvent(k, 3)->action, "x {1}");
  EXPECT_NE(findEvent(k, 4), nullptr);  // the command after the block runs
}

TEST_F(EventsTest, WatchpointActionRunsAndTheRunGoesOn) {
  run("w main.c:24 {u main.c:count = 7}");
  ui.out.clear();
  const std::optional<FiredEvent> fired = stopAt(24);
  ASSERT_TRUE(fired);
  EXPECT_EQ(fired->watch, 1);
  EXPECT_EQ(bytesAt(address("main.c:count"), 2), "0007");  // int is 16 bits, big-endian
  EXPECT_EQ(findEvent(k, 1)->hits, 1);
  EXPECT_FALSE(k.disp.eventAction);
  EXPECT_TRUE(k.disp.autoRemoveInternal);
  EXPECT_EQ(ui.out.find("*****"), std::string::npos);  // a watchpoint reports no breakpoint
}

TEST_F(EventsTest, ActionMayDeleteItsOwnEvent) {
  run("w /c:2 main.c:24 {del 1; b main.c:26}");
  EXPECT_FALSE(stopAt(24));
  const std::optional<FiredEvent> fired = stopAt(24);
  ASSERT_TRUE(fired);
  EXPECT_EQ(fired->num, 1);
  ASSERT_EQ(events().list.size(), 1u);
  EXPECT_EQ(events().list.front()->first, 26u);  // the new event took the freed number
  EXPECT_EQ(events().list.front()->count, 1);
}

TEST_F(EventsTest, BreakpointReportedOnlyAtTheOutermostLevel) {
  run("b main.c:24");
  ui.out.clear();
  ASSERT_TRUE(stopAt(24));
  EXPECT_EQ(ui.out, "***** breakpoint main.c:24\n");
  ui.out.clear();
  k.exec.depth = 2;
  ASSERT_TRUE(stopAt(24));
  EXPECT_EQ(ui.out, "");
}

TEST_F(EventsTest, SymbolBreakpointReportsItsAddress) {
  const uint32_t mainAt = address("main");
  run("b main");
  k.regs.file.pc = static_cast<uint16_t>(mainAt);
  ui.out.clear();
  ASSERT_TRUE(stopAt(21));
  char expected[64];
  std::snprintf(expected, sizeof expected, "***** breakpoint at absolute address: 0x%8x\n", mainAt);
  EXPECT_EQ(ui.out, expected);
}

TEST_F(EventsTest, ChangeEventSeesAChangedByte) {
  run("w mean");
  const uint32_t at = address("mean");
  EXPECT_FALSE(stopAt(24));
  ram.bytes[at + 3] ^= 0x40;  // the last byte of the float
  ui.out.clear();
  ASSERT_TRUE(stopAt(28));
  EXPECT_EQ(ui.out, "mean modified main():28\n");
  EXPECT_FALSE(stopAt(30));  // the saved value followed the variable
  EXPECT_FALSE(evalevents(k, nullptr, nullptr));  // no frame: not tested
}

TEST_F(EventsTest, InstructionLevelCheckReturnsCodeEventsAtOnce) {
  const uint32_t mainAt = address("main");
  run("b /c:2 main");
  k.regs.file.pc = static_cast<uint16_t>(mainAt);
  EXPECT_FALSE(evalevents(k, nullptr, nullptr));
  ui.out.clear();
  ASSERT_TRUE(evalevents(k, nullptr, nullptr));
  EXPECT_EQ(ui.out, "");  // reported later, by the check at the line
}

TEST_F(EventsTest, DataEventsNeedAStaticVariable) {
  EXPECT_EQ(run("db nosuch"), "#error: Incorrect argument for Variable break\n");
  EXPECT_EQ(run("db 1+2"), "#error: Illegal argument for Variable break (dynamic allocation)\n");
  k.regs.file.pc = static_cast<uint16_t>(address("main"));
  pushFrame(k, *k.prog.program->tables.findFunction("main"), nullptr);
  EXPECT_EQ(run("dw perimeter"), "#error: Illegal argument for Variable break (dynamic allocation)\n");
  EXPECT_TRUE(events().list.empty());
  run("dw /c:2 table[3]");
  EXPECT_EQ(findEvent(k, 1)->cls, ev::DataClass);
  EXPECT_EQ(findEvent(k, 1)->addr, address("table") + 3);
}

TEST_F(EventsTest, DeleteByEachForm) {
  const struct {
    const char* create;
    const char* del;
  } found[] = {
      {"b main.c:24", "del 1"},        {"b main():24:26", "del main.c:25"},
      {"b main.c:24", "delete main():24"}, {"b @0x2080", "del @0x2080"},
      {"b main", "del main"},          {"b _main", "del _main"},
      {"w mean", "del mean"},          {"dw count", "del /e 1"},
  };
  for (const auto& c : found) {
    run(c.create);
    EXPECT_EQ(run(c.del), "") << c.del;
    EXPECT_TRUE(events().list.empty()) << c.del;
  }
  const struct {
    const char* del;
    const char* report;
  } unknown[] = {
      {"del 5", "#error: breakpoint not found\n"},
      {"del main.c:26", "#error: Unknown Code Event: main.c:26\n"},
      {"del @0x1234", "#error: Unknown Absolute Event: @0x1234\n"},
      {"del main", "#error: Unknown Symbol Event: main\n"},
      {"del _main", "#error: Unknown Label Event: _main\n"},
      {"del mean", "#error: Unknown Data Event: mean\n"},
      {"del /m mean", "#error: Unknown Monitor: mean\n"},
      {"del /r mean", "#error:  Unknown Real Time Monitor: mean\n"},
  };
  run("b main.c:24");
  for (const auto& c : unknown) EXPECT_EQ(run(c.del), c.report) << c.del;
  EXPECT_EQ(events().list.size(), 1u);
  EXPECT_EQ(run("del /r *"), "");
  EXPECT_EQ(events().list.size(), 1u);
  run("m mean");
  EXPECT_EQ(run("del /m mean"), "");
  run("zero /e");
  EXPECT_TRUE(events().list.empty());
}

TEST_F(EventsTest, SavedEventsRecreateTheSameList) {
  run("b /c:3 main.c:24 {u main.c:count = 1; x 2}");
  run("w /e main()");
  run("b main():24:26");
  run("b @0x2080, _main, main");
  run("w mean");
  run("dw /t:w /c:2 fact_result");
  run("b /i main.c:");
  const std::string before = listing();
  const std::string saved = saveEvents(k);
  run("del *");
  std::istringstream lines(saved);
  for (std::string line; std::getline(lines, line);) EXPECT_EQ(run(line).find("#error"), std::string::npos) << line;
  EXPECT_EQ(listing(), before);
}

TEST_F(EventsTest, InternalEventsLastOneCommand) {
  docmd(k, "b main.c:24", 0);
  EXPECT_TRUE(events().list.empty());
  k.disp.autoRemoveInternal = false;
  docmd(k, "b main.c:24", 0);
  ASSERT_EQ(events().list.size(), 1u);
  EXPECT_EQ(run("b"), "(1)    main.c:24  {} (internal) (count = 1, left = 1) (on)\n");
  const std::optional<FiredEvent> fired = stopAt(24);
  ASSERT_TRUE(fired);
  EXPECT_EQ(fired->user, 0);
  EXPECT_TRUE(events().list.empty());  // removed before it was handed back
}

}  // namespace
}  // namespace yav::test
