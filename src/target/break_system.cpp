#include "target/break_system.h"

#include <chrono>
#include <thread>

#include "engine/errors.h"
#include "engine/events.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "target/chip_target.h"
#include "target/connection.h"
#include "target/console_port.h"
#include "target/target_access.h"

namespace yav::target {

namespace {

constexpr uint8_t kBreakEnableBit = 0x20;     // BDC status/control: hardware breakpoint enabled
constexpr uint32_t kTraceStatusAddress = 0x1818;
constexpr uint8_t kTraceStopBits = 0xC0;
constexpr uint8_t kActiveLineKinds = 0x25;    // function start, prologue end, function exit
constexpr uint8_t kEventLineKinds = 0x28;     // function start, source line
constexpr uint16_t kTraceMenuFirst = 20014, kTraceMenuLast = 20016;
constexpr int kSlots = Comparators::kSlots;

constexpr const char* kStepsOffer = "Do You Want To Use Instruction Steps ? \n\n(Non Real-Time Mode)";

const BreakEntry* breakAtPc(Kernel& k) { return findBreak(targetState(k).breaks, currentPc(k)); }

// A refusal of the break system: a warning, a stop request, no run.
void refuse(Kernel& k, const char* text) {
  k.ui->messageBox("Warning", text, MsgIcon::Warning);
  k.exec.stopreq = true;
}

// What the break hardware cannot take, for a free run with the list `b`: a refusal (the run must
// not start) or an offer of instruction steps. Nothing when the breaks fit.
struct LimitProblem {
  std::string text;
  bool offersSteps = false;
};

std::optional<LimitProblem> limitProblem(const TargetState& t, const BreakList& b) {
  if (b.entries.empty()) return std::nullopt;
  if (t.breakSystemUnavailable && b.total > 1) {
    return LimitProblem{"More than one Breakpoint\n\nwith Break System unavalaible to YAV\n\n", true};
  }
  if (t.runControl.trace.pending) {
    if (b.data > 0) return LimitProblem{"Can't Trace, Too Many DATA Breakpoints.", false};
    if (b.code > 1) return LimitProblem{"Can't Trace, Too Many CODE Breakpoints.", false};
  } else if (b.data > 2) {
    return LimitProblem{"Too Many DATA Breakpoints.", false};
  }
  if (b.data > 0 && b.code > 1) return LimitProblem{"Too Many Code Breakpoints.", false};
  if (b.total > 4) return LimitProblem{"Too Many Breakpoints (more than 4).\n\n", true};
  return std::nullopt;
}

// The limit checks before a run with breaks. Returns false when the run must not start; may
// switch the run to Stepping Mode when the user accepts instruction steps.
bool checkLimits(Kernel& k) {
  TargetState& t = targetState(k);
  RunControl& rc = t.runControl;
  const std::optional<LimitProblem> problem = limitProblem(t, t.breaks);
  if (!problem) return true;
  if (!problem->offersSteps) return refuse(k, problem->text.c_str()), false;
  // The answer holds for the rest of the command: a run that goes on after a watchpoint or a
  // count not yet reached does not ask again.
  if (!rc.stepsAnswer) rc.stepsAnswer = k.ui->askYesNo("Warning", problem->text + kStepsOffer);
  if (*rc.stepsAnswer) {
    rc.mode = RunMode::Stepping;
    return true;
  }
  k.exec.stopreq = true;
  return false;
}

void setBreakEnable(Kernel& k, bool on) {
  const CableEntries& c = targetState(k).cable;
  const uint8_t status = c.read_status();
  c.write_control(on ? (status | kBreakEnableBit) : (status & ~kBreakEnableBit));
}

void bdcBreakAt(Kernel& k, uint32_t address) {
  targetState(k).cable.write_breakpoint(bdcBreakpointAddress(address));
  setBreakEnable(k, true);
}

// Hard Breaks Mode with the break system: comparators for data breaks (and one code break in the
// BDC breakpoint), or for up to three code breaks with a fourth in the BDC breakpoint.
void armComparators(Kernel& k) {
  TargetState& t = targetState(k);
  const BreakList& b = t.breaks;
  Comparators& slots = t.runControl.comparators;
  if (b.data > 0) {
    int slot = 0, count = 0;
    for (const BreakEntry& e : b.entries) {
      if (e.kind != kBreakData || slot >= kSlots) continue;
      const uint8_t kind = static_cast<uint8_t>(e.access == 'W' || e.access == 'R' ? e.access : 'A');
      if (e.size > 1 && slot + 1 < kSlots) {
        slots.kinds[slot] = 'R';
        slots.addresses[slot] = e.address;
        slots.kinds[slot + 1] = kind;
        slots.addresses[slot + 1] = e.address + e.size - 1u;
        count = slot + 1;
        slot += 2;
        break;
      }
      slots.kinds[slot] = kind;
      slots.addresses[slot] = e.address;
      count = ++slot;
    }
    // The count covers exactly the slots filled (a range: up to its start slot, the chip library
    // reads the end from the slot after it), so no slot left over from an earlier run can act as
    // a code break at an address the user no longer breaks at.
    if (slot < kSlots) slots.kinds[slot] = 0;
    t.chip.SetBreaks(count, slots.kinds, slots.addresses);
    for (const BreakEntry& e : b.entries) {
      if (e.kind != kBreakData) {
        bdcBreakAt(k, e.address);
        break;
      }
    }
    return;
  }
  std::vector<uint32_t> code;
  for (const BreakEntry& e : b.entries) code.push_back(e.address);
  if (code.size() == 4) {
    for (int i = 0; i < 3; ++i) {
      slots.kinds[i] = 0;
      slots.addresses[i] = code[static_cast<size_t>(i) + 1];
    }
    t.chip.SetBreaks(3, slots.kinds, slots.addresses);
    bdcBreakAt(k, code[0]);
    return;
  }
  const int n = static_cast<int>(code.size() < kSlots ? code.size() : kSlots);
  for (int i = 0; i < n; ++i) {
    slots.kinds[i] = 0;
    slots.addresses[i] = code[static_cast<size_t>(i)];
  }
  t.chip.SetBreaks(n, slots.kinds, slots.addresses);
}

// Hard Breaks Mode without the break system: the chip library's own user breaks. False when the
// user declines a trace that may not work (the run must not start).
bool armUserBreaks(Kernel& k) {
  TargetState& t = targetState(k);
  RunControl& rc = t.runControl;
  setBreakEnable(k, false);
  int disable = 0;
  const int armed = t.chip.SetUserBreaks(1, &disable);
  rc.traceArmed = armed != 0;
  if (armed == -1) {
    if (!k.ui->askYesNo("Warning",
                        "Tracing from PC may not work.\n\nChange of flow possibly taken  in the next 3 cycles \n\n"
                        "Do you want to continue anyway ??\n")) {
      rc.traceArmed = false;
      k.exec.stopreq = true;
      return false;
    }
    rc.traceArmed = true;
  }
  for (uint16_t id = kTraceMenuFirst; id <= kTraceMenuLast; ++id) k.ui->enableCommand(id, disable == 0);
  if (t.breaks.entries.size() == 1) bdcBreakAt(k, t.breaks.entries.front().address);
  return true;
}

// Serves the front-end while the target runs, and passes on what the program wrote to its
// console port.
void pumpWhileRunning(Kernel& k) {
  if (k.ui->pumpEvents().stop) k.exec.stopreq = true;
  pollConsole(k);
}

// Waits for the running target to stop, pumping the front-end. A stop the board has reached is
// seen at once; the wait between polls grows to 2 ms, well inside the 10 ms a stop may go
// unnoticed, so a short run does not lose most of its time to the last wait.
void waitForStop(Kernel& k) {
  const CableEntries& c = targetState(k).cable;
  auto pause = std::chrono::microseconds(20);
  constexpr auto kLongest = std::chrono::milliseconds(2);
  for (;;) {
    pumpWhileRunning(k);
    if (k.exec.stopreq || c.test_for_freeze() != 0) return;
    std::this_thread::sleep_for(pause);
    if (pause < kLongest) pause = std::min<std::chrono::microseconds>(pause * 2, kLongest);
  }
}

// The program counter of the registers just read. A code break does not request a stop by
// itself: the event test at the stop decides, so a breakpoint with a count lets the run go on
// until its count is reached.
uint32_t stopAtPc(Kernel& k) { return currentPc(k); }

// The registers read again and the program counter; nothing when the target does not answer.
std::optional<uint32_t> pcNow(Kernel& k) {
  if (!refreshRegisters(k)) return std::nullopt;
  return currentPc(k);
}

// Adds the line entries of `fn` up to its end entry whose kind has one of the `kinds` bits, as
// source-line breaks without a stop.
void addLineEntries(BreakList& list, const SymbolTables& tables, const FunctionEntry& fn, uint8_t kinds) {
  if (fn.startRecord == kNoRecord) return;
  for (size_t i = fn.startRecord; i < tables.records.size(); ++i) {
    const DebugRecord& r = tables.records[i];
    if (r.function != &fn) continue;
    if (r.kind == rk::FunctionEnd) break;
    if (r.kind & kinds) insertBreak(list, {r.address, 0, 0, 0, kBreakLine, 'A'});
  }
}

std::optional<uint32_t> runStepping(Kernel& k) {
  TargetState& t = targetState(k);
  const CableEntries& c = t.cable;
  // The front-end is served every few hundred steps: often enough for Escape to feel immediate,
  // rare enough not to cost the steps their speed.
  constexpr unsigned kStepsPerPump = 256;
  for (unsigned n = 0;; ++n) {
    if (n % kStepsPerPump == 0) pumpWhileRunning(k);
    if (k.exec.stopreq) return pcNow(k);
    c.single_step();
    if (!refreshRegisters(k)) return std::nullopt;
    if (findBreak(t.breaks, currentPc(k))) {
      pollConsole(k);
      return stopAtPc(k);
    }
  }
}

// The byte at 0x1818 that says what stopped the CPU last (direct access).
uint8_t stopByte(const TargetState& t) {
  uint8_t bits = 0;
  t.chip.emget(&bits, kTraceStatusAddress | kDirectAccess, 1);
  return bits;
}

// The data break behind the comparator that stopped the target: the first slot sets bit 7 of the
// stop byte, any further one bit 6. A range's end slot belongs to the entry of its start.
std::optional<RunControl::DataHit> dataHitOf(const TargetState& t, uint8_t stopBits) {
  if (t.breaks.data == 0 || (stopBits & kTraceStopBits) == 0) return std::nullopt;
  const Comparators& slots = t.runControl.comparators;
  const int slot = (stopBits & 0x80) ? 0 : 1;
  const uint32_t address = slots.addresses[slot];
  for (const BreakEntry& e : t.breaks.entries) {
    if (e.kind != kBreakData) continue;
    const uint32_t size = e.size ? e.size : 1u;
    if (address >= e.address && address < e.address + size) return RunControl::DataHit{e.address, e.access};
  }
  return std::nullopt;
}

std::optional<uint32_t> runHardBreaks(Kernel& k) {
  TargetState& t = targetState(k);
  RunControl& rc = t.runControl;
  const CableEntries& c = t.cable;
  if (!t.breakSystemUnavailable) {
    // Leave the current instruction first: a break on it must not stop the run at once. The
    // data comparators watch that instruction too (a run that goes on after a watchpoint must
    // not miss the next instruction's access); no code break acts on a single step.
    if (t.breaks.data > 0) {
      armComparators(k);
      setBreakEnable(k, false);
    } else {
      t.chip.SetBreaks(0, nullptr, nullptr);
    }
    c.single_step();
    if (!refreshRegisters(k)) return std::nullopt;
    if (t.breaks.data > 0) {
      rc.dataHit = dataHitOf(t, stopByte(t));
      if (rc.dataHit) return stopAtPc(k);
    }
    if (breakAtPc(k)) return stopAtPc(k);
    setBreakEnable(k, false);
    if (t.chip.SetTrace) t.chip.SetTrace(0, 0, nullptr, nullptr);
    if (rc.trace.pending) {
      rc.traceArmed = true;
      rc.trace.pending = false;
      if (t.chip.SetTrace) t.chip.SetTrace(rc.trace.count, rc.trace.till, rc.trace.kinds, rc.trace.addresses);
    }
    armComparators(k);
  } else if (!armUserBreaks(k)) {
    return pcNow(k);
  }
  if (rc.resetBeforeRun) {
    resetTarget(k, 1);
    rc.resetBeforeRun = false;
  }
  c.resume();
  k.exec.stopreq = false;
  k.exec.running = true;
  waitForStop(k);
  k.exec.running = false;
  const bool requested = k.exec.stopreq;
  if (requested) haltTarget(k);
  pollConsole(k);
  if (!refreshRegisters(k)) return std::nullopt;
  int disable = 0;
  if (breakAtPc(k) && !requested) {
    t.chip.SetUserBreaks(0, &disable);
  } else {
    if ((c.read_status() & kBreakEnableBit) && c.read_breakpoint() == k.regs.file.pc) return currentPc(k);
    const uint8_t traceStatus = stopByte(t);
    if (!requested) rc.dataHit = dataHitOf(t, traceStatus);
    if ((traceStatus & kTraceStopBits) == 0 && !requested) {
      k.ui->messageBox("Info", "Target Stopped (Trace or user break)", MsgIcon::Info);
    }
    // A data break is the events' to judge (a watchpoint lets the run go on); anything else
    // that stopped the target ends the run.
    if (!rc.dataHit) k.exec.stopreq = true;
    t.chip.SetUserBreaks(0, &disable);
  }
  return stopAtPc(k);
}

}  // namespace

// Paged addresses are written in the page window. An address below 0x4000 is written as it is in
// every case: the code there runs at that address (RAM, the flash below the window), and a
// breakpoint moved into the window would never fire.
uint16_t bdcBreakpointAddress(uint32_t address) {
  if (address >= 0x10000) return static_cast<uint16_t>((address & 0x3FFF) | 0x8000);
  return static_cast<uint16_t>(address & 0xFFFF);
}

namespace {

// The code addresses of a line event: the line and function-start entries of its file (of its
// function alone when it is restricted to one), inside its line range unless it takes any line.
void addLineEvent(BreakList& list, const SymbolTables& tables, const Event& e) {
  if (!e.file && !e.func) return;
  auto addFunction = [&](const FunctionEntry& fn) {
    if (fn.startRecord == kNoRecord) return;
    for (size_t i = fn.startRecord; i < tables.records.size(); ++i) {
      const DebugRecord& r = tables.records[i];
      if (r.function != &fn) continue;
      if (r.kind == rk::FunctionEnd) break;
      if (!(r.kind & kEventLineKinds)) continue;
      if (e.first != 0 && (r.startLine < e.first || r.startLine > e.last)) continue;
      insertBreak(list, {r.address, 1, 0, 0, kBreakLine, 'A'});
    }
  };
  if (e.func) return addFunction(*e.func);
  for (const auto& fn : e.file->functions) addFunction(*fn);
}

void addEvent(BreakList& list, const SymbolTables& tables, const Event& e) {
  if (e.isData()) {
    if (!e.expr) return;
    const auto size = static_cast<uint8_t>(e.expr->size > 0xFF ? 0xFF : e.expr->size);
    insertBreak(list, {e.expr->address, 1, e.watch, size, kBreakData, e.kind});
    return;
  }
  switch (e.kind) {
    case ev::Line: return addLineEvent(list, tables, e);
    case ev::Address:
    case ev::Symbol:
    case ev::Label: return insertBreak(list, {e.addr, 1, e.watch, 0, kBreakCode, 'A'});
    case ev::Change: {
      // A free run stops at each write of the variable, and the debugger compares its bytes
      // there; a run by steps tests them at each stop anyway.
      if (!e.expr || e.saved.empty()) return;
      const auto size = static_cast<uint8_t>(e.saved.size() > 0xFF ? 0xFF : e.saved.size());
      return insertBreak(list, {e.expr->address, 1, 1, size, kBreakData, ev::DataWrite});
    }
    default: return;
  }
}

}  // namespace

void loadBreakList(Kernel& k, bool withActiveFunctions) {
  TargetState& t = targetState(k);
  k.ui->LeftStatus("Loading breakpoints");
  k.ui->CursorWait();
  clearBreakList(t.breaks);
  // A new list holds no function's source lines yet: each is armed again when a step needs it.
  for (const auto& file : k.prog.program->tables.files) {
    for (const auto& fn : file->functions) fn->armed = 0;
  }
  for (const auto& e : eventState(k).list) {
    if (e->on) addEvent(t.breaks, k.prog.program->tables, *e);
  }
  if (withActiveFunctions) {
    const SymbolTables& tables = k.prog.program->tables;
    for (const auto& file : tables.files) {
      for (const auto& fn : file->functions) {
        if (fn->active != 0) addLineEntries(t.breaks, tables, *fn, kActiveLineKinds);
      }
    }
  }
  k.ui->CursorStd();
}

std::optional<std::string> breakPlacementProblem(Kernel& k) {
  BreakList list;
  for (const auto& e : eventState(k).list) {
    if (e->on) addEvent(list, k.prog.program->tables, *e);
  }
  const std::optional<LimitProblem> problem = limitProblem(targetState(k), list);
  if (!problem) return std::nullopt;
  std::string text = problem->text;
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void loadFunctionBreaks(Kernel& k, FunctionEntry& fn) {
  addLineEntries(targetState(k).breaks, k.prog.program->tables, fn, rk::Line);
  fn.armed = 1;
}

void beginRunLoop(Kernel& k) { targetState(k).runControl.stepsAnswer.reset(); }

bool startTargetCode(Kernel& k) {
  if (!targetReady(k)) return false;
  targetState(k).cable.resume();
  k.exec.running = true;
  return true;
}

std::optional<uint32_t> runTarget(Kernel& k, bool freeRun) {
  if (!targetReady(k)) return std::nullopt;
  TargetState& t = targetState(k);
  RunControl& rc = t.runControl;
  rc.mode = freeRun ? RunMode::HardBreaks : RunMode::Stepping;
  rc.dataHit.reset();
  if (freeRun && !t.breaks.entries.empty() && !checkLimits(k)) return pcNow(k);
  k.ui->RightStatus(rc.mode == RunMode::Stepping ? "Stepping Mode" : "Hard Breaks Mode");
  k.exec.stopreq = false;
  return rc.mode == RunMode::Stepping ? runStepping(k) : runHardBreaks(k);
}

bool stepInstruction(Kernel& k) {
  if (!targetReady(k)) return false;
  targetState(k).cable.single_step();
  return refreshRegisters(k);
}

}  // namespace yav::target
