// Running and stepping: the execution commands behind continue, next, step in and out, and the
// stop reported afterwards.
#include "dap/dap_address_text.h"
#include "dap/dap_console_tap.h"
#include "dap/dap_session.h"
#include "engine/code_view.h"
#include "engine/dispatcher.h"
#include "engine/events.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"
#include "model/target_memory.h"

namespace yav::dap {

namespace {

bool instructionGranularity(const json& args) { return args.value("granularity", std::string()) == "instruction"; }

bool targetUp(Kernel& k) { return k.target && k.target->connected(); }

// The opcodes of the subroutine calls: BSR, JSR in its five addressing modes, CALL.
bool isCall(uint8_t opcode) {
  switch (opcode) {
    case 0xAD: case 0xBD: case 0xCD: case 0xDD: case 0xED: case 0xFD: case 0xAC: return true;
    default: return false;
  }
}

// Whether the code event `e` holds where execution stands (its count aside).
bool eventAtStop(Kernel& k, const Event& e) {
  const uint32_t pc = currentPc(k);
  if (e.kind != ev::Line) return e.addr == pc && (e.kind == ev::Address || e.kind == ev::Symbol || e.kind == ev::Label);
  if (!k.prog.program) return false;
  const DebugRecord* line = k.prog.program->tables.lineAt(pc);
  if (!line || line->address != pc) return false;
  if (e.first != 0 && (line->startLine < e.first || line->startLine > e.last)) return false;
  if (e.func && line->function != e.func) return false;
  if (e.file && (line->function ? line->function->file != e.file : line->fileName != e.file->name)) return false;
  return true;
}

}  // namespace

void Session::continueRequest(const json&, json& body) {
  body = {{"allThreadsContinued", true}};
  runAfterResponse("go");
}

void Session::stepRequest(const json& args, const char* sourceCommand, const char* instructionCommand) {
  runAfterResponse(instructionGranularity(args) || !k_.debugInfoLoaded ? instructionCommand : sourceCommand);
}

void Session::next(const json& args, json&) {
  if (!instructionGranularity(args) && k_.debugInfoLoaded) return stepRequest(args, "so", "si");
  // Over one instruction: a call runs through to the instruction after it.
  const uint32_t pc = currentPc(k_);
  TargetMemory* mem = targetMemory(k_);
  uint8_t opcode = 0;
  if (mem && mem->readByte(0, pc, opcode) && isCall(opcode)) {
    runAfterResponse("go @" + hexAddress(pc + static_cast<uint32_t>(instructionLength(k_, pc))));
  } else {
    stepRequest(args, "si", "si");
  }
}
void Session::stepIn(const json& args, json&) { stepRequest(args, "step", "si"); }
void Session::stepOut(const json& args, json&) { stepRequest(args, "finish", "finish"); }

// Stopped already: the editor is told so again, as it expects an answer to its pause.
void Session::pause(const json&, json&) { reportStopAfterResponse("pause"); }

void Session::executionStarts() {
  // A run the editor did not ask for (a command typed in its debug console) is announced.
  if (!ranTarget_ && capture) sendEvent("continued", {{"threadId", kThreadId}, {"allThreadsContinued", true}});
  ranTarget_ = true;
}

void Session::runAfterResponse(std::string command) {
  then_ = [this, command] { execute(command); };
}

void Session::reportStopAfterResponse(std::string reason) {
  then_ = [this, reason] { reportStop(reason); };
}

std::vector<Breakpoint*> Session::breakpointsAtStop() {
  std::vector<Breakpoint*> hit;
  for (Breakpoint& b : breakpoints_) {
    if (b.kind == Breakpoint::Kind::Data || b.eventNum == 0) continue;
    const Event* e = findEvent(k_, b.eventNum);
    if (e && e->on && eventAtStop(k_, *e)) hit.push_back(&b);
  }
  return hit;
}

bool Session::conditionHolds(const Breakpoint& b) {
  if (b.condition.empty()) return true;
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k_, 0, "(" + b.condition + ") != 0", 'd', error);
  if (!v) {
    // A condition that cannot be evaluated stops the run, and says why.
    output("breakpoint condition \"" + b.condition + "\": " + error + "\n", "stderr");
    return true;
  }
  return v->value != "0";
}

std::vector<int> Session::breakpointsHit() {
  std::vector<int> ids;
  for (const Breakpoint* b : breakpointsAtStop()) {
    if (b->logMessage.empty() && conditionHolds(*b)) ids.push_back(b->id);
  }
  return ids;
}

