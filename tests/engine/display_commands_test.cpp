// Monitors, frames, activation, eval options and the source path.
#include <gtest/gtest.h>

#include "display_fixture.h"
#include "engine/display_state.h"
#include "engine/frames.h"
#include "model/loader.h"

namespace yav::test {
namespace {

class DisplayCommands : public DisplayFixture {};

TEST(DisplayMonitorList, NumbersReformatsAndWritesBack) {
  MonitorList list;
  EXPECT_EQ(declareMonitor(list, "a", ' '), 1);
  EXPECT_EQ(declareMonitor(list, "b", 'x'), 2);
  EXPECT_EQ(declareMonitor(list, "c", 'S'), 3);
  EXPECT_EQ(declareMonitor(list, "b", 'd'), 2);  // the same text only takes the new format
  EXPECT_TRUE(removeMonitor(list, 2));
  EXPECT_FALSE(removeMonitor(list, 2));
  EXPECT_EQ(declareMonitor(list, "d", 'C'), 2);  // the lowest free number, kept in order
  EXPECT_EQ(monitorCommands(list), "monit a\nmonit /c d\nmonit /s c\n");
  removeAllMonitors(list);
  EXPECT_TRUE(list.items.empty());
}

TEST_F(DisplayCommands, MonitorsShowAfterStateChangingCommands) {
  EXPECT_EQ(run("m main.c:count"), "    main.c:count = 0\n");
  EXPECT_EQ(run("monit /x main.c:count, mean"), "    main.c:count = 0x0\n    mean = 0x0\n");
  EXPECT_EQ(run("u main.c:count = 12"), "    main.c:count = 0 => 12\n    main.c:count = 0xc\n    mean = 0x0\n");
  EXPECT_EQ(run("files"), "          console.c\n          main.c\n          mathx.c\n          shapes.c\n");
  EXPECT_EQ(run("m nosuch"), "#error: variable can't be accessed\n    main.c:count = 0xc\n    mean = 0x0\n");
  EXPECT_EQ(displayState(k).monitors.items.size(), 2u);
  // A load forgets the monitors of the previous program.
  run("load " + demoProgramPath());
  EXPECT_TRUE(displayState(k).monitors.items.empty());
}

TEST_F(DisplayCommands, FramesFollowTheProgramCounter) {
  const std::pair<const char*, const char*> atEntry[] = {
      {"frame", "#error: no frame defined\n"},
      {"move /u", "#error: no frame defined\n"},
      {"vars", "#error: no frame defined\n"},
      {"move", "#error: no frame defined\n"},
  };
  for (const auto& [command, out] : atEntry) EXPECT_EQ(run(command), out) << command;

  const FunctionEntry* mainFn = k.prog.program->tables.findFunction("main");
  setKernelRegister(k, REG_SP, 0x17f0);
  setKernelRegister(k, REG_PPC, mainFn->address());
  const Frame* f = selectedFrame(k);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->function, mainFn);
  EXPECT_EQ(f->base, 0x17f1u);  // SP + 1: main takes no register argument
  EXPECT_EQ(frameBaseOf(k, mainFn), std::optional<uint32_t>(0x17f1));
  EXPECT_EQ(frameBaseOf(k, k.prog.program->tables.findFunction("factorial")), std::nullopt);
  EXPECT_EQ(run("frame"), "main() at main.c:" + std::to_string(f->line) + "\n");
  for (const char* m : {"move /u", "move /t", "move /d main()", "move /b"}) EXPECT_EQ(run(m), "") << m;

