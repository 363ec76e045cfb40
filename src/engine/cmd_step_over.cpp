// `so`, `ostep`: step over the current C line (or instruction) with a temporary break after it.
#include <cstdio>
#include <string>

#include "engine/code_view.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/events.h"
#include "engine/kernel_eval.h"
#include "engine/locspec.h"
#include "engine/run_loop.h"
#include "model/loader.h"

namespace yav {

namespace {

constexpr const char* kInstructionStepsQuestion =
    "Too many hardware breakpoints required to step over expression.\n\nDo You Want To Use Instruction Steps ? \n\n";
constexpr const char* kNonRealTime = "(Non Real-Time Mode)";

// The next line entry of the line's function with code at another address, or null.
const DebugRecord* nextLineWithCode(const SymbolTables& t, const DebugRecord& line) {
  const DebugRecord* first = t.records.data();
  const DebugRecord* end = first + t.records.size();
  if (&line < first || &line >= end) return nullptr;
  for (const DebugRecord* r = &line + 1; r < end; ++r) {
    if (r->function != line.function) continue;
    if (r->kind == rk::FunctionEnd) return nullptr;
    if ((r->kind == rk::Line || r->kind == rk::FunctionStart) && r->address != line.address) return r;
  }
  return nullptr;
}

// An internal event of the temporary break at `place` is left: the run stopped elsewhere. Line
// places match as `del` matches them.
bool eventStillThere(Kernel& k, const std::string& place) {
  LocSpec spec;
  locspec(place.c_str(), spec);
  const std::optional<LinePlace> line = spec.isabs ? std::nullopt : resolveLinePlace(k, spec, false, false);
  for (const auto& e : eventState(k).list) {
    if (e->user != 0) continue;
    if (spec.isabs && e->kind == ev::Address && e->addr == spec.absaddr) return true;
    if (line && lineEventHolds(*e, *line, spec.line)) return true;
  }
  return false;
}

// Runs free to a temporary breakpoint at `place` inside the current function, keeping the frames
// it follows, and removes the breakpoint if the run stopped elsewhere.
const char* runTo(Kernel& k, const std::string& place) {
  ExecState& x = k.exec;
  LocSpec spec;
  locspec(place.c_str(), spec);
  CodeEventRequest request;
  request.user = 0;
  if (!setCodeEvent(k, spec, request)) return kEmptyRest;
  x.tracing = false;
  x.gomode = true;
  x.insnmode = false;
  x.finishmode = false;
  x.stepping = false;
  x.budget = ExecState::kNoCount;
  x.keepFrames = true;
  k.ui->executionStarts();
  runLoop(k, "");
  x.keepFrames = false;
  if (eventStillThere(k, place)) docmd(k, ("del " + place).c_str(), 0);
  return kEmptyRest;
}

const char* plainStep(Kernel& k, const char* rest, int user) { return cmd_step(k, rest, user); }

}  // namespace

const char* cmd_ostep(Kernel& k, const char* rest, int user) {
  const SymbolTables& t = k.prog.program->tables;
  const uint32_t pc = currentPc(k);
  const DebugRecord* line = k.debugInfoLoaded ? t.lineAt(pc) : nullptr;
  if (!line) {
    const uint32_t next = pc + static_cast<uint32_t>(instructionLength(k, pc));
    char place[16];
    std::snprintf(place, sizeof place, "@0x%X", next);
    runTo(k, place);
    return rest;
  }
  const DebugRecord* next = nextLineWithCode(t, *line);
  if (!next || next->fileName != line->fileName) return plainStep(k, rest, user);
  if (!k.target || !k.target->straightLine(line->address, next->address)) {
    if (k.ui->askYesNo(kNonRealTime, kInstructionStepsQuestion)) return plainStep(k, rest, user);
    k.disp.noUpdate = true;
    return kEmptyRest;
  }
  runTo(k, next->fileName + ":" + std::to_string(next->startLine));
  return rest;
}

}  // namespace yav