// A log point prints its message, each {expression} replaced by its value, and the run goes on.
void Session::printLogMessages() {
  for (const Breakpoint* b : breakpointsAtStop()) {
    if (b->logMessage.empty() || !conditionHolds(*b)) continue;
    std::string text;
    for (size_t at = 0; at < b->logMessage.size();) {
      const size_t open = b->logMessage.find('{', at);
      const size_t close = open == std::string::npos ? open : b->logMessage.find('}', open);
      if (close == std::string::npos) {
        text += b->logMessage.substr(at);
        break;
      }
      text += b->logMessage.substr(at, open - at);
      std::string error;
      const std::string expression = b->logMessage.substr(open + 1, close - open - 1);
      const std::optional<ShownValue> v = evaluateIn(k_, 0, expression, 0, error);
      text += v ? v->value : "<" + error + ">";
      at = close + 1;
    }
    output(text + "\n", "console");
  }
}

// The kernel reports each breakpoint reached; a passage the run goes on past is no stop.
std::string Session::withoutBreakpointReports(const std::string& text) {
  static const std::string kReport = "***** breakpoint";
  std::string kept;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    if (text.compare(at, kReport.size(), kReport) != 0) kept.append(text, at, end - at);
    at = end;
  }
  return kept;
}

bool Session::stopCounts() {
  if (!breakpointsAtStop().empty()) return !breakpointsHit().empty();
  // Away from the code breakpoints a free run stops for a data breakpoint.
  bool anyData = false;
  for (const Breakpoint& b : breakpoints_) {
    if (b.kind != Breakpoint::Kind::Data || b.eventNum == 0) continue;
    anyData = true;
    if (conditionHolds(b)) return true;
  }
  return !anyData;
}

std::vector<int> Session::dataBreakpointsHit() {
  std::vector<int> ids;
  for (const Breakpoint& b : breakpoints_) {
    if (b.kind == Breakpoint::Kind::Data && b.eventNum != 0 && conditionHolds(b)) ids.push_back(b.id);
  }
  return ids;
}

void Session::execute(const std::string& command) {
  tapConsole(k_);
  vars_.clear();
  pauseRequested_ = false;
  running_ = true;
  const bool freeRun = command == "go";
  const size_t framesBefore = frameChain(k_).frames.size();
  freeRunning_ = freeRun;
  for (;;) {
    // The debugger's messages of a free run wait for the decision whether it goes on.
    std::string held;
    heldMessages_ = freeRun ? &held : nullptr;
    runCommandLine(k_, command.c_str(), 1);
    heldMessages_ = nullptr;
    bool goOn = false;
    const bool stopped = pauseRequested_ || finished_ || !targetUp(k_);
    if (!stopped && breaksChanged_) {
      serveWaitingBreakpoints();
      goOn = freeRun && breakpointsAtStop().empty();  // stopped only to take them
    }
    // Only a free run goes on past a breakpoint whose condition is false; a step ends anyway.
    if (!stopped && !goOn) goOn = freeRun && !stopCounts();
    output(goOn ? withoutBreakpointReports(held) : held, "console");
    if (!stopped && freeRun) printLogMessages();
    if (!goOn) break;
  }
  running_ = false;
  freeRunning_ = false;
  reportRunEnd(freeRun, framesBefore);
}

void Session::reportRunEnd(bool freeRun, size_t framesBefore) {
  if (!targetUp(k_)) {
    if (!terminatedSent_) sendEvent("terminated");
    terminatedSent_ = true;
    return;
  }
  if (finished_) return;
  if (pauseRequested_) return reportStop("pause");
  const std::vector<int> hitIds = breakpointsHit();
  // A step that ends deeper than it started was stopped by a breakpoint in a call.
  const bool enteredCall = frameChain(k_).frames.size() > framesBefore;
  if (!hitIds.empty() && (freeRun || enteredCall)) {
    const Breakpoint* first = findBreakpoint(hitIds.front());
    const char* reason = first && first->kind == Breakpoint::Kind::Function      ? "function breakpoint"
                         : first && first->kind == Breakpoint::Kind::Instruction ? "instruction breakpoint"
                                                                                 : "breakpoint";
    return reportStop(reason, hitIds);
  }
  if (freeRun) {
    // None of the code events holds here: a data break stopped the run.
    if (const std::vector<int> data = dataBreakpointsHit(); !data.empty()) return reportStop("data breakpoint", data);
    return reportStop("pause");
  }
  reportStop("step");
}

void Session::reportStop(const std::string& reason, const std::vector<int>& hitIds) {
  vars_.clear();
  json body{{"reason", reason}, {"threadId", kThreadId}, {"allThreadsStopped", true}};
  if (!hitIds.empty()) body["hitBreakpointIds"] = hitIds;
  sendEvent("stopped", std::move(body));
}

}  // namespace yav::dap