  // Further into the same function with less stack: the base made at the entry stays.
  setKernelRegister(k, REG_SP, 0x17e0);
  setKernelRegister(k, REG_PPC, mainFn->address() + 3);
  EXPECT_EQ(selectedFrame(k)->base, 0x17f1u);
  EXPECT_TRUE(selectedFrame(k)->registerArgumentsSaved);
  // Outside every function there is no frame.
  setKernelRegister(k, REG_PPC, 0x2080);
  EXPECT_EQ(selectedFrame(k), nullptr);
}

// Execution reaches line entries of fill_table (main.c 11-16): its entry pushes a frame, the
// end of its prologue marks the arguments saved, a line moves the frame's line, its exit pops it.
TEST_F(DisplayCommands, ReachedLineEntriesPushAndPopFrames) {
  FunctionEntry* fn = k.prog.program->tables.findFunction("fill_table");
  ASSERT_NE(fn, nullptr);
  const std::vector<DebugRecord>& records = k.prog.program->tables.records;
  auto entryOfKind = [&](uint8_t kind) -> const DebugRecord* {
    for (size_t i = fn->startRecord; i < records.size() && records[i].kind != rk::FunctionEnd; ++i)
      if (records[i].function == fn && records[i].kind == kind) return &records[i];
    return nullptr;
  };
  const DebugRecord* start = entryOfKind(rk::FunctionStart);
  const DebugRecord* prologue = entryOfKind(rk::FunctionLine);
  const DebugRecord* line = entryOfKind(rk::Line);
  const DebugRecord* exit = entryOfKind(rk::FunctionExit);
  ASSERT_TRUE(start && prologue && line && exit);
  auto reach = [&](const DebugRecord* r) {
    k.regs.file.pc = static_cast<uint16_t>(r->address);  // where the run loop found the target
    return reachLineEntry(k, *r, false);
  };
  fn->active = 2;  // activated by execution: its exit deactivates it again
  k.regs.file.sp = 0x17e0;
  EXPECT_EQ(reach(start), 0);
  ASSERT_EQ(frameChain(k).frames.size(), 1u);
  EXPECT_EQ(selectedFrame(k)->function, fn);
  EXPECT_FALSE(selectedFrame(k)->registerArgumentsSaved);
  EXPECT_EQ(selectedFrame(k)->sp, 0x17e0u);
  EXPECT_EQ(reach(start), 0);                   // the same call again: no second frame
  EXPECT_EQ(frameChain(k).frames.size(), 1u);
  EXPECT_EQ(reach(prologue), 0);
  EXPECT_TRUE(selectedFrame(k)->registerArgumentsSaved);
  EXPECT_EQ(reach(line), 1);
  EXPECT_EQ(selectedFrame(k)->line, line->startLine);
  EXPECT_EQ(run("frame"), "fill_table() at main.c:" + std::to_string(line->startLine) + "\n");
  ui.out.clear();
  reach(exit);
  EXPECT_TRUE(frameChain(k).frames.empty());
  EXPECT_EQ(ui.out, "fill_table() is now DEACTIVATED !!\n");
  EXPECT_EQ(fn->active, 0);
  ASSERT_TRUE(frameChain(k).lastRemoved);
  EXPECT_EQ(frameChain(k).lastRemoved->function, fn);
  EXPECT_EQ(run("frame"), "#error: no frame defined\n");

  // An inactive function gets its frame without showing the line; a function activated by
  // command keeps its state when its frame is popped.
  EXPECT_EQ(reach(line), 1);
  EXPECT_EQ(frameChain(k).frames.size(), 1u);
  fn->active = 1;
  reach(exit);
  EXPECT_EQ(fn->active, 1);
  // A pop may wait for the next unit only when the step showed a line: at a bare exit it is done.
  reach(start);
  k.regs.file.pc = static_cast<uint16_t>(exit->address);
  reachLineEntry(k, *exit, true);
  EXPECT_TRUE(frameChain(k).frames.empty());
  EXPECT_FALSE(frameChain(k).pendingPop);
}

TEST_F(DisplayCommands, ALoadWhoseEntryPointTheTargetRefusesSaysSo) {
  setKernelRegister(k, REG_PPC, 0x1234);
  targetPort->refuseRegisters = true;
  const std::string out = run("load " + demoProgramPath());
  EXPECT_EQ(out.find("entry point at"), std::string::npos) << out;
  EXPECT_NE(out.find("#error: Cannot Set PC to entry point 0x"), std::string::npos) << out;
  EXPECT_EQ(currentPc(k), 0x1234u);
}

TEST_F(DisplayCommands, ActivationAndTheCallStack) {
  auto state = [&](const char* name) { return k.prog.program->tables.findFunction(name)->active; };
  k.exec.lastmode = 0;
  EXPECT_EQ(run("activ main(), fill_table"), "");
  EXPECT_EQ(state("main"), 1);
  EXPECT_EQ(state("fill_table"), 1);
  EXPECT_EQ(k.exec.lastmode, ExecState::kReloadBreaks);  // the break list must be loaded again
  const std::pair<const char*, const char*> errors[] = {
      {"activ", "#error: Missing function for activate \n"},
      {"a nosuch()", "#error: nosuch(): function not found\n"},
      {"a main.c:", "#error: incorrect argument main.c:\n"},
      {"a @0x20cc", "#error: incorrect argument @0x20cc\n"},
  };
  for (const auto& [command, out] : errors) EXPECT_EQ(run(command), out) << command;
  setKernelRegister(k, REG_PPC, k.prog.program->tables.findFunction("main")->address());
  EXPECT_EQ(run("deact *"), "#error: main: function in stack frame\n");
  EXPECT_EQ(state("main"), 1);
  EXPECT_EQ(state("fill_table"), 0);
  EXPECT_EQ(run("a *"), "");
  EXPECT_EQ(state("factorial"), 1);
  EXPECT_EQ(k.prog.program->tables.findFunction("factorial")->armed, 0);
}

TEST_F(DisplayCommands, EvalOptions) {
  run("u main.c:count = 200");
  const std::pair<const char*, const char*> cases[] = {
      {"x main.c:count", "    main.c:count = 200\n"},
      {"x /x main.c:count", "    main.c:count = 0xc8\n"},
      {"x /h main.c:count", "    main.c:count = c8\n"},
      {"x /b main.c:count", "    main.c:count = 0b11001000\n"},
      {"x /o main.c:count", "    main.c:count = 0310\n"},
      {"x /d/x main.c:count", "#error: Unknown Option /x main.c:count\n"},
      {"x /dx main.c:count", "    main.c:count = 0xc8\n"},  // the last letter wins
      {"x /q main.c:count, 1", ""},
      {"x 1, 2", "    1 = 1\n    2 = 2\n"},
      {"x 1, nosuch, 2", "    1 = 1\n#error: variable can't be accessed\n"},
      {"x /F:X count", "#error: Wrong Format for /F: X\n"},
      {"x /F count", "#error:  Wrong option \n"},
      {"x /F:B _main", "    [_main].b = 166\n"},
      {"x /X /F:W _main", "    [_main].w = 0xa602\n"},
      {"x /F:L _main", "    [_main].l = 2785199896\n"},
      {"x shapes[1].corner", "    shapes[1].corner = {x=0, y=0}\n"},
  };
  for (const auto& [command, out] : cases) EXPECT_EQ(run(command), out) << command;
}

TEST_F(DisplayCommands, VariablesOfAScope) {
  run("u main.c:count = 3");
  const std::pair<const char*, const char*> cases[] = {
      {"print /a main.c:", "    count @0x100 = 3\n    table @0x102 = @0x102\n    fact_result @0x10a = 0\n"
                           "    mean @0x10e = 0.0\n"},
      {"print main()", "    perimeter = 0\n"},
      // fill_table is not running: its argument has no frame, and i's register is not recorded.
      {"vars fill_table", "    seed = variable can't be accessed\n    i = unknown register\n"},
      {"print main", "#error: unknown command: main\n"},
      {"print 12", "#error: incorrect argument 12\n"},
      {"print nosuch.c:", "#error: nosuch.c: file not found\n"},
      {"print", ""},
  };
  for (const auto& [command, out] : cases) EXPECT_EQ(run(command), out) << command;
}

TEST_F(DisplayCommands, SourcePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"path", "\"\"\n"},
      {"path \"/tmp\"", ""},
      {"path \"|/usr\"", ""},
      {"path \"/a|\"", ""},
      {"path", "\"/a|/tmp|/usr\"\n"},
      {"path foo", "#error: syntax error foo\n"},
      {"path \"\"", ""},
      {"path", "\"\"\n"},
  };
  for (const auto& [command, out] : cases) EXPECT_EQ(run(command), out) << command;
}

TEST_F(DisplayCommands, RegisterAndStackTracking) {
  EXPECT_EQ(run("wregs"), "");
  EXPECT_TRUE(k.disp.registerTracking);
  ui.refreshed.clear();
  run("x 1");
  ASSERT_FALSE(ui.refreshed.empty());
  EXPECT_TRUE(ui.refreshed.back() & kViewRegisters);
  run("wregs");
  EXPECT_FALSE(k.disp.registerTracking);
  run("wstack");
  EXPECT_TRUE(displayState(k).stackTracking);
}

}  // namespace
}  // namespace yav::test
